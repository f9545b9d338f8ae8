# The installation (`cmake --install BUILD --prefix P`) and the Debian package built from it
# (`cpack -G DEB`, scripts/package): the four programs, the message catalogs, the man pages and the
# documentation, in the GNUInstallDirs layout (KvaLayout.cmake).

# The programs find their libraries in the system's directories; the build tree's RPATH and the
# $ORIGIN entries qt_standard_project_setup adds have nothing to find in an installation.
set(_kva_programs kva7310-module kva7310-sim kva7310-snmp kva7310-tftpd)
foreach(program ${_kva_programs})
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The seven catalogs; the module reads them from <bindir>/${KVA_CATALOGS_FROM_PROGRAMS}.
file(GLOB _kva_catalogs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/errmsg/*)
install(FILES ${_kva_catalogs} DESTINATION ${KVA_INSTALL_CATALOGDIR})

install(FILES docs/man/kva7310-module.1 docs/man/kva7310-sim.1 docs/man/kva7310-snmp.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES docs/man/kva7310-tftpd.8 DESTINATION ${CMAKE_INSTALL_MANDIR}/man8)

install(FILES README.md packaging/copyright DESTINATION ${KVA_INSTALL_DOCDIR})
install(FILES simulator/README.md DESTINATION ${KVA_INSTALL_DOCDIR} RENAME README.simulator.md)
install(FILES tools/tftpd/README.md DESTINATION ${KVA_INSTALL_DOCDIR} RENAME README.tftpd.md)
install(FILES docs/simulator-mib.md docs/main-window.png DESTINATION ${KVA_INSTALL_DOCDIR})

# The Debian package. Debian installs below /usr; the install rules above take any prefix.
set(KVA_PACKAGE_PREFIX /usr CACHE PATH "Installation prefix inside the Debian package")
if(IS_ABSOLUTE ${CMAKE_INSTALL_BINDIR})
  set(KVA_PACKAGE_MODULE ${CMAKE_INSTALL_BINDIR}/kva7310-module)
else()
  set(KVA_PACKAGE_MODULE ${KVA_PACKAGE_PREFIX}/${CMAKE_INSTALL_BINDIR}/kva7310-module)
endif()
configure_file(packaging/postinst.in ${CMAKE_BINARY_DIR}/packaging/postinst @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kva7310)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KVA-7310 module developers")
set(CPACK_PACKAGE_CONTACT "KVA-7310 module developers <kva7310-module@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "management module for the KVA-7310 wireless access point")
# dpkg shows the lines as they are, each after one blank: below 79 columns here
set(CPACK_PACKAGE_DESCRIPTION
  "The device management module a network management platform starts for
one KVA-7310 enterprise wireless access point: a Qt window with the
device's status lights and pages that read, check and write its settings
over SNMP v1/v2c/v3, with its own TFTP server for firmware, certificates
and configuration files.
Also kva7310-sim, a simulated access point (SNMP agent and TFTP client),
kva7310-snmp (get, getnext, walk and set on the module's SNMP engine) and
kva7310-tftpd, the module's TFTP server as a program.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${KVA_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME kva7310)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # kva7310_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# setcap, for the post-installation step that lets the module bind UDP port 69
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libcap2-bin)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

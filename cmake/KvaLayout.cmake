# The installed layout (GNUInstallDirs) and the generated header that tells the programs their
# version and where an installation keeps the message catalogs: target kva_build_info.
include(GNUInstallDirs)

set(KVA_INSTALL_CATALOGDIR ${CMAKE_INSTALL_DATADIR}/kva7310/errmsg)
set(KVA_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/kva7310)
# The catalogs as seen from the programs' directory: "../share/kva7310/errmsg" for the usual
# layout, whatever prefix the installation later gets.
file(RELATIVE_PATH KVA_CATALOGS_FROM_PROGRAMS
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/kva7310/errmsg)

configure_file(${CMAKE_CURRENT_LIST_DIR}/KvaVersion.h.in
  ${CMAKE_BINARY_DIR}/generated/KvaVersion.h @ONLY)
add_library(kva_build_info INTERFACE)
target_include_directories(kva_build_info INTERFACE ${CMAKE_BINARY_DIR}/generated)

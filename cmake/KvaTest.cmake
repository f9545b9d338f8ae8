# kva_add_test(<name> SOURCES ... [LIBS ...] [LABELS unit|sim|ui|peer|install] [APP none|core|gui]):
# one GoogleTest executable, its cases discovered at test time, with a time-out per label and an
# environment that keeps Qt and Net-SNMP away from the user's own files.
include(GoogleTest)

set(KVA_TEST_TIMEOUT_unit 120)
set(KVA_TEST_TIMEOUT_sim 300)
set(KVA_TEST_TIMEOUT_peer 300)
set(KVA_TEST_TIMEOUT_ui 300)
set(KVA_TEST_TIMEOUT_install 600) # installs and packages the build

function(kva_add_test name)
  cmake_parse_arguments(T "" "APP" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  if(NOT T_APP)
    set(T_APP core)
  endif()
  add_executable(${name} ${T_SOURCES})
  kva_target_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} kva_test_main_${T_APP} GTest::gtest GTest::gmock)
  # the header-only helpers every test may use (case names, scoped settings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  list(GET T_LABELS 0 _first)
  set(_timeout ${KVA_TEST_TIMEOUT_${_first}})
  if(NOT _timeout)
    set(_timeout 120)
  endif()
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-runtime)
  file(CHMOD ${CMAKE_BINARY_DIR}/test-runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS "${T_LABELS}"
      TIMEOUT ${_timeout})
endfunction()

# qel_library(name SOURCES ... DEPS ...): one static library per layer; every
# header is reached from the repository root ("platform/ole/OleAuto.h"), in the
# build tree and in the installed include directory alike. Every layer is
# installed and exported with the package (QEL_LAYER_TARGETS).
function(qel_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${QEL_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  set_property(GLOBAL APPEND PROPERTY QEL_LAYER_TARGETS ${name})
endfunction()

# qel_test(name SOURCES ... DEPS ...): one GoogleTest program per layer,
# registered with CTest test by test.
function(qel_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  # Test sources are compiled a few at a time in one unit: each spends most of its compile
  # time on the same GoogleTest and engine headers, and the test programs are half the build.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 6)
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()

function(qel_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

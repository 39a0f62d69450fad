# Helpers shared by the project's CMake files.

# A static library of the portable core (the sanitized native build compiles
# the same sources a second time).
function(velmora_add_core name)
  add_library(${name} STATIC ${VELMORA_CORE_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
endfunction()

# A GoogleTest program. Natively each case becomes a ctest test; a Windows
# program runs whole under Wine as one ctest test (discovering cases would
# start Wine once more per program for nothing).
function(velmora_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} TEST_PREFIX "${name}." PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

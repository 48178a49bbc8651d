# ofc_add_gtest(TARGET [PROPERTIES ...]): registers a GoogleTest program with ctest.
# Natively every test case becomes its own ctest test. A cross-built program runs under an
# emulator, where starting a process costs most of a second: there the whole program is one
# ctest test named after it, and its own output lists the cases.
function(ofc_add_gtest target)
  cmake_parse_arguments(arg "" "" "PROPERTIES" ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    if(arg_PROPERTIES)
      set_tests_properties(${target} PROPERTIES ${arg_PROPERTIES})
    endif()
  elseif(arg_PROPERTIES)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES ${arg_PROPERTIES})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# ofc_tests_left_out(NAME REASON): tests this machine cannot build or run. Locally they are left
# out with REASON; when the environment variable CI is set, a test NAME fails with REASON
# instead, so the suite cannot shrink unnoticed there.
function(ofc_tests_left_out name reason)
  if("$ENV{CI}" STREQUAL "")
    message(STATUS "${name} left out (CI is not set): ${reason}")
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} "-DOFC_REASON=${reason}"
                                  -P ${PROJECT_SOURCE_DIR}/cmake/FailMissingTool.cmake)
  endif()
endfunction()

# Helpers shared by every folder's CMakeLists.

# System code includes headers by their path from the repository root.
function(trellin_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# Every executable (game, tools, tests, benchmarks) gets the replaced global
# allocation operators unless the build turns them off.
function(trellin_executable_setup name)
  if(TRELLIN_REPLACE_ALLOCATORS)
    target_link_libraries(${name} PRIVATE core_operators)
  endif()
endfunction()

# A test that runs longer than its timeout fails, so that a hang names its test in minutes
# instead of CTest's 25. The default is a few times the longest test of most programs in the
# sanitizer build under a parallel run (about 12 s); a program whose tests take longer gives its
# own TIMEOUT, again a few times its longest test there.
set(TRELLIN_TEST_TIMEOUT 60)

# trellin_add_test(NAME src... [LIBS lib...] [ENV VAR=value...] [LABELS label...]
#                  [RESOURCE_LOCK name...] [TIMEOUT seconds])
# RESOURCE_LOCK keeps tests that share one resource (such as the X display's pointer and
# focus) from running at the same time under ctest -j. TIMEOUT applies to each test of the
# program, one process each.
function(trellin_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "LIBS;ENV;LABELS;RESOURCE_LOCK" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${TRELLIN_TEST_TIMEOUT})
  endif()
  # The system's tests fail on any line of the engine's log they do not declare
  # (tests/support/LogCheck.h); the libraries under lib/ never write to that log.
  if(CMAKE_CURRENT_SOURCE_DIR MATCHES "^${CMAKE_SOURCE_DIR}/tests/lib/")
    set(main GTest::gtest_main)
  else()
    set(main trellin_test_main)
  endif()
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest ${main} GTest::gmock Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  trellin_executable_setup(${name})
  # Test properties reach CTest as flat name/value pairs, so a list-valued ENVIRONMENT would keep
  # only its first variable: the tests (and their discovery) run through `cmake -E env` instead.
  if(T_ENV)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${T_ENV})
  endif()
  set(props TIMEOUT ${T_TIMEOUT})
  if(T_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
  # Tests of the X display carry its label too, so the test script can run them on their own.
  # Test discovery passes properties on as flat name/value pairs, so only a test's first label
  # survives: the display label goes first.
  if("xdisplay" IN_LIST T_RESOURCE_LOCK)
    list(PREPEND T_LABELS xdisplay)
  endif()
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props})
endfunction()

# trellin_add_fuzzer(NAME src... [LIBS lib...] [RUNS n] [TIMEOUT seconds])
# Built only in the clang sanitizer configuration; CTest runs each briefly so it stays buildable.
function(trellin_add_fuzzer name)
  if(NOT TRELLIN_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "RUNS;TIMEOUT" "LIBS" ${ARGN})
  if(NOT F_RUNS)
    set(F_RUNS 3000)
  endif()
  if(NOT F_TIMEOUT)
    # The run itself stops after 60 s.
    set(F_TIMEOUT 180)
  endif()
  add_executable(${name} ${F_UNPARSED_ARGUMENTS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS} Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  trellin_executable_setup(${name})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  # New inputs go to the build's folder; the kept corpus in the sources is only read, so that
  # the short runs start from the deep paths the campaigns found.
  set(kept ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  if(NOT IS_DIRECTORY ${kept})
    set(kept "")
  endif()
  add_test(NAME ${name} COMMAND ${name} -runs=${F_RUNS} -max_total_time=60 ${corpus} ${kept})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT ${F_TIMEOUT})
endfunction()

# trellin_add_benchmark(NAME src... [LIBS lib...])
function(trellin_add_benchmark name)
  cmake_parse_arguments(B "" "" "LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  trellin_executable_setup(${name})
endfunction()

# trellin_add_build_failure_test(NAME src... [LIBS lib...] MATCH regex [TIMEOUT seconds])
# A program that must not build, left out of the normal build: the test builds it and passes
# when the build's output matches MATCH (the compiler's or linker's refusal).
function(trellin_add_build_failure_test name)
  cmake_parse_arguments(F "" "MATCH;TIMEOUT" "LIBS" ${ARGN})
  if(NOT F_TIMEOUT)
    # The build also brings the libraries the program links up to date.
    set(F_TIMEOUT 300)
  endif()
  add_executable(${name} EXCLUDE_FROM_ALL ${F_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${name})
  # One build of the tree at a time.
  set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "${F_MATCH}"
    RESOURCE_LOCK build_tree LABELS build_failure TIMEOUT ${F_TIMEOUT})
endfunction()

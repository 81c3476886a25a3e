# The UI service's Tcl commands over arbitrary arguments, and whole page scripts.
trellin_add_fuzzer(ui_script_fuzzer ${CMAKE_CURRENT_LIST_DIR}/UiScriptFuzzer.cpp LIBS ui)
if(TARGET ui_script_fuzzer)
  # The interpreter keeps what each script defines (procedures, variables), which libFuzzer's
  # check after each input takes for leaks: the check only slows the run five times over (the
  # tests' own leak checks stay).
  set_tests_properties(ui_script_fuzzer PROPERTIES ENVIRONMENT ASAN_OPTIONS=detect_leaks=0)
endif()

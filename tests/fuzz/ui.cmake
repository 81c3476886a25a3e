# The UI service's Tcl commands over arbitrary arguments.
trellin_add_fuzzer(ui_script_fuzzer ${CMAKE_CURRENT_LIST_DIR}/UiScriptFuzzer.cpp LIBS ui)

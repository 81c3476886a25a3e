# The scripted feed's line parser of the tablet platform layer.
trellin_add_fuzzer(tablet_script_line_fuzzer ${CMAKE_CURRENT_LIST_DIR}/TabletScriptLineFuzzer.cpp
  LIBS tablet)

# The engine's text parsers and editors on arbitrary bytes.
trellin_add_fuzzer(TextFuzzer ${CMAKE_CURRENT_LIST_DIR}/text/TextFuzzer.cpp LIBS core)

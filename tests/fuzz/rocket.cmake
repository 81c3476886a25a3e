# Fuzz targets of lib/rocket: the RML and the RCSS parsers, with what runs on their output.
trellin_add_fuzzer(rocket_rml_fuzzer
  ${CMAKE_CURRENT_LIST_DIR}/RocketRmlFuzzer.cpp ${CMAKE_CURRENT_LIST_DIR}/RocketFuzzHost.cpp
  LIBS rocket)
trellin_add_fuzzer(rocket_rcss_fuzzer
  ${CMAKE_CURRENT_LIST_DIR}/RocketRcssFuzzer.cpp ${CMAKE_CURRENT_LIST_DIR}/RocketFuzzHost.cpp
  LIBS rocket)

# Readers of the stored formats: the archive, static data objects and string tables.
foreach(fuzzer PakFuzzer StaticObjectFuzzer StringTableFuzzer)
  trellin_add_fuzzer(${fuzzer} ${CMAKE_CURRENT_LIST_DIR}/files/${fuzzer}.cpp LIBS core platform datawriter)
endforeach()

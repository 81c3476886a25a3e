# Text chunks run through the Lua script service.
trellin_add_fuzzer(lua_chunk_fuzzer ${CMAKE_CURRENT_LIST_DIR}/LuaChunkFuzzer.cpp LIBS ui_script)
# The scripts' pattern functions against Lua's own.
trellin_add_fuzzer(lua_pattern_fuzzer ${CMAKE_CURRENT_LIST_DIR}/LuaPatternFuzzer.cpp LIBS ui_script)

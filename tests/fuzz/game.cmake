# The game's readers: a model folder's piece records.
trellin_add_fuzzer(GraphicModelFuzzer ${CMAKE_CURRENT_LIST_DIR}/game/GraphicModelFuzzer.cpp
  LIBS game datawriter)

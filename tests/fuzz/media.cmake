# The builder's sources of texts, sounds and music: string lists, sound descriptions and
# music scores (parsed and rendered; never encoded).
trellin_add_fuzzer(MediaSourceFuzzer ${CMAKE_CURRENT_LIST_DIR}/media/MediaSourceFuzzer.cpp
  LIBS databuild)

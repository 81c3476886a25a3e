# The TGA and PNG readers over arbitrary file images. Their sources are compiled in here so
# that the fuzzers see their coverage.
trellin_add_fuzzer(graphics_tga_fuzzer ${CMAKE_CURRENT_LIST_DIR}/TgaFuzzer.cpp
  ${CMAKE_SOURCE_DIR}/graphics/image/TgaFile.cpp LIBS graphics)
trellin_add_fuzzer(graphics_png_fuzzer ${CMAKE_CURRENT_LIST_DIR}/PngFuzzer.cpp
  ${CMAKE_SOURCE_DIR}/graphics/image/PngFile.cpp LIBS graphics)

# The data builder's source formats: descriptions of lights, textures, meshes and models, and
# shader sources with includes.
trellin_add_fuzzer(DataSourceFuzzer ${CMAKE_CURRENT_LIST_DIR}/data/DataSourceFuzzer.cpp
  LIBS databuild)

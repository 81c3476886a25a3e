#include <cstdio>

#include "tools/pak/PakTool.h"

int main(int argc, char** argv) { return trellin::PakTool(stdout, stderr).run(argc, argv); }

#pragma once

#include <gtest/gtest.h>

#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/StringTableWriter.h"

namespace ui_test {

// Makes files the root folder, links DejaVu Sans in as fonts/sans.ttf and registers the UI
// service with that font loaded.
::testing::AssertionResult startUiService(const trellin_test::TempDirectory& files);

// Registers the string table service with a table of those entries (strings.bin under the
// root folder).
::testing::AssertionResult startStringTable(const trellin_test::TempDirectory& files,
                                            const trellin::StringTableEntries& entries);

}  // namespace ui_test

#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/StaticRecord.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/StaticObjectWriter.h"

namespace trellin_test {

// Writes one record set of a model folder (names[i] names records[i]) under the directory.
template <class T>
void writeRecordSet(const TempDirectory& dir, const std::string& folder,
                    const std::vector<std::string>& names, const T* records) {
    trellin::StaticObjectFiles files;
    std::string error;
    ASSERT_TRUE(trellin::buildStaticObjects(names, records, names.size(), files, error)) << error;
    const std::string stem =
        trellin::staticObjectStem(dir / folder, orvo::StaticRecord<T>::TYPE_NAME);
    ASSERT_TRUE(trellin::writeStaticObjects(stem, files, error)) << error;
}

}  // namespace trellin_test

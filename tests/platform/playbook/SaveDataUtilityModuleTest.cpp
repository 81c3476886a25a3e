#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/playbook/SaveDataUtilityModulePlaybook.h"
#include "tests/platform/playbook/WorkingDirectory.h"

namespace {

using orvo::SaveDataUtilityModulePlaybook;

std::vector<unsigned char> fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool exists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}

class SaveDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(here.path().empty());
        ASSERT_EQ(mkdir("data", 0700), 0);
    }

    WorkingDirectory here;
    SaveDataUtilityModulePlaybook module;
};

TEST_F(SaveDataTest, RecordIsWrittenAndReadBackWhole) {
    EXPECT_EQ(module.getModuleId(), orvo::SAVE_DATA_MODULE);
    EXPECT_FALSE(module.saveGameExists());
    unsigned char record[20];
    for (unsigned i = 0; i < sizeof record; ++i) {
        record[i] = static_cast<unsigned char>(0xA0 + i);
    }
    module.saveGameData(record, sizeof record);
    EXPECT_TRUE(module.saveGameExists());
    EXPECT_EQ(fileBytes("data/save_data"), std::vector<unsigned char>(record, record + 20));
    EXPECT_FALSE(exists(SaveDataUtilityModulePlaybook::TEMPORARY_PATH));

    unsigned char loaded[20] = {};
    module.loadGameData(loaded, sizeof loaded);
    EXPECT_EQ(std::vector<unsigned char>(loaded, loaded + 20),
              std::vector<unsigned char>(record, record + 20));

    // A shorter record replaces the old one entirely.
    module.saveGameData(record, 4);
    EXPECT_EQ(fileBytes("data/save_data").size(), 4u);
}

TEST_F(SaveDataTest, MissingRecordLeavesTheBlockUntouched) {
    unsigned char block[20];
    std::fill(block, block + 20, 0x5A);
    module.loadGameData(block, sizeof block);
    EXPECT_EQ(std::vector<unsigned char>(block, block + 20), std::vector<unsigned char>(20, 0x5A));
    EXPECT_FALSE(module.saveGameExists());
}

TEST_F(SaveDataTest, ShortRecordFillsOnlyTheStart) {
    const unsigned char shortRecord[3] = {1, 2, 3};
    module.saveGameData(shortRecord, 3);
    unsigned char block[6] = {9, 9, 9, 9, 9, 9};
    module.loadGameData(block, sizeof block);
    EXPECT_EQ(std::vector<unsigned char>(block, block + 6),
              (std::vector<unsigned char>{1, 2, 3, 9, 9, 9}));
}

TEST_F(SaveDataTest, OldRecordSurvivesAWriteThatCannotComplete) {
    const unsigned char record[4] = {1, 2, 3, 4};
    module.saveGameData(record, 4);
    // A write that was cut short earlier left its temporary file behind: it is simply replaced.
    std::FILE* stale = std::fopen(SaveDataUtilityModulePlaybook::TEMPORARY_PATH, "wb");
    ASSERT_NE(stale, nullptr);
    std::fputs("partial", stale);
    std::fclose(stale);
    const unsigned char newer[4] = {5, 6, 7, 8};
    module.saveGameData(newer, 4);
    EXPECT_EQ(fileBytes("data/save_data"), std::vector<unsigned char>(newer, newer + 4));
    EXPECT_FALSE(exists(SaveDataUtilityModulePlaybook::TEMPORARY_PATH));

    // The temporary file cannot be made: the record stays as it was.
    ASSERT_EQ(mkdir(SaveDataUtilityModulePlaybook::TEMPORARY_PATH, 0700), 0);
    module.saveGameData(record, 4);
    EXPECT_EQ(fileBytes("data/save_data"), std::vector<unsigned char>(newer, newer + 4));
}

TEST(SaveDataNoFolderTest, MissingDataFolderSkipsTheSave) {
    WorkingDirectory here;
    ASSERT_FALSE(here.path().empty());
    SaveDataUtilityModulePlaybook module;
    const unsigned char record[20] = {};
    module.saveGameData(record, sizeof record);
    EXPECT_FALSE(module.saveGameExists());
    EXPECT_FALSE(exists("data"));
}

}  // namespace

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "core/strings/Locale.h"
#include "core/strings/ZqStringTable.h"
#include "tests/core/file/ManagerUse.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/PakWriter.h"
#include "tools/datawriter/StringTableWriter.h"

using namespace orvo;
using trellin::Bytes;
using trellin_test::TempDirectory;

namespace {

std::string textOf(const ZqText& text) {
    const Array<unsigned char>& bytes = text.getBytes();
    std::string s(bytes.begin(), bytes.end());
    while (!s.empty() && s.back() == '\0') {
        s.pop_back();
    }
    return s;
}

std::string lookup(const ZqStringTable& table, const char* key, bool* found = nullptr) {
    ZqText text;
    const bool ok = table.getString(key, text);
    if (found != nullptr) {
        *found = ok;
    }
    return textOf(text);
}

Bytes table(const trellin::StringTableEntries& entries) {
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(trellin::buildStringTable(entries, bytes, error)) << error;
    return bytes;
}

Bytes words(std::initializer_list<uint32_t> values, const std::string& tail) {
    Bytes b;
    for (uint32_t v : values) {
        trellin::putU32(b, v);
    }
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

}  // namespace

TEST(ZqStringTable, LanguagesFromTheArchive) {
    TempDirectory dir;
    const struct {
        const char* file;
        const char* start;
    } languages[] = {{"strings_english.bin", "Start"},
                     {"strings_french.bin", "Démarrer"},
                     {"strings_german.bin", "Los geht’s"}};
    std::vector<trellin::PakMember> members;
    for (const auto& l : languages) {
        members.push_back({std::string("scripts/Rml/Locale/") + l.file,
                           table({{"S_START", l.start}, {"S_EMPTY", ""}, {"S_PAUSE", "||"}})});
    }
    Bytes image;
    std::string error;
    ASSERT_TRUE(trellin::buildPak(members, image, error));
    dir.write("trellin.pak", image);
    FileBase::setRootPath((dir / "trellin.pak").c_str());

    ZqStringTable strings;
    EXPECT_FALSE(strings.isLoaded());
    for (const auto& l : languages) {
        ASSERT_TRUE(strings.load(ZqString("scripts/Rml/Locale/") + l.file)) << l.file;
        EXPECT_EQ(lookup(strings, "S_START"), l.start);
        bool found = false;
        EXPECT_EQ(lookup(strings, "S_EMPTY", &found), "");
        EXPECT_TRUE(found);
        EXPECT_EQ(lookup(strings, "S_MISSING", &found), "*untranslated*");
        EXPECT_FALSE(found);
    }
    EXPECT_FALSE(strings.load("scripts/Rml/Locale/strings_klingon.bin"));
    EXPECT_FALSE(strings.isLoaded());
    EXPECT_EQ(lookup(strings, "S_START"), "*untranslated*");
}

TEST(ZqStringTable, EdgeCasesOfTheFile) {
    const uint32_t key = HashString::calculateHash("K");
    const struct {
        const char* what;
        Bytes file;
        bool loads;
        const char* text;  // of key K
    } cases[] = {
        {"no entries", words({0}, ""), true, "*untranslated*"},
        {"first of two entries wins", words({2, key, 0, key, 4}, std::string("one\0two\0", 8)),
         true, "one"},
        {"offset at a NUL", words({1, key, 3}, std::string("abc\0", 4)), true, ""},
        {"last text without its NUL", words({1, key, 0}, "abc"), true, "abc"},
        {"offset beyond the texts", words({1, key, 40}, std::string("abc\0", 4)), true,
         "*untranslated*"},
        {"offset at the end of the texts", words({1, key, 4}, std::string("abc\0", 4)), true,
         "*untranslated*"},
        {"shorter than its entries", words({3, key, 0}, ""), false, "*untranslated*"},
        {"huge count", words({0xFFFFFFFFu}, "xxxxxxxx"), false, "*untranslated*"},
        {"shorter than the count", Bytes{1, 0}, false, "*untranslated*"},
        {"empty", Bytes{}, false, "*untranslated*"},
    };
    TempDirectory dir;
    FileBase::setRootPath(dir.path().c_str());
    for (const auto& c : cases) {
        dir.write("table.bin", c.file);
        const trellin_test::ManagerUse use;
        {
            ZqStringTable strings;
            EXPECT_EQ(strings.load("table.bin"), c.loads) << c.what;
            EXPECT_EQ(lookup(strings, "K"), c.text) << c.what;
            EXPECT_EQ(strings.isLoaded(), c.loads) << c.what;
        }
        EXPECT_TRUE(use.unchanged()) << c.what;
    }
}

TEST(Locale, LanguageFromLang) {
    const struct {
        const char* lang;
        int32_t language;
    } cases[] = {{"en_GB.UTF-8", Locale::ENGLISH}, {"fr_CA.UTF-8", Locale::FRENCH},
                 {"it", Locale::ITALIAN},          {"de_DE", Locale::GERMAN},
                 {"es_ES.UTF-8", Locale::SPANISH}, {"FR", Locale::UNKNOWN},
                 {"f", Locale::UNKNOWN},           {"", Locale::UNKNOWN},
                 {"pt_BR", Locale::UNKNOWN},       {"C", Locale::UNKNOWN}};
    for (const auto& c : cases) {
        EXPECT_EQ(Locale::languageFromText(c.lang), c.language) << c.lang;
    }
}

// LANG is read until it is found once; later changes are not seen.
TEST(Locale, SystemLanguageIsReadOnce) {
    unsetenv("LANG");
    EXPECT_EQ(Locale::getSystemLanguage(), Locale::UNKNOWN);
    setenv("LANG", "de_AT.UTF-8", 1);
    EXPECT_EQ(Locale::getSystemLanguage(), Locale::GERMAN);
    setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(Locale::getSystemLanguage(), Locale::GERMAN);
    EXPECT_EQ(Locale::currentLanguage_, Locale::ENGLISH);
}

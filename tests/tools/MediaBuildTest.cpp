// The builder's steps for what the UI needs: string tables, pages and fonts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/strings/ZqStringTable.h"
#include "core/text/StringFunctions.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/data/DataBuild.h"

using namespace trellin;

namespace {

// Runs one step over a data folder; the error, empty on success.
std::string runStep(bool (*step)(DataBuild&, std::string&), DataBuild& build) {
    std::string error;
    step(build, error);
    return error;
}

// ---- String tables ----

class StringSource : public ::testing::Test {
protected:
    std::string build(const std::string& text) {
        dir.write("strings/strings.txt", text);
        built.reset(new DataBuild(dir.path()));
        return runStep(buildStrings, *built);
    }
    // The text of a key in a built table, read by the game's string table.
    std::string lookUp(const char* table, const char* key) {
        const Bytes* bytes = built->member(std::string("scripts/Rml/Locale/") + table);
        if (bytes == nullptr) {
            return "<no table>";
        }
        trellin_test::TempDirectory tables;
        tables.write("t.bin", *bytes);
        orvo::FileBase::setRootPath((tables.path() + "/").c_str());
        orvo::ZqStringTable strings;
        orvo::ZqText text;
        const bool found = strings.load("t.bin") && strings.getString(orvo::HashString(key), text);
        orvo::FileBase::setRootPath(orvo::ZqString());
        return found ? std::string(orvo::textToString(text).c_str()) : "<none>";
    }

    trellin_test::TempDirectory dir;
    std::unique_ptr<DataBuild> built;
};

TEST_F(StringSource, GivesEachLanguageItsTable) {
    ASSERT_EQ(build("[text S_A]\nen = Best   score\nfr = Meilleur score\nit = Record\n"
                    "de = Größe\nes = Atrás\n"
                    "[text S_B]\nen = b\nfr = l’écran\nit = più\nde = b\nes = ¡sí!\n"),
              "");
    EXPECT_EQ(lookUp("strings_english.bin", "S_A"), "Best score");
    EXPECT_EQ(lookUp("strings_french.bin", "S_B"), "l’écran");
    EXPECT_EQ(lookUp("strings_italian.bin", "S_B"), "più");
    EXPECT_EQ(lookUp("strings_german.bin", "S_A"), "Größe");
    EXPECT_EQ(lookUp("strings_spanish.bin", "S_B"), "¡sí!");
    EXPECT_EQ(lookUp("strings_spanish.bin", "S_C"), "<none>");
}

TEST_F(StringSource, NamesWhatIsMissingOrWrong) {
    const std::string five = "en = a\nfr = a\nit = a\nde = a\nes = a\n";
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"[text S_A]\nen = a\nfr = a\nit = a\nes = a\n",
         "strings/strings.txt:1: [text S_A] key de is missing"},
        {"[text S_A]\n" + five + "pt = a\n", "strings/strings.txt:7: [text S_A] unknown key pt"},
        {"[label S_A]\n" + five,
         "strings/strings.txt:1: [label S_A] a string file holds [text KEY] sections"},
        {"[text S_A]\nen = \xC3\nfr = a\nit = a\nde = a\nes = a\n",
         "strings/strings.txt:1: [text S_A] the en text is not UTF-8"},
        {"[text S_A]\n" + five + "[text S_A]\n" + five,
         "strings/strings.txt: two records are named S_A"},
        {"# nothing\n", "strings/strings.txt: no texts"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.text), c.error) << c.text;
    }
}

// ---- Pages and fonts ----

TEST(PageSource, StylesAndDocumentsGoToTheUiFolderAsTheyAre) {
    trellin_test::TempDirectory dir;
    dir.write("pages/a.rml", "<rml/>");
    dir.write("pages/a.rcss", "body {}");
    dir.write("pages/notes.txt", "not a page");
    DataBuild build(dir.path());
    ASSERT_EQ(runStep(buildPages, build), "");
    ASSERT_NE(build.member("scripts/Rml/a.rml"), nullptr);
    EXPECT_EQ(std::string(build.member("scripts/Rml/a.rcss")->begin(),
                          build.member("scripts/Rml/a.rcss")->end()),
              "body {}");
    EXPECT_EQ(build.member("scripts/Rml/notes.txt"), nullptr);

    trellin_test::TempDirectory empty;
    empty.write("pages/notes.txt", "not a page");
    DataBuild none(empty.path());
    EXPECT_EQ(runStep(buildPages, none), "pages holds no .rml or .rcss files");
}

TEST(FontSource, CopiesInstalledFontsUnderTheGamesNames) {
    trellin_test::TempDirectory dir;
    const std::string notAFont = dir.write("fonts/LICENSE", "the licence text\n");
    const auto build = [&dir](const std::string& from) {
        dir.write("fonts/fonts.txt", "[font f]\nfile = some name.ttf\nfrom = " + from + "\n");
        DataBuild built(dir.path());
        const std::string error = runStep(buildFonts, built);
        const Bytes* font = built.member("Data/Android/Fonts/some name.ttf");
        const Bytes* licence = built.member("Data/Android/Fonts/LICENSE");
        return error.empty() && font != nullptr && licence != nullptr && font->size() > 1000
                   ? std::string("built")
                   : error;
    };
    EXPECT_EQ(build("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), "built");
    EXPECT_EQ(build("DejaVuSans.ttf"),
              "fonts/fonts.txt:1: [font f] from is the absolute path of an installed font");
    EXPECT_EQ(build(notAFont),
              "fonts/fonts.txt:1: [font f] " + notAFont + " is no TrueType or OpenType font");
    EXPECT_NE(build("/no/such/font.ttf").find("tools/setup installs the font packages"),
              std::string::npos);
}

}  // namespace

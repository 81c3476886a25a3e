#include "tools/data/DataBuild.h"

namespace trellin {

namespace {

const char* const FONT_SOURCE = "fonts/fonts.txt";
const char* const FONT_LICENCE = "fonts/LICENSE";
const char* const FONT_FOLDER = "Fonts/";

// The first four bytes of a TrueType or OpenType font file.
bool isFontFile(const Bytes& bytes) {
    if (bytes.size() < 12) {
        return false;
    }
    const std::string tag(bytes.begin(), bytes.begin() + 4);
    return tag == std::string("\0\1\0\0", 4) || tag == "true" || tag == "OTTO";
}

}  // namespace

// data/fonts/fonts.txt: one [font name] section per font the game loads, with the file name
// the game asks for (file) and the installed font it is a copy of (from, an absolute path).
// The fonts' licence, data/fonts/LICENSE, goes beside them.
bool buildFonts(DataBuild& build, std::string& error) {
    std::string text;
    SourceDocument document;
    if (!build.readSource(FONT_SOURCE, text, error) || !document.parse(text, FONT_SOURCE, error)) {
        return false;
    }
    std::vector<std::string> files;
    for (const SourceSection& section : document.sections()) {
        SectionReader reader(section, document.fileName());
        if (section.kind != "font") {
            reader.fail("a font file holds [font name] sections");
        }
        // Words joined by blanks: the game's names may hold one.
        const std::string file = joinWords(reader.words("file"));
        const std::string from = reader.word("from");
        Bytes font;
        std::string reason;
        if (reader.ok() && (from.empty() || from[0] != '/')) {
            reader.fail("from is the absolute path of an installed font");
        } else if (reader.ok() && !readFileBytes(from, font, reason)) {
            reader.fail(reason + " (tools/setup installs the font packages)");
        } else if (reader.ok() && !isFontFile(font)) {
            reader.fail(from + " is no TrueType or OpenType font");
        }
        if (!reader.finish(error)) {
            return false;
        }
        files.push_back(file);
        build.addMember(std::string(DATA_FOLDER) + FONT_FOLDER + file, font);
    }
    if (files.empty()) {
        error = std::string(FONT_SOURCE) + ": no fonts";
        return false;
    }
    std::string licence;
    if (!DataBuild::uniqueNames(files, FONT_SOURCE, error) ||
        !build.readSource(FONT_LICENCE, licence, error)) {
        return false;
    }
    build.addMember(std::string(DATA_FOLDER) + FONT_FOLDER + "LICENSE",
                    Bytes(licence.begin(), licence.end()));
    return true;
}

}  // namespace trellin

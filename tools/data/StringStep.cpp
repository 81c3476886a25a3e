#include "tools/data/DataBuild.h"
#include "tools/datawriter/StringTableWriter.h"

namespace trellin {

namespace {

const char* const STRING_SOURCE = "strings/strings.txt";
const char* const TABLE_FOLDER = "scripts/Rml/Locale/";

struct Language {
    const char* key;   // the line of a text in the source
    const char* name;  // the table's file name: strings_<name>.bin
};

const Language LANGUAGES[] = {
    {"en", "english"}, {"fr", "french"}, {"it", "italian"}, {"de", "german"}, {"es", "spanish"},
};

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing
// beyond U+10FFFF.
bool isUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80   ? 1
                           : lead < 0xC2 ? 0
                           : lead < 0xE0 ? 2
                           : lead < 0xF0 ? 3
                           : lead < 0xF5 ? 4
                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (next & 0x3F);
        }
        const uint32_t lowest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < lowest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

// data/strings/strings.txt: one [text KEY] section per key with its text in every language
// (one line each: en, fr, it, de, es). A text is the words of its line joined by single blanks.
// Each language becomes one table, with the keys in source order.
bool buildStrings(DataBuild& build, std::string& error) {
    std::string text;
    SourceDocument document;
    if (!build.readSource(STRING_SOURCE, text, error) ||
        !document.parse(text, STRING_SOURCE, error)) {
        return false;
    }
    std::vector<std::string> keys;
    StringTableEntries tables[std::size(LANGUAGES)];
    for (const SourceSection& section : document.sections()) {
        SectionReader reader(section, document.fileName());
        if (section.kind != "text") {
            reader.fail("a string file holds [text KEY] sections");
        }
        for (std::size_t i = 0; i < std::size(LANGUAGES); ++i) {
            const std::string joined = joinWords(reader.words(LANGUAGES[i].key));
            if (reader.ok() && !isUtf8(joined)) {
                reader.fail(std::string("the ") + LANGUAGES[i].key + " text is not UTF-8");
            }
            tables[i].emplace_back(section.name, joined);
        }
        if (!reader.finish(error)) {
            return false;
        }
        keys.push_back(section.name);
    }
    if (keys.empty()) {
        error = std::string(STRING_SOURCE) + ": no texts";
        return false;
    }
    if (!DataBuild::uniqueNames(keys, STRING_SOURCE, error)) {
        return false;
    }
    for (std::size_t i = 0; i < std::size(LANGUAGES); ++i) {
        Bytes table;
        if (!buildStringTable(tables[i], table, error)) {
            return false;
        }
        build.addMember(std::string(TABLE_FOLDER) + "strings_" + LANGUAGES[i].name + ".bin", table);
    }
    return true;
}

}  // namespace trellin

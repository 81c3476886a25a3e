#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace trellin {

// One "key = value ..." line of a section.
struct SourceEntry {
    std::string key;
    std::vector<std::string> values;
    int line;
};

// A "[kind name]" header and the lines under it.
struct SourceSection {
    std::string kind;
    std::string name;
    int line;
    std::vector<SourceEntry> entries;
};

// The text format of the data descriptions in data/:
//
//   # a comment, to the end of the line
//   [kind name]
//   key = value value ...
//
// Words are separated by blanks; a key may repeat (a hull lists one point per line). Every
// line but comments and blank lines belongs to a section.
class SourceDocument {
public:
    // False, with "file:line: reason" in error, on the first malformed line.
    bool parse(const std::string& text, const std::string& fileName, std::string& error);

    const std::string& fileName() const { return fileName_; }
    const std::vector<SourceSection>& sections() const { return sections_; }

private:
    std::string fileName_;
    std::vector<SourceSection> sections_;
};

// A number word: a finite decimal float and nothing else.
bool parseNumber(const std::string& word, float& value);
// Words joined by single blanks (a name or a text that may hold blanks).
std::string joinWords(const std::vector<std::string>& words);

// Reads one section. Every key the section holds must be asked for, so that a misspelt key
// fails the build instead of being ignored; finish() reports that and the first other error,
// with the file and line.
class SectionReader {
public:
    SectionReader(const SourceSection& section, const std::string& fileName);

    const std::string& name() const { return section_.name; }
    bool has(const char* key);

    // The single word of a key that must appear once.
    std::string word(const char* key);
    // The same for a key that may be left out.
    std::string word(const char* key, const std::string& fallback);
    // Every word of a key that must appear once.
    std::vector<std::string> words(const char* key);
    // n numbers of a key that must appear once.
    void numbers(const char* key, float* out, std::size_t n);
    // The same for a key that may be left out (out keeps its values then).
    void optionalNumbers(const char* key, float* out, std::size_t n);
    // A whole number from low to high of a key that must appear once, or may be left out
    // when a fallback is given.
    int count(const char* key, int low, int high);
    int count(const char* key, int low, int high, int fallback);
    // "yes" or "no", fallback when left out.
    bool flag(const char* key, bool fallback);
    // Every line of a repeated key, in order.
    std::vector<const SourceEntry*> all(const char* key);
    // n numbers of one line of a repeated key (starting at its word first).
    void entryNumbers(const SourceEntry& entry, float* out, std::size_t n, std::size_t first = 0);

    // Records an error at a line (the section's header line when 0).
    void fail(const std::string& reason, int line = 0);
    bool ok() const { return error_.empty(); }
    // False, with the first error, when one was recorded or a key was never asked for.
    bool finish(std::string& error);

private:
    const SourceEntry* single(const char* key);

    const SourceSection& section_;
    std::string fileName_;
    std::vector<bool> used_;
    std::string error_;
};

}  // namespace trellin

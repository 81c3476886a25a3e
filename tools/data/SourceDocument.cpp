#include "tools/data/SourceDocument.h"

#include <cmath>
#include <cstdlib>

namespace trellin {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool isKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (isBlank(c)) {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

std::string location(const std::string& fileName, int line) {
    return fileName + ":" + std::to_string(line) + ": ";
}

}  // namespace

bool SourceDocument::parse(const std::string& text, const std::string& fileName,
                           std::string& error) {
    fileName_ = fileName;
    sections_.clear();
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        const std::vector<std::string> words = splitWords(line);
        if (words.empty()) {
            continue;
        }
        if (words.front().front() == '[') {
            // The header is "[kind name]", with the brackets on the first and last words.
            const std::string header = joinWords(words);
            const std::vector<std::string> inside =
                header.back() == ']' ? splitWords(header.substr(1, header.size() - 2))
                                     : std::vector<std::string>();
            if (inside.size() != 2 || inside[0].find_first_of("[]") != std::string::npos ||
                inside[1].find_first_of("[]") != std::string::npos) {
                error = location(fileName, lineNumber) + "a section header is [kind name]";
                return false;
            }
            sections_.push_back(SourceSection{inside[0], inside[1], lineNumber, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::vector<std::string> keyWords = equals == std::string::npos
                                                      ? std::vector<std::string>()
                                                      : splitWords(line.substr(0, equals));
        bool keyValid = keyWords.size() == 1;
        for (char c : keyValid ? keyWords[0] : std::string()) {
            keyValid = keyValid && isKeyCharacter(c);
        }
        if (!keyValid) {
            error = location(fileName, lineNumber) + "expected [kind name] or key = values";
            return false;
        }
        if (sections_.empty()) {
            error = location(fileName, lineNumber) + "a key outside any section";
            return false;
        }
        std::vector<std::string> values = splitWords(line.substr(equals + 1));
        if (values.empty()) {
            error = location(fileName, lineNumber) + "key " + keyWords[0] + " has no value";
            return false;
        }
        sections_.back().entries.push_back(SourceEntry{keyWords[0], values, lineNumber});
    }
    return true;
}

std::string joinWords(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) {
        joined += (joined.empty() ? "" : " ") + word;
    }
    return joined;
}

bool parseNumber(const std::string& word, float& value) {
    if (word.empty()) {
        return false;
    }
    char* end = nullptr;
    const float parsed = std::strtof(word.c_str(), &end);
    if (end != word.c_str() + word.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

SectionReader::SectionReader(const SourceSection& section, const std::string& fileName)
    : section_(section), fileName_(fileName), used_(section.entries.size(), false) {}

bool SectionReader::has(const char* key) {
    for (const SourceEntry& e : section_.entries) {
        if (e.key == key) {
            return true;
        }
    }
    return false;
}

const SourceEntry* SectionReader::single(const char* key) {
    const SourceEntry* found = nullptr;
    for (std::size_t i = 0; i < section_.entries.size(); ++i) {
        if (section_.entries[i].key != key) {
            continue;
        }
        used_[i] = true;
        if (found != nullptr) {
            fail(std::string("key ") + key + " is given twice", section_.entries[i].line);
            return nullptr;
        }
        found = &section_.entries[i];
    }
    return found;
}

std::string SectionReader::word(const char* key) {
    const std::vector<std::string> values = words(key);
    if (values.size() != 1) {
        if (!values.empty()) {
            fail(std::string("key ") + key + " takes one word");
        }
        return std::string();
    }
    return values[0];
}

std::string SectionReader::word(const char* key, const std::string& fallback) {
    return has(key) ? word(key) : fallback;
}

std::vector<std::string> SectionReader::words(const char* key) {
    const SourceEntry* e = single(key);
    if (e == nullptr) {
        fail(std::string("key ") + key + " is missing");
        return std::vector<std::string>();
    }
    return e->values;
}

void SectionReader::numbers(const char* key, float* out, std::size_t n) {
    const SourceEntry* e = single(key);
    if (e == nullptr) {
        fail(std::string("key ") + key + " is missing");
        return;
    }
    entryNumbers(*e, out, n);
}

void SectionReader::optionalNumbers(const char* key, float* out, std::size_t n) {
    if (has(key)) {
        numbers(key, out, n);
    }
}

int SectionReader::count(const char* key, int low, int high) {
    float value = float(low);
    numbers(key, &value, 1);
    if (!ok()) {
        return low;
    }
    if (!(value >= float(low) && value <= float(high)) || value != std::floor(value)) {
        fail(std::string("key ") + key + " is a whole number from " + std::to_string(low) + " to " +
             std::to_string(high));
        return low;
    }
    return int(value);
}

int SectionReader::count(const char* key, int low, int high, int fallback) {
    return has(key) ? count(key, low, high) : fallback;
}

bool SectionReader::flag(const char* key, bool fallback) {
    if (!has(key)) {
        return fallback;
    }
    const std::string w = word(key);
    if (w != "yes" && w != "no") {
        fail(std::string("key ") + key + " is yes or no");
    }
    return w == "yes";
}

std::vector<const SourceEntry*> SectionReader::all(const char* key) {
    std::vector<const SourceEntry*> found;
    for (std::size_t i = 0; i < section_.entries.size(); ++i) {
        if (section_.entries[i].key == key) {
            used_[i] = true;
            found.push_back(&section_.entries[i]);
        }
    }
    return found;
}

void SectionReader::entryNumbers(const SourceEntry& entry, float* out, std::size_t n,
                                 std::size_t first) {
    if (entry.values.size() != first + n) {
        fail("key " + entry.key + " takes " + std::to_string(first + n) + " words", entry.line);
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!parseNumber(entry.values[first + i], out[i])) {
            fail("key " + entry.key + ": " + entry.values[first + i] + " is not a number",
                 entry.line);
            return;
        }
    }
}

void SectionReader::fail(const std::string& reason, int line) {
    if (error_.empty()) {
        error_ = location(fileName_, line == 0 ? section_.line : line) + "[" + section_.kind + " " +
                 section_.name + "] " + reason;
    }
}

bool SectionReader::finish(std::string& error) {
    for (std::size_t i = 0; i < used_.size(); ++i) {
        if (!used_[i]) {
            fail("unknown key " + section_.entries[i].key, section_.entries[i].line);
        }
    }
    error = error_;
    return error_.empty();
}

}  // namespace trellin

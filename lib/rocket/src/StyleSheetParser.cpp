#include "StyleSheetParser.h"

#include "PropertyRegistry.h"
#include "StringTrim.h"
#include "StyleSheet.h"

#include <Rocket/Core/Log.h>

#include <algorithm>

namespace Rocket {
namespace Core {

namespace {

// Line numbers of positions met in order: each byte is counted once, not once per rule.
class LineCounter {
public:
    LineCounter(const String& text_, int first_line) : text(text_), line(first_line) {}

    int LineAt(size_t pos) {
        pos = std::min(pos, text.size());
        if (pos > counted)
            line += static_cast<int>(std::count(text.begin() + static_cast<long>(counted),
                                                text.begin() + static_cast<long>(pos), '\n'));
        else
            line -= static_cast<int>(std::count(text.begin() + static_cast<long>(pos),
                                                text.begin() + static_cast<long>(counted), '\n'));
        counted = pos;
        return line;
    }

private:
    const String& text;
    int line;
    size_t counted = 0;
};

// Comments become blanks, keeping line breaks so that line numbers stay right.
String StripComments(const String& text) {
    String result(text);
    size_t pos = 0;
    while ((pos = result.find("/*", pos)) != String::npos) {
        size_t end = result.find("*/", pos + 2);
        size_t stop = end == String::npos ? result.size() : end + 2;
        for (size_t i = pos; i < stop; ++i)
            if (result[i] != '\n') result[i] = ' ';
        pos = stop;
    }
    return result;
}

// Position of the brace that closes the block opened just before start, or the end of text.
size_t FindBlockEnd(const String& text, size_t start) {
    int depth = 1;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] == '{')
            ++depth;
        else if (text[i] == '}' && --depth == 0)
            return i;
    }
    return text.size();
}

// Declarations of text without comments.
void ParseStrippedDeclarations(const String& text, const String& source, int line,
                               PropertyMap& properties) {
    const PropertyRegistry& registry = PropertyRegistry::Instance();
    LineCounter lines(text, line);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(';', start);
        if (end == String::npos) end = text.size();
        String declaration = Trim(text.Substring(start, end - start));
        if (!declaration.empty()) {
            size_t colon = declaration.find(':');
            String name = colon == String::npos ? String() : Trim(declaration.Substring(0, colon));
            String value =
                colon == String::npos ? String() : Trim(declaration.Substring(colon + 1));
            if (name.empty() || !registry.ParsePropertyDeclaration(properties, name, value))
                Log::Message(Log::LT_WARNING, "Invalid declaration '%s' in %s, line %d.",
                             declaration.c_str(), source.c_str(),
                             lines.LineAt(text.find_first_not_of(" \t\r\n\f", start)));
        }
        start = end + 1;
    }
}

}  // namespace

void StyleSheetParser::ParseDeclarations(const String& raw_text, const String& source, int line,
                                         PropertyMap& properties) {
    ParseStrippedDeclarations(StripComments(raw_text), source, line, properties);
}

std::shared_ptr<StyleSheet> StyleSheetParser::Parse(const String& raw_text, const String& source) {
    auto sheet = std::make_shared<StyleSheet>();
    String text = StripComments(raw_text);
    LineCounter lines(text, 1);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('{', pos);
        if (open == String::npos) {
            if (!Trim(text.Substring(pos)).empty())
                Log::Message(Log::LT_WARNING, "Rule without a body in %s, line %d.", source.c_str(),
                             lines.LineAt(pos));
            break;
        }
        size_t close = FindBlockEnd(text, open + 1);
        String selectors = Trim(text.Substring(pos, open - pos));
        int line = lines.LineAt(open);
        if (!selectors.empty() && selectors[0] == '@') {
            pos = close + 1;
            continue;
        }
        PropertyMap properties;
        ParseStrippedDeclarations(text.Substring(open + 1, close - open - 1), source, line,
                                  properties);
        size_t start = 0;
        while (start <= selectors.size()) {
            size_t comma = selectors.find(',', start);
            String selector_text = Trim(
                selectors.Substring(start, comma == String::npos ? String::npos : comma - start));
            StyleSheetSelector selector;
            if (selector.Parse(selector_text))
                sheet->AddRule(selector, properties);
            else
                Log::Message(Log::LT_WARNING, "Invalid selector '%s' in %s, line %d.",
                             selector_text.c_str(), source.c_str(), line);
            if (comma == String::npos) break;
            start = comma + 1;
        }
        pos = close + 1;
    }
    return sheet;
}

}  // namespace Core
}  // namespace Rocket

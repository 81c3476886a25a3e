#include "StyleSheetParser.h"

#include "PropertyRegistry.h"
#include "StringTrim.h"
#include "StyleSheet.h"

#include <Rocket/Core/Log.h>

#include <algorithm>

namespace Rocket {
namespace Core {

namespace {

int CountLines(const String& text, size_t begin, size_t end) {
    end = std::min(end, text.size());
    return static_cast<int>(std::count(text.begin() + static_cast<long>(std::min(begin, end)),
                                       text.begin() + static_cast<long>(end), '\n'));
}

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

}  // namespace

void StyleSheetParser::ParseDeclarations(const String& raw_text, const String& source, int line,
                                         PropertyMap& properties) {
    String text = StripComments(raw_text);
    const PropertyRegistry& registry = PropertyRegistry::Instance();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(';', start);
        if (end == String::npos) end = text.size();
        String declaration = Trim(text.Substring(start, end - start));
        size_t first = text.find_first_not_of(" \t\r\n\f", start);
        int declaration_line = line + CountLines(text, 0, first == String::npos ? start : first);
        if (!declaration.empty()) {
            size_t colon = declaration.find(':');
            String name = colon == String::npos ? String() : Trim(declaration.Substring(0, colon));
            String value =
                colon == String::npos ? String() : Trim(declaration.Substring(colon + 1));
            if (name.empty() || !registry.ParsePropertyDeclaration(properties, name, value))
                Log::Message(Log::LT_WARNING, "Invalid declaration '%s' in %s, line %d.",
                             declaration.c_str(), source.c_str(), declaration_line);
        }
        start = end + 1;
    }
}

std::shared_ptr<StyleSheet> StyleSheetParser::Parse(const String& raw_text, const String& source) {
    auto sheet = std::make_shared<StyleSheet>();
    String text = StripComments(raw_text);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('{', pos);
        if (open == String::npos) {
            if (!Trim(text.Substring(pos)).empty())
                Log::Message(Log::LT_WARNING, "Rule without a body in %s, line %d.", source.c_str(),
                             1 + CountLines(text, 0, pos));
            break;
        }
        size_t close = FindBlockEnd(text, open + 1);
        String selectors = Trim(text.Substring(pos, open - pos));
        int line = 1 + CountLines(text, 0, open);
        if (!selectors.empty() && selectors[0] == '@') {
            pos = close + 1;
            continue;
        }
        PropertyMap properties;
        ParseDeclarations(text.Substring(open + 1, close - open - 1), source, line, properties);
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

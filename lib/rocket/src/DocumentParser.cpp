#include "DocumentParser.h"

#include "ElementImage.h"
#include "StyleSheet.h"
#include "StyleSheetFactory.h"
#include "StyleSheetParser.h"

#include <Rocket/Core/Core.h>
#include <Rocket/Core/ElementDocument.h>
#include <Rocket/Core/ElementText.h>
#include <Rocket/Core/Log.h>
#include <Rocket/Core/SystemInterface.h>

#include <pugixml.hpp>

namespace Rocket {
namespace Core {

namespace {

// Deeper trees are cut: every pass over the tree recurses.
const int max_depth = 128;

String LowerName(const char* name) { return String(name).ToLower(); }

pugi::xml_node FindChild(const pugi::xml_node& node, const char* name) {
    for (pugi::xml_node child : node.children())
        if (child.type() == pugi::node_element && LowerName(child.name()) == name) return child;
    return pugi::xml_node();
}

bool IsBlank(const String& text) { return text.find_first_not_of(" \t\r\n") == String::npos; }

int DepthOf(Element* element) {
    int depth = 0;
    for (; element != nullptr; element = element->GetParentNode()) ++depth;
    return depth;
}

void BuildChildren(Element* parent, const pugi::xml_node& node, int depth) {
    if (depth > max_depth) {
        Log::Message(Log::LT_WARNING, "RML nested deeper than %d elements; the rest is ignored.",
                     max_depth);
        return;
    }
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            String text(child.value());
            if (IsBlank(text)) continue;
            String translated = text;
            if (SystemInterface* system_interface = GetSystemInterface())
                system_interface->TranslateString(translated, text);
            auto* text_element = new ElementText("#text");
            text_element->SetText(translated);
            parent->AppendChild(text_element);
            text_element->RemoveReference();
        } else if (child.type() == pugi::node_element) {
            Element* element = DocumentParser::InstanceElement(LowerName(child.name()));
            for (pugi::xml_attribute attribute : child.attributes())
                element->SetAttribute(LowerName(attribute.name()), String(attribute.value()));
            parent->AppendChild(element);
            BuildChildren(element, child, depth + 1);
            element->RemoveReference();
        }
    }
}

void LogParseError(const pugi::xml_parse_result& result, const String& source) {
    Log::Message(Log::LT_ERROR, "Failed to parse RML of %s: %s at byte %ld.", source.c_str(),
                 result.description(), static_cast<long>(result.offset));
}

void ReadHead(ElementDocument* document, const pugi::xml_node& head, StyleSheet& sheet) {
    for (pugi::xml_node child : head.children()) {
        if (child.type() != pugi::node_element) continue;
        String name = LowerName(child.name());
        if (name == "title") {
            document->SetTitle(String(child.child_value()));
        } else if (name == "link" &&
                   String(child.attribute("type").value()).ToLower() == "text/rcss") {
            String path = child.attribute("href").value();
            if (SystemInterface* system_interface = GetSystemInterface())
                system_interface->JoinPath(path, document->GetSourceURL(),
                                           String(child.attribute("href").value()));
            if (std::shared_ptr<StyleSheet> linked = StyleSheetFactory::GetStyleSheet(path))
                sheet.Append(*linked);
        } else if (name == "style") {
            sheet.Append(
                *StyleSheetParser::Parse(String(child.child_value()), document->GetSourceURL()));
        }
    }
}

}  // namespace

Element* DocumentParser::InstanceElement(const String& tag) {
    if (tag == "img") return new ElementImage(tag);
    if (tag == "#text") return new ElementText(tag);
    return new Element(tag);
}

ElementDocument* DocumentParser::ParseDocument(const String& rml, const String& source_url) {
    pugi::xml_document xml;
    pugi::xml_parse_result result =
        xml.load_buffer(rml.data(), rml.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) LogParseError(result, source_url);
    pugi::xml_node root = FindChild(xml, "rml");
    if (!root) {
        Log::Message(Log::LT_ERROR, "%s holds no <rml> document.", source_url.c_str());
        return nullptr;
    }
    auto* document = new ElementDocument("body");
    document->SetSourceURL(source_url);
    auto sheet = std::make_shared<StyleSheet>();
    if (pugi::xml_node head = FindChild(root, "head")) ReadHead(document, head, *sheet);
    document->SetStyleSheet(sheet);
    if (pugi::xml_node body = FindChild(root, "body")) {
        for (pugi::xml_attribute attribute : body.attributes())
            document->SetAttribute(LowerName(attribute.name()), String(attribute.value()));
        BuildChildren(document, body, 1);
    }
    return document;
}

void DocumentParser::ParseInnerRML(Element* parent, const String& rml) {
    pugi::xml_document xml;
    pugi::xml_parse_result result = xml.load_buffer(
        rml.data(), rml.size(), pugi::parse_default | pugi::parse_fragment, pugi::encoding_utf8);
    if (!result) LogParseError(result, "inner RML of <" + parent->GetTagName() + ">");
    BuildChildren(parent, xml, DepthOf(parent));
}

void DocumentParser::AppendEscaped(String& content, const String& text, bool attribute) {
    for (char c : text) {
        if (c == '&')
            content += "&amp;";
        else if (c == '<')
            content += "&lt;";
        else if (c == '>')
            content += "&gt;";
        else if (c == '"' && attribute)
            content += "&quot;";
        else
            content += c;
    }
}

}  // namespace Core
}  // namespace Rocket

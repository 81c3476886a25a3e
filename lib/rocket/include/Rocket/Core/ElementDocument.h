#pragma once

#include <Rocket/Core/Element.h>

namespace Rocket {
namespace Core {

class ElementText;
class StyleSheet;

// The root of one loaded document (its <body>).
class ElementDocument : public Element {
public:
    enum FocusFlags { NONE = 0, FOCUS = (1 << 1), MODAL = (1 << 2) };

    explicit ElementDocument(const String& tag);
    ~ElementDocument() override;

    void SetTitle(const String& title_) { title = title_; }
    const String& GetTitle() const { return title; }
    void SetSourceURL(const String& url) { source_url = url; }
    const String& GetSourceURL() const { return source_url; }

    void SetStyleSheet(std::shared_ptr<StyleSheet> style_sheet_);
    const std::shared_ptr<StyleSheet>& GetStyleSheet() const { return style_sheet; }

    void PullToFront();
    void PushToBack();
    void Show(int focus_flags = FOCUS);
    void Hide();
    // Unloads the document from its context.
    void Close();
    bool IsModal() const { return modal; }

    // Creates an element or text node that belongs to no tree yet (one reference for the caller).
    Element* CreateElement(const String& name);
    ElementText* CreateTextNode(const String& text);

    // The next (or previous) element with "tab-index: auto" after current, wrapping round; null
    // when none.
    Element* FindNextTabElement(Element* current, bool forward);

    // Restyles and lays out the document when something changed.
    void UpdateDocument();
    void DirtyDocumentLayout() { layout_dirty = true; }
    bool IsLayoutDirty() const { return layout_dirty; }

private:
    friend class Context;

    String title;
    String source_url;
    std::shared_ptr<StyleSheet> style_sheet;
    bool modal = false;
    bool layout_dirty = true;
    bool in_layout = false;
    bool unloading = false;
};

}  // namespace Core
}  // namespace Rocket

#include "RocketTestSupport.h"

namespace rocket_test {
namespace {

class DocumentTest : public RocketTest {};

TEST_F(DocumentTest, HeadBodyAttributesEntitiesAndInnerRml) {
    ElementDocument* document =
        Load("ui/menu.rml",
             "<rml><head><title>Menu</title></head><body id='menu' reference_width='1024'>"
             "<p id='p' class='a b'>caf\xC3\xA9 &amp; &lt;tea&gt; "
             "&#x263A;<br/><span>x</span></p></body></rml>");
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), "Menu");
    EXPECT_EQ(document->GetSourceURL(), "ui/menu.rml");
    EXPECT_EQ(document->GetTagName(), "body");
    EXPECT_EQ(document->GetAttribute<float>("reference_width", 0), 1024.0f);
    EXPECT_EQ(context->GetDocument("menu"), document);
    Element* p = document->GetElementById("p");
    EXPECT_EQ(p->GetInnerRML(), "caf\xC3\xA9 &amp; &lt;tea&gt; \xE2\x98\xBA<br/><span>x</span>");
    EXPECT_TRUE(p->IsClassSet("b"));
    p->SetInnerRML("+5000 : <span id='on'>ON</span>");
    EXPECT_EQ(p->GetNumChildren(), 2);
    EXPECT_NE(document->GetElementById("on"), nullptr);
    EXPECT_EQ(document->GetElementById("on")->GetOwnerDocument(), document);
    EXPECT_EQ(p->GetContext(), context);
    p->SetInnerRML("");
    EXPECT_FALSE(p->HasChildNodes());
}

TEST_F(DocumentTest, BrokenDocumentsAreLoggedAndShowWhatParsed) {
    EXPECT_EQ(context->LoadDocument("missing.rml"), nullptr);
    files.files["empty.rml"] = "";
    EXPECT_EQ(context->LoadDocument("empty.rml"), nullptr);
    files.files["not.rml"] = "<html><body/></html>";
    EXPECT_EQ(context->LoadDocument("not.rml"), nullptr);
    EXPECT_EQ(context->GetNumDocuments(), 0);
    ElementDocument* document =
        Load("cut.rml", "<rml><body><div id='a'>kept</div><div id='b' class=\"x");
    ASSERT_NE(document, nullptr);
    EXPECT_NE(document->GetElementById("a"), nullptr);
    EXPECT_GE(system.CountMessages(Log::LT_ERROR), 4);
    // Inner RML that does not parse keeps what came before the fault.
    document->GetElementById("a")->SetInnerRML("<b>one</b><i>two");
    EXPECT_EQ(document->GetElementById("a")->GetChild(0)->GetTagName(), "b");
}

TEST_F(DocumentTest, DeepNestingIsCut) {
    std::string rml = "<rml><body>";
    for (int i = 0; i < 2000; ++i) rml += "<div>";
    rml += "</body></rml>";
    ElementDocument* document = Load("deep.rml", rml);
    ASSERT_NE(document, nullptr);
    int depth = 0;
    for (Element* element = document; element->HasChildNodes(); element = element->GetFirstChild())
        ++depth;
    EXPECT_LE(depth, 130);
    context->Render("all");
}

TEST_F(DocumentTest, DocumentsFromMemoryAndUnloading) {
    ElementDocument* first = context->LoadDocumentFromMemory("<rml><body id='one'/></rml>");
    ElementDocument* second = context->LoadDocumentFromMemory("<rml><body id='two'/></rml>");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetSourceURL(), "[document from memory]");
    EXPECT_FALSE(first->IsVisible());
    EXPECT_EQ(context->GetDocument(0), first);
    first->PullToFront();
    EXPECT_EQ(context->GetDocument(0), second);
    EXPECT_EQ(context->GetDocument(5), nullptr);
    first->RemoveReference();
    first->Close();
    context->UnloadDocument(first);
    context->UnloadAllDocuments();
    EXPECT_EQ(context->GetNumDocuments(), 0);
    // The caller's reference keeps an unloaded document alive after the update.
    context->Update();
    EXPECT_EQ(second->GetId(), "two");
    second->RemoveReference();
}

TEST_F(DocumentTest, ContextsAndCursor) {
    EXPECT_EQ(GetContext("default"), context);
    EXPECT_EQ(CreateContext("default", Vector2i(1, 1)), nullptr);
    Context* other = CreateContext("other", Vector2i(10, 10));
    EXPECT_EQ(GetNumContexts(), 2);
    other->RemoveReference();
    EXPECT_EQ(GetNumContexts(), 1);
    files.files["cursor.rml"] =
        "<rml><head><style>body { display: block; width: 4px; height: 4px; background-color: "
        "#ff0000; }"
        "</style></head><body/></rml>";
    ElementDocument* cursor = context->LoadMouseCursor("cursor.rml");
    ASSERT_NE(cursor, nullptr);
    cursor->RemoveReference();
    context->ProcessMouseMove(100, 50, 0);
    renderer.draws.clear();
    context->Render("hud");
    auto rects = renderer.DrawnRects();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_FLOAT_EQ(rects[0].x, 100);
    EXPECT_FLOAT_EQ(rects[0].y, 50);
    context->ShowMouseCursor(false);
    renderer.draws.clear();
    context->Render("all");
    EXPECT_TRUE(renderer.draws.empty());
}

}  // namespace
}  // namespace rocket_test

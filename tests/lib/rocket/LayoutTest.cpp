#include "RocketTestSupport.h"

#include <Rocket/Core/FontFaceHandle.h>

#include <cmath>

namespace rocket_test {
namespace {

// A page whose body fills the context; each case adds its own style and content.
std::string Page(const std::string& style, const std::string& body) {
    return "<rml><head><style>body { display: block; width: 100%; height: 100%; font-family: "
           "DejaVu Sans; "
           "font-size: 16px; line-height: 20px; } div, p { display: block; } " +
           style + "</style></head><body>" + body + "</body></rml>";
}

struct BoxCase {
    const char* name;
    const char* style;
    const char* body;
    const char* id;
    float x, y, width, height;
};

class LayoutTest : public RocketTest {};

TEST_F(LayoutTest, BorderBoxesOfSmallDocuments) {
    const BoxCase cases[] = {
        {"block flow stacks margin boxes",
         "div { height: 50px; margin: 10px; padding: 5px; border-width: 2px; }",
         "<div id='a'/><div id='b'/>", "b", 10, 94, 1004, 64},
        {"percent width", "#a { width: 50%; height: 10px; }", "<div id='a'/>", "a", 0, 0, 512, 10},
        {"em lengths use the element's font size",
         "#a { font-size: 20px; width: 10em; padding: 1em; height: 0; }", "<div id='a'/>", "a", 0,
         0, 240, 40},
        {"auto margins centre a sized block", "#a { width: 200px; height: 10px; margin: 0 auto; }",
         "<div id='a'/>", "a", 412, 0, 200, 10},
        {"max-width clamps", "#a { width: 50%; max-width: 300px; min-height: 12px; }",
         "<div id='a'/>", "a", 0, 0, 300, 12},
        {"display none takes no room", "#a { display: none; height: 30px; } #b { height: 5px; }",
         "<div id='a'/><div id='b'/>", "b", 0, 0, 1024, 5},
        {"absolute from left and top",
         "#a { position: absolute; left: 100px; top: 50px; width: 200px; height: 100px; }",
         "<div id='a'/>", "a", 100, 50, 200, 100},
        {"absolute from right and bottom",
         "#a { position: absolute; right: 10px; bottom: 20px; width: 100px; height: 50px; }",
         "<div id='a'/>", "a", 914, 530, 100, 50},
        {"absolute stretched between its offsets",
         "#a { position: absolute; left: 10px; right: 10px; top: 0; bottom: 50%; }",
         "<div id='a'/>", "a", 10, 0, 1004, 300},
        {"absolute in a shifted relative block",
         "#c { position: relative; top: 10px; height: 40px; margin-top: 30px; } "
         "#a { position: absolute; left: 5px; top: 5px; width: 1px; height: 1px; }",
         "<div id='c'><div id='a'/></div>", "a", 5, 45, 1, 1},
        {"fixed ignores a shifted ancestor",
         "#c { position: relative; left: 40px; top: 40px; } #a { position: fixed; left: 7px; top: "
         "8px; width: 3px; height: 4px; }",
         "<div id='c'><div id='a'/></div>", "a", 7, 8, 3, 4},
        {"relative shift", "#a { position: relative; left: 3px; bottom: 4px; height: 10px; }",
         "<div id='a'/>", "a", 3, -4, 1024, 10},
        {"absolute width shrinks to its content",
         "#a { position: absolute; left: 0; top: 0; } #i { display: block; width: 70px; height: "
         "5px; }",
         "<div id='a'><div id='i'/></div>", "a", 0, 0, 70, 5},
        {"image keeps its aspect ratio", "#a { display: block; width: 128px; }",
         "<img id='a' src='images/logo.png'/>", "a", 0, 0, 128, 64},
        {"image size from attributes", "#a { display: block; }",
         "<img id='a' src='images/logo.png' width='10' height='12'/>", "a", 0, 0, 10, 12},
    };
    renderer.image_sizes["ui/images/logo.png"] = Vector2i(64, 32);
    for (const BoxCase& test : cases) {
        SCOPED_TRACE(test.name);
        ElementDocument* document = Load("ui/page.rml", Page(test.style, test.body));
        ASSERT_NE(document, nullptr);
        Element* element = document->GetElementById(test.id);
        ASSERT_NE(element, nullptr);
        Vector2f position = element->GetAbsoluteOffset(Box::BORDER);
        Vector2f size = element->GetBox().GetSize(Box::BORDER);
        EXPECT_FLOAT_EQ(position.x, test.x);
        EXPECT_FLOAT_EQ(position.y, test.y);
        EXPECT_FLOAT_EQ(size.x, test.width);
        EXPECT_FLOAT_EQ(size.y, test.height);
        document->Close();
        context->Update();
    }
}

TEST_F(LayoutTest, FontSizesResolveAgainstTheParent) {
    ElementDocument* document =
        Load("page.rml", Page("#p { font-size: 20px; } #em { font-size: 1.5em; } #pc { font-size: "
                              "50%; } #n { font-size: 18; }",
                              "<div id='p'><div id='em'/><div id='pc'/><div id='n'/></div>"));
    EXPECT_FLOAT_EQ(document->GetElementById("em")->GetProperty("font-size")->Get<float>(), 1.5f);
    // The computed sizes, seen through an em length.
    for (auto [id, size] : {std::pair<const char*, float>{"em", 30}, {"pc", 10}, {"n", 18}}) {
        Element* element = document->GetElementById(id);
        element->SetProperty("width", "2em");
        EXPECT_FLOAT_EQ(element->GetBox().GetSize().x, 2 * size) << id;
    }
}

TEST_F(LayoutTest, TextWrapsAtBlanksAndAligns) {
    std::shared_ptr<FontFaceHandle> face = Face(16);
    ASSERT_TRUE(face);
    float two_words = face->GetStringWidth("aaa bbb");
    float width = std::ceil(two_words) + 1;
    ASSERT_GT(face->GetStringWidth("aaa bbb ccc"), width);
    for (const char* align : {"left", "center", "right"}) {
        SCOPED_TRACE(align);
        std::string style = "#t { width: " + std::to_string(static_cast<int>(width)) +
                            "px; text-align: " + align + "; }";
        ElementDocument* document =
            Load("page.rml", Page(style, "<div id='t'>aaa  bbb\n ccc ddd</div>"));
        auto* text = dynamic_cast<ElementText*>(document->GetElementById("t")->GetFirstChild());
        ASSERT_NE(text, nullptr);
        const auto& lines = text->GetLines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].text, "aaa bbb");
        EXPECT_EQ(lines[1].text, "ccc ddd");
        // Lines are 20px apart; the baseline sits at the half-leading plus the ascent.
        float half_leading = (20 - face->GetAscent() - face->GetDescent()) / 2;
        Vector2f first = text->GetAbsoluteOffset(Box::BORDER) + lines[0].position;
        Vector2f second = text->GetAbsoluteOffset(Box::BORDER) + lines[1].position;
        EXPECT_FLOAT_EQ(first.y, half_leading + face->GetAscent());
        EXPECT_FLOAT_EQ(second.y - first.y, 20);
        float extra = width - two_words;
        float expected_x =
            std::string(align) == "left" ? 0 : (std::string(align) == "center" ? extra / 2 : extra);
        EXPECT_NEAR(first.x, expected_x, 0.01);
        EXPECT_FLOAT_EQ(document->GetElementById("t")->GetBox().GetSize().y, 40);
        document->Close();
        context->Update();
    }
}

TEST_F(LayoutTest, InlineContentSharesLinesAndBreaks) {
    std::shared_ptr<FontFaceHandle> face = Face(16);
    ElementDocument* document =
        Load("page.rml",
             Page("#s { display: inline-block; padding: 2px; } #u { padding-left: 4px; }",
                  "<div id='d'>ab <span id='u'>cd</span><br/>ef <span id='s'>gh</span></div>"));
    Element* span = document->GetElementById("u");
    Element* block = document->GetElementById("s");
    // "ab " then the span's padding, then its text.
    EXPECT_NEAR(span->GetAbsoluteOffset(Box::BORDER).x, face->GetStringWidth("ab "), 0.01);
    EXPECT_NEAR(span->GetBox().GetSize(Box::BORDER).x, 4 + face->GetStringWidth("cd"), 0.01);
    // The inline block shrinks to its text and sits on the second line's baseline.
    EXPECT_NEAR(block->GetBox().GetSize(Box::BORDER).x, 4 + face->GetStringWidth("gh"), 0.01);
    EXPECT_NEAR(block->GetAbsoluteOffset(Box::BORDER).x, face->GetStringWidth("ef "), 0.01);
    float block_height = block->GetBox().GetSize(Box::BORDER).y;
    float half_leading = (20 - face->GetAscent() - face->GetDescent()) / 2;
    float second_line_above = std::max(half_leading + face->GetAscent(), block_height);
    EXPECT_NEAR(block->GetAbsoluteOffset(Box::BORDER).y + block_height, 20 + second_line_above,
                0.01);
}

TEST_F(LayoutTest, LayoutRunsAgainOnlyAfterAChange) {
    ElementDocument* document =
        Load("page.rml", Page("#a { height: 10px; }", "<div id='a'/><div id='b'>x</div>"));
    context->Update();
    EXPECT_FALSE(document->IsLayoutDirty());
    context->Update();
    EXPECT_FALSE(document->IsLayoutDirty());
    document->GetElementById("a")->SetProperty("height", "30px");
    EXPECT_TRUE(document->IsLayoutDirty());
    EXPECT_FLOAT_EQ(document->GetElementById("b")->GetAbsoluteOffset(Box::BORDER).y, 30);
    // Setting the same value again changes nothing.
    document->GetElementById("a")->SetProperty("height", "30px");
    EXPECT_FALSE(document->IsLayoutDirty());
}

TEST_F(LayoutTest, LayerElementsStackOnTop) {
    ElementDocument* document =
        Load("page.rml", Page("#d { position: relative; z-index: 5; }",
                              "<layer id='l' name='HUD'><div id='in'/></layer><div id='d'/>"));
    context->Update();
    EXPECT_FLOAT_EQ(document->GetElementById("l")->GetZIndex(), 10000000.0f);
    EXPECT_FLOAT_EQ(document->GetElementById("in")->GetZIndex(), 0.0f);
    // The layer stays set across later layouts and a style sheet cannot lower it.
    document->GetElementById("d")->SetProperty("height", "3px");
    context->Update();
    EXPECT_FLOAT_EQ(document->GetElementById("l")->GetZIndex(), 10000000.0f);
    EXPECT_FALSE(document->IsLayoutDirty());
}

}  // namespace
}  // namespace rocket_test

#include "RocketTestSupport.h"

#include <Rocket/Core/FontFaceHandle.h>

namespace rocket_test {
namespace {

class StyleTest : public RocketTest {
protected:
    ElementDocument* Page(const std::string& style, const std::string& body) {
        return Load("page.rml", "<rml><head><style>" + style + "</style></head><body>" + body +
                                    "</body></rml>");
    }
    static Colourb Colour(Element* element, const char* property = "color") {
        return element->GetProperty<Colourb>(property);
    }
};

TEST_F(StyleTest, SpecificityThenSourceOrderThenInlineThenSetProperty) {
    ElementDocument* document = Page(
        "#x { color: #010101; } .c { color: #020202; } div { color: #030303; } "
        "span.a.b { color: #040404; } span.a { color: #050505; } div span { color: #060606; } "
        "div > em { color: #070707; } em { color: #080808; } i, b { color: #090909; } b { color: "
        "#0a0a0a; }",
        "<div id='x' class='c'/><div class='c'/><div><span id='s' class='a b'/><span id='t' "
        "class='a'/>"
        "<span id='u'/><p><em id='deep'/></p><em id='child'/><i id='i'/><b id='b'/></div>"
        "<div id='styled' class='c' style='color: #0b0b0b'/>");
    struct Expected {
        const char* id;
        int channel;
    };
    for (Expected expected : {Expected{"x", 1},
                              {"s", 4},
                              {"t", 5},
                              {"u", 6},
                              {"deep", 8},
                              {"child", 7},
                              {"i", 9},
                              {"b", 10},
                              {"styled", 11}}) {
        Element* element = document->GetElementById(expected.id);
        ASSERT_NE(element, nullptr) << expected.id;
        EXPECT_EQ(Colour(element).red, expected.channel) << expected.id;
    }
    EXPECT_EQ(Colour(document->GetChild(1)).red, 2);
    Element* styled = document->GetElementById("styled");
    styled->SetProperty("color", "#0c0c0c");
    EXPECT_EQ(Colour(styled).red, 12);
    styled->RemoveProperty("color");
    EXPECT_EQ(Colour(styled).red, 2);
}

TEST_F(StyleTest, PseudoClassesAndClassChangesRestyle) {
    ElementDocument* document = Page(
        "div { color: #000001; focus: auto; } div:hover { color: #000002; } "
        "div:focus { color: #000003; } .on { color: #000004; } .on:active { color: #000005; }",
        "<div id='a'/>");
    Element* a = document->GetElementById("a");
    a->SetPseudoClass("hover", true);
    EXPECT_EQ(Colour(a).blue, 2);
    a->SetPseudoClass("hover", false);
    EXPECT_TRUE(a->Focus());
    EXPECT_TRUE(a->IsPseudoClassSet("focus"));
    EXPECT_EQ(Colour(a).blue, 3);
    a->Blur();
    EXPECT_EQ(Colour(a).blue, 1);
    a->SetClass("on", true);
    EXPECT_EQ(a->GetClassNames(), "on");
    EXPECT_EQ(Colour(a).blue, 4);
    a->SetPseudoClass("active", true);
    EXPECT_EQ(Colour(a).blue, 5);
    a->SetClassNames("");
    EXPECT_EQ(Colour(a).blue, 1);
}

TEST_F(StyleTest, ColourNotations) {
    struct Case {
        const char* text;
        Colourb colour;
    };
    const Case cases[] = {
        {"#f80", Colourb(255, 136, 0, 255)},          {"#f808", Colourb(255, 136, 0, 136)},
        {"#102030", Colourb(16, 32, 48, 255)},        {"#10203040", Colourb(16, 32, 48, 64)},
        {"rgb(1, 2, 3)", Colourb(1, 2, 3, 255)},      {"rgba(1,2,3,128)", Colourb(1, 2, 3, 128)},
        {"rgb(300, -5, 7)", Colourb(255, 0, 7, 255)},
    };
    ElementDocument* document = Page("", "<div id='a'/>");
    Element* a = document->GetElementById("a");
    for (const Case& test : cases) {
        ASSERT_TRUE(a->SetProperty("color", test.text)) << test.text;
        EXPECT_TRUE(Colour(a) == test.colour) << test.text;
    }
    for (const char* bad : {"#12", "#ggg", "rgb(1,2)", "rgba(1,2,3)", "rgb(1,2,3", "red", "12px"}) {
        EXPECT_FALSE(a->SetProperty("color", bad)) << bad;
        EXPECT_TRUE(Colour(a) == cases[6].colour) << bad;
    }
}

TEST_F(StyleTest, ShorthandsExpandToTheirEdges) {
    ElementDocument* document = Page(
        "#a { display: block; margin: 1px 2px 3px; padding: 4px 5px; border: 6px #00ff00; "
        "border-left: #0000ff 7px; } body { display: block; }",
        "<div id='a'/>");
    const Box& box = document->GetElementById("a")->GetBox();
    const float expected[3][4] = {{1, 2, 3, 2}, {6, 6, 6, 7}, {4, 5, 4, 5}};
    for (int area = 0; area < 3; ++area)
        for (int edge = 0; edge < 4; ++edge)
            EXPECT_FLOAT_EQ(box.GetEdge(static_cast<Box::Area>(area), static_cast<Box::Edge>(edge)),
                            expected[area][edge])
                << area << "," << edge;
    Element* a = document->GetElementById("a");
    EXPECT_TRUE(Colour(a, "border-top-color") == Colourb(0, 255, 0, 255));
    EXPECT_TRUE(Colour(a, "border-left-color") == Colourb(0, 0, 255, 255));
    EXPECT_FALSE(a->SetProperty("margin", "1px 2px 3px 4px 5px"));
    EXPECT_FALSE(a->SetProperty("border", "1px 2px"));
    EXPECT_FALSE(a->SetProperty("no-such-property", "1px"));
}

TEST_F(StyleTest, InheritanceFollowsCss) {
    ElementDocument* document = Page(
        "#p { color: #102030; background-color: #405060; font-size: 20px; line-height: 1.5; "
        "visibility: hidden; } #c { font-size: 10px; }",
        "<div id='p'><div id='c'/></div>");
    Element* child = document->GetElementById("c");
    EXPECT_TRUE(Colour(child) == Colourb(16, 32, 48, 255));
    EXPECT_EQ(Colour(child, "background-color").alpha, 0);
    EXPECT_FALSE(child->IsVisible());
    // A bare line-height is a factor of each element's own font size.
    EXPECT_FLOAT_EQ(child->GetProperty<float>("line-height"), 1.5f);
    EXPECT_EQ(child->GetProperty("display")->ToString(), "inline");
    EXPECT_EQ(child->GetProperty("font-size")->ToString(), "10px");
    EXPECT_EQ(child->GetProperty("color")->ToString(), "#102030ff");
}

TEST_F(StyleTest, BadStyleSheetsAreLoggedAndTheRestApplies) {
    files.files["bad.rcss"] =
        "div { color: #00ff00; width: banana; } \n"
        "div[x] { color: #ff0000; }\n"
        "@media screen { div { color: #0000ff; } }\n"
        "/* comment */ span { color: #010101 } p { color ";
    ElementDocument* document = Load("page.rml",
                                     "<rml><head><link type='text/rcss' href='bad.rcss'/><link "
                                     "type='text/rcss' href='missing.rcss'/></head>"
                                     "<body><div id='d'/><span id='s'/></body></rml>");
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(Colour(document->GetElementById("d")) == Colourb(0, 255, 0, 255));
    EXPECT_TRUE(Colour(document->GetElementById("s")) == Colourb(1, 1, 1, 255));
    EXPECT_GE(system.CountMessages(Log::LT_WARNING), 2);
    EXPECT_EQ(system.CountMessages(Log::LT_ERROR), 1);
    bool line_named = false;
    for (const auto& message : system.messages)
        line_named |= message.second.find("bad.rcss, line 2") != std::string::npos;
    EXPECT_TRUE(line_named);
}

TEST_F(StyleTest, DeclarationLinesCountFromTheStartOfTheSheet) {
    Page("div {\n color: #000001;\n width: banana;\n}\np {\n\n height: pear; }", "<div/>");
    int named = 0;
    for (const auto& message : system.messages)
        named += (message.second.find("'width: banana' in page.rml, line 3") != std::string::npos) +
                 (message.second.find("'height: pear' in page.rml, line 7") != std::string::npos);
    EXPECT_EQ(named, 2);
}

TEST_F(StyleTest, LongDescendantSelectorsOnDeepTreesDoNotBacktrackForever) {
    // Without remembering failed matches this tries every way to pick 24 of 100 ancestors.
    std::string selector = "span";
    for (int i = 0; i < 24; ++i) selector += " div";
    std::string body;
    for (int i = 0; i < 100; ++i) body += "<div>";
    body += "<div id='leaf'/>";
    for (int i = 0; i < 100; ++i) body += "</div>";
    ElementDocument* document =
        Page(selector + " { color: #000001; } div div div { color: #000002; }", body);
    Element* leaf = document->GetElementById("leaf");
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(Colour(leaf).blue, 2);
}

TEST_F(StyleTest, StyleSheetsAreCachedUntilCleared) {
    files.files["a.rcss"] = "div { color: #000001; }";
    const std::string rml =
        "<rml><head><link type='text/rcss' href='a.rcss'/></head><body><div id='d'/></body></rml>";
    Load("one.rml", rml);
    int opens = files.open_count;
    files.files["a.rcss"] = "div { color: #000002; }";
    ElementDocument* second = Load("two.rml", rml);
    EXPECT_EQ(files.open_count, opens + 1);
    EXPECT_EQ(Colour(second->GetElementById("d")).blue, 1);
    Factory::ClearStyleSheetCache();
    ElementDocument* third = Load("three.rml", rml);
    EXPECT_EQ(Colour(third->GetElementById("d")).blue, 2);
}

}  // namespace
}  // namespace rocket_test

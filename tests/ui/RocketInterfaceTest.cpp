#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/LogCheck.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/RmlEscape.h"
#include "ui/RocketFileInterface.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystemInterface.h"

using namespace orvo;
using ui_test::UiTest;

namespace {

class RocketInterfaceTest : public UiTest {};

TEST_F(RocketInterfaceTest, TranslateStringLooksTheWholeTextUp) {
    RocketSystemInterface system;
    struct Case {
        const char* input;
        const char* translated;
        int result;
    };
    const Case cases[] = {
        {"S_START", "Démarrer", 1},
        // A key whose text is itself counts as no change.
        {"S_SAME", "S_SAME", 0},
        {"not a key", "not a key", 0},
        {" S_START", " S_START", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Rocket::Core::String translated = "stale";
        EXPECT_EQ(system.TranslateString(translated, c.input), c.result);
        EXPECT_EQ(translated, c.translated);
    }
}

TEST_F(RocketInterfaceTest, DocumentTextsThatAreKeysShowTheirLocalisedText) {
    writeDocument("keys.rml", "<p id='start'>S_START</p><p id='plain'>Start</p>");
    ASSERT_TRUE(ui().loadDocument("keys.rml", true));
    EXPECT_EQ(element("start")->GetInnerRML(), "Démarrer");
    EXPECT_EQ(element("plain")->GetInnerRML(), "Start");
}

TEST_F(RocketInterfaceTest, LogMessagesGetTheirPrefixAndColour) {
    trellin_test::expectLog("Rocket Error: text");
    trellin_test::expectLog("Rocket Warning: text");
    trellin_test::expectLog("Rocket Message: text", 2);
    RocketSystemInterface system;
    struct Case {
        Rocket::Core::Log::Type type;
        bool result;
        const char* line;
    };
    const Case cases[] = {
        {Rocket::Core::Log::LT_ERROR, true, "\x1b[31mRocket Error: \x1b[37mtext\n\x1b[37m"},
        {Rocket::Core::Log::LT_WARNING, true, "\x1b[33mRocket Warning: \x1b[37mtext\n\x1b[37m"},
        {Rocket::Core::Log::LT_ALWAYS, true, "Rocket Message: text\n\x1b[37m"},
        {Rocket::Core::Log::LT_DEBUG, true, "Rocket Message: text\n\x1b[37m"},
        {Rocket::Core::Log::LT_INFO, true, ""},
        {Rocket::Core::Log::LT_ASSERT, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        takeLog();
        EXPECT_EQ(system.LogMessage(c.type, "text"), c.result);
        EXPECT_EQ(takeLog(), c.line);
    }
}

TEST_F(RocketInterfaceTest, FileInterfaceReadsWholeFilesAndSeeksLikeTheLibraryAsks) {
    RocketFileInterface fileInterface;
    EXPECT_EQ(fileInterface.Open("missing.txt"), 0u);
    write("data/ten.txt", "0123456789");
    const Rocket::Core::FileHandle file = fileInterface.Open("data/ten.txt");
    ASSERT_NE(file, 0u);
    EXPECT_EQ(fileInterface.Length(file), 10u);
    char buffer[8] = {};
    EXPECT_EQ(fileInterface.Read(buffer, 4, file), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_TRUE(fileInterface.Seek(file, 2, SEEK_CUR));
    EXPECT_EQ(fileInterface.Tell(file), 6u);
    EXPECT_FALSE(fileInterface.Seek(file, -7, SEEK_CUR));
    EXPECT_TRUE(fileInterface.Seek(file, 1, SEEK_SET));
    EXPECT_FALSE(fileInterface.Seek(file, -1, SEEK_SET));
    EXPECT_EQ(fileInterface.Read(buffer, 8, file), 8u);
    EXPECT_EQ(std::string(buffer, 8), "12345678");
    EXPECT_EQ(fileInterface.Read(buffer, 8, file), 1u);
    EXPECT_TRUE(fileInterface.Seek(file, 0, SEEK_END));
    EXPECT_EQ(fileInterface.Tell(file), 10u);
    EXPECT_EQ(fileInterface.Read(buffer, 8, file), 0u);
    fileInterface.Close(file);
}

// A localized text is text, not markup, wherever it ends up.
TEST_F(RocketInterfaceTest, EscapedTextsShowAsTheyAre) {
    EXPECT_EQ(escapeRml("a<b>&c"), "a&lt;b&gt;&amp;c");
    EXPECT_EQ(escapeRml("&amp;"), "&amp;amp;");
    writeDocument("text.rml", "<p id='p'>x</p>");
    ASSERT_TRUE(ui().loadDocument("text.rml", true));
    const char* text = "Bonus <+5000> & plus";
    element("p")->SetInnerRML(toRocketString(escapeRml(text)));
    ASSERT_EQ(element("p")->GetNumChildren(), 1);
    auto* node = dynamic_cast<Rocket::Core::ElementText*>(element("p")->GetChild(0));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetText(), text);
}

TEST_F(RocketInterfaceTest, VerticesMapToTheUnitSquareOfTheUiCamera) {
    RocketRenderInterface& render = ui().getRenderInterface();
    Rocket::Core::Vertex vertices[2];
    vertices[0].position = Rocket::Core::Vector2f(1024.0f, 600.0f);
    vertices[0].colour = Rocket::Core::Colourb(1, 2, 3, 4);
    vertices[0].tex_coord = Rocket::Core::Vector2f(0.5f, 0.25f);
    vertices[1].position = Rocket::Core::Vector2f(256.0f, 150.0f);
    const boost::shared_ptr<VertexBufferData> block = render.constructVertexBuffer(vertices, 2);
    ASSERT_TRUE(block);
    // Position, colour, texture coordinates 0: 24 bytes a vertex.
    ASSERT_EQ(block->formatFlags,
              VertexBufferData::POSITION | VertexBufferData::COLOUR | VertexBufferData::TEXCOORD0);
    ASSERT_EQ(block->stride, 24u);
    const float* first = reinterpret_cast<const float*>(block->data);
    EXPECT_FLOAT_EQ(first[0], 1.0f);
    EXPECT_FLOAT_EQ(first[1], 0.0f);
    EXPECT_FLOAT_EQ(first[2], 0.0f);
    EXPECT_EQ(std::vector<unsigned char>(block->data + 12, block->data + 16),
              (std::vector<unsigned char>{1, 2, 3, 4}));
    EXPECT_FLOAT_EQ(first[4], 0.5f);
    EXPECT_FLOAT_EQ(first[5], 0.75f);
    const float* second = reinterpret_cast<const float*>(block->data + 24);
    EXPECT_FLOAT_EQ(second[0], 0.25f);
    EXPECT_FLOAT_EQ(second[1], 0.75f);

    const boost::shared_ptr<ZqMatrix<4, 4>> matrix = render.constructTransformMatrix(512.0f, 60.0f);
    ASSERT_TRUE(matrix);
    EXPECT_FLOAT_EQ((*matrix)[3], 0.5f);
    EXPECT_FLOAT_EQ((*matrix)[7], -0.1f);
    EXPECT_FLOAT_EQ((*matrix)[0], 1.0f);

    const int indices[3] = {0, 1, 70000};
    const boost::shared_ptr<VertexIndexBufferData> order = render.constructIndexBuffer(indices, 3);
    ASSERT_TRUE(order);
    EXPECT_EQ(std::vector<unsigned short>(order->indices.begin(), order->indices.end()),
              (std::vector<unsigned short>{0, 1, 70000 & 0xFFFF}));
}

}  // namespace

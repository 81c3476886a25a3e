#include "RocketTestSupport.h"

#include <algorithm>

namespace rocket_test {
namespace {

class TextTest : public RocketTest {};

TEST_F(TextTest, TranslatedAccentedTextUsesItsOwnGlyphs) {
    system.translations["S_START"] =
        "\xC3\x89"
        "E\xC3\xA7"
        "c";  // "ÉEçc"
    Load("page.rml",
         "<rml><head><style>body { display: block; font-family: dejavu SANS; font-size: 32px; "
         "color: #ff8000; }"
         "</style></head><body><p id='p'>S_START</p></body></rml>");
    context->Render("all");
    std::vector<RecordingRenderInterface::Rect> quads = renderer.DrawnRects();
    ASSERT_EQ(quads.size(), 4u);
    for (const auto& quad : quads) {
        EXPECT_NE(quad.texture, 0u);
        EXPECT_TRUE(quad.colour == Colourb(255, 128, 0, 255));
    }
    std::sort(quads.begin(), quads.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    // É is E with an accent above it; ç is c with a cedilla below it.
    EXPECT_LT(quads[0].y, quads[1].y);
    EXPECT_NEAR(quads[0].y + quads[0].h, quads[1].y + quads[1].h, 1.0f);
    EXPECT_GT(quads[2].y + quads[2].h, quads[3].y + quads[3].h);
    // The atlas holds the glyphs' coverage in alpha, white in colour.
    ASSERT_EQ(renderer.textures.size(), 1u);
    const auto& atlas = renderer.textures.begin()->second;
    int covered = 0;
    for (size_t i = 0; i < atlas.pixels.size(); i += 4)
        covered += atlas.pixels[i + 3] > 128 ? 1 : 0;
    EXPECT_GT(covered, 100);
}

TEST_F(TextTest, FontMatchingIgnoresCaseAndPicksWeight) {
    auto regular =
        FontDatabase::GetFontFaceHandle("DEJAVU sans", Font::STYLE_NORMAL, Font::WEIGHT_NORMAL, 20);
    auto bold =
        FontDatabase::GetFontFaceHandle("'DejaVu Sans'", Font::STYLE_NORMAL, Font::WEIGHT_BOLD, 20);
    auto fallback = FontDatabase::GetFontFaceHandle("missing, dejavu sans", Font::STYLE_ITALIC,
                                                    Font::WEIGHT_BOLD, 20);
    ASSERT_TRUE(regular && bold);
    EXPECT_NE(regular, bold);
    EXPECT_EQ(fallback, bold);
    EXPECT_GT(bold->GetStringWidth("Wide text"), regular->GetStringWidth("Wide text"));
    EXPECT_FALSE(
        FontDatabase::GetFontFaceHandle("missing", Font::STYLE_NORMAL, Font::WEIGHT_NORMAL, 20));
    EXPECT_TRUE(FontDatabase::LoadFontFace("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
                                           "Titles", Font::STYLE_ITALIC, Font::WEIGHT_NORMAL));
    EXPECT_TRUE(
        FontDatabase::GetFontFaceHandle("titles", Font::STYLE_NORMAL, Font::WEIGHT_NORMAL, 20));
    EXPECT_FALSE(FontDatabase::LoadFontFace("no/such/font.ttf"));
    files.files["junk.ttf"] = "not a font";
    EXPECT_FALSE(FontDatabase::LoadFontFace("junk.ttf"));
}

TEST_F(TextTest, TexturesAreMadeAgainAfterRelease) {
    Load("page.rml",
         "<rml><head><style>body { display: block; font-family: DejaVu Sans; }</style></head>"
         "<body>Hello</body></rml>");
    context->Render("all");
    ASSERT_EQ(renderer.textures.size(), 1u);
    TextureHandle first = renderer.textures.begin()->first;
    ReleaseTextures();
    EXPECT_TRUE(renderer.textures.empty());
    renderer.draws.clear();
    context->Render("all");
    ASSERT_EQ(renderer.textures.size(), 1u);
    EXPECT_NE(renderer.textures.begin()->first, first);
    ASSERT_FALSE(renderer.draws.empty());
    EXPECT_EQ(renderer.draws.back().texture, renderer.textures.begin()->first);
    // The font database made again keeps laid-out text drawable.
    FontDatabase::Shutdown();
    FontDatabase::Initialise();
    renderer.draws.clear();
    context->Render("all");
    EXPECT_FALSE(renderer.draws.empty());
}

}  // namespace
}  // namespace rocket_test

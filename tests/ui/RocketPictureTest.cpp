// Draws a page in the five languages, with an image and a HUD layer, through the UI's own render
// interface on Mesa, and saves it as ui_picture.png in the test's working directory.
#include <gtest/gtest.h>

#include <fstream>

#include "core/locator/ServiceSingleton.h"
#include "core/strings/ZqStringTable.h"
#include "tests/graphics/PngTestImage.h"
#include "tests/ui/UiGlTest.h"
#include "tests/ui/UiServiceSetup.h"

using namespace orvo;
using trellin::Bytes;
using ui_test::UiGlTest;

namespace {

const char* const PAGE = R"(<rml><head><title>Picture</title><style>
body { font-family: DejaVu Sans; font-size: 30px; color: #f0f0f0; }
div.line { display: block; margin: 8px 24px; }
#key { color: #ffd040; }
#logo { position: absolute; left: 700px; top: 40px; width: 256px; height: 128px; }
layer { position: absolute; left: 0px; top: 480px; width: 1024px; height: 120px;
        background-color: #1e6e1e; }
#score { margin: 20px 24px; font-size: 40px; }
</style></head><body>
<div class="line">English: Start the game</div>
<div class="line">Français : Démarrer la partie, à bientôt</div>
<div class="line">Italiano: Avvia la partita, però più tardi</div>
<div class="line">Deutsch: Spiel starten, Größe für Bären</div>
<div class="line">Español: Empezar la partida, ¡año señor!</div>
<div class="line" id="key">S_START</div>
<img id="logo" src="images/logo.png"/>
<layer name="HUD"><div id="score">Score: 1234</div></layer>
</body></rml>)";

class RocketPictureTest : public UiGlTest {
protected:
    void SetUp() override {
        UiGlTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        Bytes table;
        std::string error;
        ASSERT_TRUE(
            trellin::buildStringTable({{"S_START", "Clé : Démarrer (S_START)"}}, table, error));
        files.write("strings.bin", table);
        ASSERT_NE(Locator::registerService<ZqStringTable>("ZqStringTable"), nullptr);
        ASSERT_TRUE(ZqStringTable::instance_->load("strings.bin"));

        // Red above blue, a white stripe down the left: upside down or mirrored shows.
        std::vector<Bytes> rows;
        for (int y = 0; y < 32; ++y) {
            Bytes row;
            for (int x = 0; x < 64; ++x) {
                const bool stripe = x < 8;
                row.push_back(stripe || y < 16 ? 255 : 0);
                row.push_back(stripe ? 255 : 0);
                row.push_back(stripe || y >= 16 ? 255 : 0);
            }
            rows.push_back(row);
        }
        files.write("scripts/images/logo.png",
                    trellin_test::makePng(64, 32, PNG_COLOR_TYPE_RGB, 8, rows));
        files.write("scripts/picture.rml", PAGE);
    }
    void TearDown() override {
        Locator::deregisterService<RocketSystem>();
        Locator::deregisterService<ZqStringTable>();
        UiGlTest::TearDown();
    }

    // Pixels within a rectangle that are not its background.
    static int litPixels(int x0, int y0, int x1, int y1, uint32_t background = 0x000000FFu) {
        int lit = 0;
        for (int y = y0; y < y1; y += 2) {
            for (int x = x0; x < x1; x += 2) {
                lit += pixelAt(x, y) != background ? 1 : 0;
            }
        }
        return lit;
    }
};

TEST_F(RocketPictureTest, APageInFiveLanguagesWithAnImageAndAHudLayer) {
    ASSERT_TRUE(ui().loadDocument("scripts/picture.rml", true));
    drawFrame();
    const std::vector<unsigned char> frame = readFrame();
    std::vector<Bytes> rows;
    for (int y = 0; y < HEIGHT; ++y) {
        rows.emplace_back(frame.begin() + long(y) * WIDTH * 4,
                          frame.begin() + long(y + 1) * WIDTH * 4);
    }
    const Bytes png = trellin_test::makePng(WIDTH, HEIGHT, PNG_COLOR_TYPE_RGB_ALPHA, 8, rows);
    std::ofstream("ui_picture.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), long(png.size()));

    // The image is upright and not mirrored: red above blue, the stripe on the left.
    EXPECT_EQ(pixelAt(860, 60), 0xFF0000FFu);
    EXPECT_EQ(pixelAt(860, 150), 0x0000FFFFu);
    EXPECT_EQ(pixelAt(710, 100), 0xFFFFFFFFu);
    EXPECT_EQ(pixelAt(950, 100), 0xFF0000FFu);
    // The HUD layer's background, and text on every line.
    EXPECT_EQ(pixelAt(1000, 590), 0x1E6E1EFFu);
    for (int line = 0; line < 6; ++line) {
        SCOPED_TRACE(line);
        EXPECT_GT(litPixels(24, 10 + line * 50, 680, 45 + line * 50), 100);
    }
    EXPECT_GT(litPixels(24, 500, 400, 560, 0x1E6E1EFFu), 100);

    // Outside the layers, then the HUD layer alone (its name is read in lower case).
    target().startFrame();
    ui().render("default");
    EXPECT_EQ(pixelAt(1000, 590), 0x000000FFu);
    EXPECT_EQ(pixelAt(860, 60), 0xFF0000FFu);
    target().startFrame();
    ui().render("hud");
    EXPECT_EQ(pixelAt(1000, 590), 0x1E6E1EFFu);
    EXPECT_EQ(pixelAt(860, 60), 0x000000FFu);
    target().startFrame();
    ui().render("HUD");
    EXPECT_EQ(pixelAt(1000, 590), 0x000000FFu);
}

}  // namespace

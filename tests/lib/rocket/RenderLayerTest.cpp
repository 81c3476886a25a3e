#include "RocketTestSupport.h"

namespace rocket_test {
namespace {

class RenderLayerTest : public RocketTest {
protected:
    void SetUp() override {
        RocketTest::SetUp();
        Load("layers.rml",
             "<rml><head><style>body, div, layer { display: block; width: 100%; height: 100%; } "
             "div { width: 10px; height: 10px; } #bg { background-color: #010000; } #hud { "
             "background-color: #020000; } "
             "#pause { background-color: #030000; } #def { background-color: #040000; } "
             "#top { position: absolute; z-index: 5; background-color: #050000; }"
             "</style></head><body>"
             "<layer name='HUD'><div id='hud'/></layer><div id='bg'/><div id='top'/>"
             "<layer name='pause'><div id='pause'/></layer><layer name='default'><div "
             "id='def'/></layer>"
             "</body></rml>");
    }

    // Red channels of the quads drawn for a layer, in drawing order.
    std::vector<int> Drawn(const char* layer) {
        renderer.draws.clear();
        context->Render(layer);
        std::vector<int> reds;
        for (const auto& rect : renderer.DrawnRects()) reds.push_back(rect.colour.red);
        return reds;
    }
};

TEST_F(RenderLayerTest, LayerNamesSelectWhatIsDrawn) {
    EXPECT_EQ(Drawn("all"), (std::vector<int>{1, 5, 2, 3, 4}));
    EXPECT_EQ(Drawn("default"), (std::vector<int>{1, 5}));
    EXPECT_EQ(Drawn("hud"), (std::vector<int>{2}));
    EXPECT_EQ(Drawn("HUD"), (std::vector<int>{}));
    EXPECT_EQ(Drawn("pause"), (std::vector<int>{3}));
    EXPECT_EQ(Drawn("nothing"), (std::vector<int>{}));
}

TEST_F(RenderLayerTest, HiddenDocumentsAndElementsAreNotDrawn) {
    context->GetDocument(0)->GetElementById("hud")->SetProperty("visibility", "hidden");
    EXPECT_EQ(Drawn("hud"), (std::vector<int>{}));
    context->GetDocument(0)->Hide();
    EXPECT_EQ(Drawn("all"), (std::vector<int>{}));
}

TEST_F(RenderLayerTest, GeometryIsCompiledOnceAndFallsBackToImmediate) {
    Drawn("all");
    size_t compiled = renderer.compiled.size();
    EXPECT_EQ(compiled, 5u);
    Drawn("all");
    EXPECT_EQ(renderer.compiled.size(), compiled);
    ReleaseCompiledGeometries();
    EXPECT_TRUE(renderer.compiled.empty());
    renderer.compile = false;
    EXPECT_EQ(Drawn("all").size(), 5u);
    EXPECT_TRUE(renderer.compiled.empty());
}

}  // namespace
}  // namespace rocket_test

// Command 108: the view takes the process-wide layer table into its drawing
// and repaints; a hidden layer disappears unless it is the current one.

#include "DrawingViewFixture.h"

#include "resources/Resource.h"

namespace {

int RedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(255, 0, 0))
                ++n;
    return n;
}

} // namespace

class UpdateLayersTest : public DrawingViewTest {
protected:
    void SetUp() override
    {
        DrawingViewTest::SetUp();
        savedCount = LayerCount;
        savedCurrent = CurrentLayer;
        savedNames = LayerNames;
        savedStates = LayerStates;
        savedArgument = CommandArgument;
        LayerCount = 4;
        CurrentLayer = 0;
        for (int i = 0; i < 4; ++i) {
            LayerStates[i] = 2;
            LayerNames[i] = DefaultLayerName(i);
        }
        Add(EntityType::Line, 0, 0, {10, 20, 11, 22}, {20, 150, 380, 150}, 0x0000FF, {}, {}, 3);
    }
    void TearDown() override
    {
        LayerCount = savedCount;
        CurrentLayer = savedCurrent;
        LayerNames = savedNames;
        LayerStates = savedStates;
        CommandArgument = savedArgument;
        DrawingViewTest::TearDown();
    }
    void Send(int16_t argument)
    {
        CommandArgument = argument;
        EXPECT_TRUE(view->OnCmdMsg(ID_UPDATE_LAYERS, nullptr));
    }

    int16_t savedCount = 0, savedCurrent = 0, savedArgument = 0;
    std::array<std::string, MaxLayers> savedNames;
    std::array<uint8_t, MaxLayers> savedStates{};
};

TEST_F(UpdateLayersTest, HiddenLayerVanishesButTheCurrentLayerIsAlwaysDrawn)
{
    Send(1);
    EXPECT_GT(RedPixels(Render()), 300);

    LayerStates[3] = 0;
    Send(1);
    EXPECT_EQ(doc->layerStates[3], 0);
    EXPECT_EQ(view->layerState[3], 0);
    EXPECT_EQ(RedPixels(Render()), 0);

    CurrentLayer = 3;
    Send(1);
    EXPECT_EQ(doc->currentLayer, 3);
    EXPECT_EQ(view->currentLayer, 3);
    EXPECT_GT(RedPixels(Render()), 300);
}

TEST_F(UpdateLayersTest, CopiesCountAndNamesIntoTheDrawing)
{
    LayerCount = 5;
    LayerNames[4] = "\x95\xc7";
    LayerStates[4] = 1;
    CurrentLayer = 4;
    Send(0);
    EXPECT_EQ(doc->layerCount, 5);
    EXPECT_EQ(doc->currentLayer, 4);
    EXPECT_EQ(doc->layerNames[4], "\x95\xc7");
    EXPECT_EQ(doc->layerStates[4], 1);
}

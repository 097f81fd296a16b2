// Placed images on screen: stretched into their rectangle, faded on an
// off-colour layer, boxed when highlighted or selected.

#include "DrawingViewFixture.h"

#include "platform/Encoding.h"

#include <QTemporaryDir>

namespace {

class DrawImageTest : public DrawingViewTest {
protected:
    void SetUp() override
    {
        DrawingViewTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        QImage red(10, 10, QImage::Format_RGB32);
        red.fill(QColor(255, 0, 0));
        path = dir.filePath(QStringLiteral("赤い画像.png"));
        ASSERT_TRUE(red.save(path));
    }
    CEntity* AddImage(double x1, double y1, double x2, double y2, int16_t layer = 0)
    {
        return Add(EntityType::Image, 0, 0, {10, 20, 11, 22}, {x1, y1, x2, y2}, 0, platform::ToCp932(path), {},
                   layer);
    }
    QTemporaryDir dir;
    QString path;
};

TEST_F(DrawImageTest, StretchedIntoItsRectangleUpright)
{
    for (bool reversed : {false, true}) {
        doc->list.RemoveAll();
        if (reversed)
            AddImage(200, 150, 100, 100);
        else
            AddImage(100, 100, 200, 150);
        const auto images = Only(Record(), "DrawImage");
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].args, (std::vector<long long>{100, 150, 200, 200, 10, 10, 100, 100})) << reversed;
    }
    const QImage image = Render();
    EXPECT_EQ(PixelAt(image, 150, 125), Rgb(0x0000FF));
    EXPECT_EQ(CountColour(image, Rgb(0x0000FF)), 100 * 50);
}

TEST_F(DrawImageTest, FadedOnAnOffColourLayer)
{
    AddImage(100, 100, 200, 150, 1);
    view->layerState[1] = 1;
    const auto images = Only(Record(), "DrawImage");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].args[6], 80);  // colour at 80 %
    EXPECT_EQ(images[0].args[7], 40);  // opacity 40 %
    const QRgb p = Render().pixel(150, 175);
    EXPECT_NEAR(qRed(p), 235, 2);      // 0.8 x 255 at 40 % over white
    EXPECT_NEAR(qGreen(p), 153, 2);
    EXPECT_NEAR(qBlue(p), 153, 2);
}

TEST_F(DrawImageTest, SelectedShowsABoxWithGrips)
{
    CEntity* image = AddImage(100, 100, 200, 150);
    doc->RebuildSnapPoints();
    image->state = EntityState::Selected;
    const auto records = Record();
    EXPECT_TRUE(Only(records, "DrawImage").empty());
    const auto boxes = Only(records, "Rectangle");
    ASSERT_EQ(boxes.size(), 5u);  // the box and a grip on each corner
    EXPECT_EQ(boxes[0].args, (std::vector<long long>{100, 200, 200, 150}));
    EXPECT_EQ(Only(records, "SelectBrush")[0].args[1], platform::PaletteIndex(17));

    // Drawn by a tool in state 0 it shows the picture again.
    platform::RecordingDc dc;
    view->DrawImage(dc, image, 0);
    EXPECT_EQ(dc.Count("DrawImage"), 1);
}

TEST_F(DrawImageTest, MissingFileAndCulling)
{
    Add(EntityType::Image, 0, 0, {10, 20, 11, 22}, {100, 100, 200, 150}, 0, "/nonexistent/file.png");
    EXPECT_TRUE(Record().empty());
    doc->list.RemoveAll();
    AddImage(500, 500, 600, 600);
    EXPECT_TRUE(Record().empty());
    // An image larger than the view, with both corners outside it, shows.
    doc->list.RemoveAll();
    AddImage(-100, -100, 1000, 1000);
    EXPECT_EQ(Only(Record(), "DrawImage").size(), 1u);
}

} // namespace

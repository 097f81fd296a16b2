// Where the drawing palette and the layer list come up: inside the drawing
// area, clear of each other and of the bars, on common screen sizes.

#include "AppFixture.h"

#include "app/MainFrame.h"
#include "app/ToolWindowPlacement.h"
#include "model/Settings.h"
#include "resources/Resource.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QStyle>
#include <QToolBar>

#include <array>

namespace {

TEST(ToolWindowPlacement, WindowsGoInsideTheAreaAndClearOfEachOther)
{
    const QRect area(0, 100, 1600, 800); // y 100..899
    struct Case {
        const char* what;
        QRect palette, layers;
        QRect palettePlaced, layersPlaced;
    };
    const Case cases[] = {
        {"both fine: kept", {50, 150, 150, 300}, {50, 500, 120, 250}, {50, 150, 150, 300}, {50, 500, 120, 250}},
        {"palette over the bars: moved in", {0, 0, 150, 300}, {300, 300, 120, 250}, {4, 104, 150, 300},
         {300, 300, 120, 250}},
        {"overlapping: layer list below the palette", {94, 115, 150, 300}, {94, 384, 120, 250},
         {94, 115, 150, 300}, {94, 419, 120, 250}},
        {"no room below: to the right", {94, 400, 150, 400}, {94, 384, 120, 250}, {94, 400, 150, 400},
         {248, 400, 120, 250}},
        {"little room below: shortened", {94, 115, 150, 550}, {94, 384, 120, 250}, {94, 115, 150, 550},
         {94, 669, 120, 227}},
        {"layer list below the area", {50, 150, 150, 300}, {50, 850, 120, 250}, {50, 150, 150, 300},
         {50, 454, 120, 250}},
    };
    for (const Case& c : cases) {
        const ToolWindowRects placed = PlaceToolWindows(area, c.palette, c.layers, 150);
        EXPECT_EQ(placed.palette, c.palettePlaced) << c.what;
        EXPECT_EQ(placed.layerList, c.layersPlaced) << c.what;
        EXPECT_TRUE(area.contains(placed.palette)) << c.what;
        EXPECT_TRUE(area.contains(placed.layerList)) << c.what;
        EXPECT_FALSE(placed.palette.intersects(placed.layerList)) << c.what;
    }
}

class FirstStartLayout : public AppTest, public ::testing::WithParamInterface<QSize> {
protected:
    void SetUp() override
    {
        savedShown = PaletteShown;
        PaletteShown = -1; // as at the start of a run
        kept = {PaletteLeft, PaletteTop, LayerListLeft, LayerListTop, LayerListWidth, LayerListHeight};
    }
    void TearDown() override
    {
        AppTest::TearDown();
        PaletteShown = savedShown;
        PaletteLeft = kept[0];
        PaletteTop = kept[1];
        LayerListLeft = kept[2];
        LayerListTop = kept[3];
        LayerListWidth = kept[4];
        LayerListHeight = kept[5];
    }
    int16_t savedShown = 0;
    std::array<int16_t, 6> kept{};
};

TEST_P(FirstStartLayout, PaletteLayerListAndBarsDoNotCoverEachOther)
{
    const QSize screen = GetParam();
    const int titleBar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    Start();
    frame->setGeometry(QRect(QPoint(0, 0), screen));
    frame->show();
    QApplication::processEvents();
    platform::UiScript ui;
    ui.dialog(IDOK);
    frame->SendCommand(ID_FILE_NEW);
    QApplication::processEvents();
    QWidget* palette = frame->DrawPalette();
    QWidget* layers = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QStringLiteral("レイヤーリスト"))
            layers = w;
    ASSERT_NE(palette, nullptr);
    ASSERT_NE(layers, nullptr);

    // Each window with the title bar a window manager puts above it.
    const QRect area(frame->Client()->mapToGlobal(QPoint(0, 0)), frame->Client()->size());
    const QRect p = palette->geometry().adjusted(0, -titleBar, 0, 0);
    const QRect l = layers->geometry().adjusted(0, -titleBar, 0, 0);
    EXPECT_TRUE(area.contains(p)) << "palette outside the drawing area";
    EXPECT_TRUE(area.contains(l)) << "layer list outside the drawing area";
    EXPECT_FALSE(p.intersects(l)) << "palette over the layer list";
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        if (!bar->isVisible())
            continue;
        const QRect b(bar->mapToGlobal(QPoint(0, 0)), bar->size());
        EXPECT_FALSE(b.intersects(p)) << "palette over a bar";
        EXPECT_FALSE(b.intersects(l)) << "layer list over a bar";
    }

    // What it looks like, for a person to check.
    QImage shot = frame->grab().toImage();
    {
        QPainter painter(&shot);
        const QPoint origin = frame->mapToGlobal(QPoint(0, 0));
        for (QWidget* w : {palette, layers}) {
            painter.fillRect(QRect(w->pos() - origin - QPoint(0, titleBar), QSize(w->width(), titleBar)), Qt::darkBlue);
            painter.drawPixmap(w->pos() - origin, w->grab());
        }
    }
    shot.save(QDir(QCoreApplication::applicationDirPath())
                  .filePath(QStringLiteral("first_start_%1x%2.png").arg(screen.width()).arg(screen.height())));
}

INSTANTIATE_TEST_SUITE_P(Screens, FirstStartLayout, ::testing::Values(QSize(1600, 1000), QSize(1280, 800)));

} // namespace

// The image tool through the view: the record a horizontal or vertical side
// makes with the picture's aspect ratio, a typed length, the cancel, and the
// refusals that leave the drawing as it was.

#include "common/ToolHarness.h"

#include "annotation_tools/ImageTool.h"
#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "platform/Encoding.h"
#include "platform/Places.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ImageToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        picture = dir.filePath(QStringLiteral("a.png"));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(picture));
        h.Select(14, 0);
        ASSERT_EQ(CurrentToolId, ToolId::Image);
    }

    // The first record of type 80.
    const CEntity* Image() const
    {
        const auto images = h.Entities(EntityType::Image);
        return images.empty() ? nullptr : images.front();
    }

    ToolHarness h;
    QTemporaryDir dir;
    QString picture;
};

TEST_F(ImageToolTest, HorizontalSideGivesTheHeightByTheAspectRatioWhicheverEndComesFirst)
{
    CurrentColor = 0x00445566;
    h.View().currentLayer = 2;
    struct {
        double x0, x1;
    } cases[] = {{10, 90}, {90, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x0);
        h.Doc().list.RemoveAll();
        h.Click(c.x0, 20);
        EXPECT_EQ(h.Prompt(), QStringLiteral("終了位置を指示して下さい。[マウス右：中止]"));
        h.Move((c.x0 + c.x1) / 2, 22);
        h.Move(c.x1, 21);
        h.Ui().path(picture);
        h.Click(c.x1, 21);
        EXPECT_EQ(h.Prompt(), QStringLiteral("画像を作図します。開始位置を指示して下さい。"));
        const CEntity* e = Image();
        ASSERT_TRUE(e);
        EXPECT_EQ(e->subtype, 1);
        EXPECT_EQ(e->codes, (std::vector<int16_t>{10, 20, 11, 22}));
        EXPECT_NEAR(e->values[0], 10, 0.5);
        EXPECT_NEAR(e->values[2], 90, 0.5);
        EXPECT_NEAR(e->values[1], 20, 0.5);
        // 400 x 300 pixels: the height is three quarters of the width.
        EXPECT_NEAR(e->values[3] - e->values[1], (e->values[2] - e->values[0]) * 0.75, 1e-9);
        EXPECT_EQ(platform::FromCp932(e->text), picture);
        EXPECT_EQ(e->layer, 2);
        EXPECT_EQ(e->colour, 0x00445566u);
        EXPECT_EQ(e->style, CurrentLineType * 100 + CurrentPen);
        EXPECT_TRUE(h.Doc().snaps.HasEntityPoints(e));
        EXPECT_TRUE(h.Doc().modified);
    }
    const auto chooser = h.Ui().calls(platform::UiKind::OpenFile);
    ASSERT_FALSE(chooser.empty());
    EXPECT_EQ(chooser.back().caption, QStringLiteral("画像ファイル指定"));
    EXPECT_TRUE(chooser.back().text.startsWith(QStringLiteral("すべてのファイル(*.*)|*.*|jpg(*.jpg)")));
    EXPECT_EQ(platform::iniString(QStringLiteral("OrvikCAD"), QStringLiteral("OpenDir")), dir.path());
    EXPECT_TRUE(h.Messages().isEmpty());
}

TEST_F(ImageToolTest, VerticalSideStandsToTheRightAndEndsOnAWholePixel)
{
    h.Click(50, 10);
    h.Move(51, 70);
    h.Move(50, 80);
    h.Ui().path(picture);
    h.Click(50, 80);
    const CEntity* e = Image();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->subtype, 0);
    EXPECT_NEAR(e->values[0], 50, 0.5);
    EXPECT_NEAR(e->values[1], 10, 0.5);
    EXPECT_NEAR(e->values[3], 80, 0.5);
    // Width = height x 4/3, rounded down to the screen's pixel.
    const double px = e->values[2] / h.View().MappingScale() * h.View().MappingZoom();
    EXPECT_NEAR(px, std::round(px), 1e-6);
    const double pixel = h.View().MappingScale() / h.View().MappingZoom();
    EXPECT_NEAR(e->values[2] - e->values[0], (e->values[3] - e->values[1]) * 4 / 3, 2 * pixel);
    EXPECT_LE(e->values[2] - e->values[0], (e->values[3] - e->values[1]) * 4 / 3 + pixel);
}

TEST_F(ImageToolTest, TypedLengthRunsTowardTheMouse)
{
    h.Click(100, 40);
    h.Move(60, 41);
    h.Move(50, 40);
    NumericInputPending = 1;
    NumericInputValue = 50;
    h.Ui().path(picture);
    h.Click(50, 40);
    const CEntity* e = Image();
    ASSERT_TRUE(e);
    // Fifty to the left of the first point, wherever the mouse was.
    EXPECT_NEAR(e->values[2] - e->values[0], 50, 1e-9);
    EXPECT_NEAR(e->values[2], 100, 0.5);
    EXPECT_EQ(NumericInputPending, 0);
}

TEST_F(ImageToolTest, RightButtonCancelsAndLeavesTheScreenClean)
{
    h.Click(10, 10);
    h.Move(40, 12);
    h.Move(60, 11);
    h.RightClick(60, 11);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_EQ(OperationRestarted, 1);
    EXPECT_EQ(h.Prompt(), QStringLiteral("画像を作図します。開始位置を指示して下さい。"));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    EXPECT_TRUE(h.Ui().calls(platform::UiKind::OpenFile).empty());
}

// Nothing is added, and the drawing keeps its pending undo step, when the
// second click falls on the first, the chooser is cancelled, the file is no
// picture, or its path is longer than a drawing file keeps.
TEST_F(ImageToolTest, RefusalsAddNothingAndKeepTheUndoStep)
{
    const QString notAPicture = dir.filePath(QStringLiteral("b.png"));
    {
        QFile f(notAPicture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    QString deep = dir.path();
    for (int i = 0; i < 5; ++i)
        deep += QLatin1Char('/') + QString(50, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString longPath = deep + QStringLiteral("/a.png");
    ASSERT_TRUE(QFile::copy(picture, longPath));
    ASSERT_GT(platform::ToCp932(longPath).size(), CImageTool::MaxStoredPathBytes);

    // A first image leaves an undo step behind.
    h.Click(20, 20);
    h.Ui().path(picture);
    h.Click(50, 20);
    ASSERT_TRUE(Image());
    const CEntity* first = Image();
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    enum class Answer { SamePixel, Cancel, Path };
    struct {
        const char* what;
        Answer answer;
        QString path;
        int messages;
    } cases[] = {
        {"same pixel", Answer::SamePixel, QString(), 0},
        {"cancelled", Answer::Cancel, QString(), 0},
        {"not a picture", Answer::Path, notAPicture, 1},
        {"path too long", Answer::Path, longPath, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const qsizetype before = h.Messages().size();
        h.Click(100, 100);
        if (c.answer == Answer::Cancel)
            h.Ui().cancel();
        else if (c.answer == Answer::Path)
            h.Ui().path(c.path);
        h.Click(c.answer == Answer::SamePixel ? 100 : 160, 100);
        EXPECT_EQ(h.Entities(EntityType::Image).size(), 1u);
        EXPECT_EQ(h.Messages().size(), before + c.messages);
        EXPECT_EQ(h.Prompt(), QStringLiteral("画像を作図します。開始位置を指示して下さい。"));
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }
    EXPECT_TRUE(h.Messages().back().contains(QStringLiteral("長すぎる")));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    // The first image's step is still there to be undone.
    EXPECT_EQ(Image(), first);
    h.Key(ID_EDIT_UNDO);
    EXPECT_EQ(Image(), nullptr);
}

TEST_F(ImageToolTest, ProtectedDrawingSaysSoAndAddsNothing)
{
    h.Doc().ProtectionState = 1;
    h.Click(10, 10);
    h.Ui().path(picture);
    h.Click(70, 10);
    EXPECT_EQ(Image(), nullptr);
    ASSERT_EQ(h.Messages().size(), 1);
    EXPECT_EQ(h.Messages()[0], QStringLiteral("この図面は、書きこみ禁止状態になっています。"));
    h.Doc().ProtectionState = 0;
}

TEST(ImageToolPath, PathsTheDrawingCannotKeepAreRefused)
{
    EXPECT_TRUE(CImageTool::PathForRecord(QStringLiteral("/home/利用者/画像/a.png")).refusal.isEmpty());
    EXPECT_EQ(CImageTool::PathForRecord(QStringLiteral("/home/利用者/画像/a.png")).cp932,
              platform::ToCp932(QStringLiteral("/home/利用者/画像/a.png")));
    // Exactly as long as a drawing keeps, and one byte more.
    const QString fits = QLatin1Char('/') + QString(250, QLatin1Char('x'));
    EXPECT_TRUE(CImageTool::PathForRecord(fits).refusal.isEmpty());
    EXPECT_FALSE(CImageTool::PathForRecord(fits + QLatin1Char('y')).refusal.isEmpty());
    // A character code page 932 has no place for.
    EXPECT_FALSE(CImageTool::PathForRecord(QStringLiteral("/tmp/\u00e9t\u00e9.png")).refusal.isEmpty());
}

} // namespace

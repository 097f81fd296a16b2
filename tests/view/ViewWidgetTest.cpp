// The view as a widget: its back buffer shows the drawing, scroll bars appear
// only while the client is smaller than the scroll size, and mouse events
// arrive as the handler calls.

#include "ViewTestSupport.h"

#include <QMouseEvent>
#include <QScrollBar>

namespace {

class RecordingView : public COrvikCadView {
public:
    std::vector<std::string> calls;
    void OnLButtonDown(unsigned flags, platform::Point p) override
    {
        COrvikCadView::OnLButtonDown(flags, p);
        calls.push_back("down " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void OnLButtonUp(unsigned flags, platform::Point p) override
    {
        COrvikCadView::OnLButtonUp(flags, p);
        calls.push_back("up " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void OnRButtonDown(unsigned flags, platform::Point p) override
    {
        calls.push_back("rdown " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void OnMouseMove(unsigned flags, platform::Point p) override
    {
        calls.push_back("move " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
};

void Send(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, mods);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST_F(ViewTest, BackBufferShowsTheDrawingAfterTheBaseView)
{
    view->resize(800, 600);
    // A new A4 drawing at 1:1: its extents become the paper, 297 x 210.
    doc->header.paperIndex = 4;
    doc->header.orientation = 0;
    doc->header.scale = 1;
    Add(EntityType::Line, {0, 105, 297, 105}, 0, 0, 0x0000FF, 0, {10, 20, 11, 22});
    view->show();
    QApplication::processEvents();
    view->OnInitialUpdate();
    view->RedrawNow();
    const QImage& img = view->Buffer().Image();
    ASSERT_EQ(img.width(), view->clientW);
    ASSERT_EQ(img.height(), view->clientH);
    // The line runs across the middle of the fitted view.
    const int y = view->YToDevice(105);
    EXPECT_NEAR(y, view->clientH / 2, 2);
    EXPECT_TRUE(Is(img, view->clientW / 2, y, 0x0000FF));
    EXPECT_TRUE(Is(img, view->XToDevice(10), y, 0x0000FF));
    view->hide();
}

TEST_F(ViewTest, ScrollBarsAppearOnlyForASmallClientAndOffsetTheDeviceMapping)
{
    view->resize(300, 200);
    view->show();
    QApplication::processEvents();
    view->SetScrollSizes(594, 420);
    auto bars = view->findChildren<QScrollBar*>();
    ASSERT_EQ(bars.size(), 2);
    for (QScrollBar* bar : bars) {
        EXPECT_TRUE(bar->isVisible());
        bar->setValue(bar->orientation() == Qt::Horizontal ? 40 : 30);
    }
    EXPECT_EQ(view->FrameScrollX(), 40);
    EXPECT_EQ(view->FrameScrollY(), 30);
    int x = 100, y = 100;
    view->LogicalToDevice(x, y);
    EXPECT_EQ(x, 60);
    EXPECT_EQ(y, 70);
    EXPECT_LT(view->clientW, 300);
    EXPECT_LT(view->clientH, 200);

    view->SetScrollSizes(100, 100);
    for (QScrollBar* bar : bars)
        EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(view->FrameScrollX(), 0);
    EXPECT_EQ(view->clientW, 300);
    EXPECT_EQ(view->clientH, 200);
    view->hide();
}

TEST_F(ViewTest, SizeChangesRaiseTheClientSizeRecordAndTheDrawingArea)
{
    view->areaW = view->areaH = 0;
    view->OnSize(500, 300);
    EXPECT_EQ(view->clientW, 500);
    EXPECT_EQ(view->clientH, 300);
    EXPECT_EQ(doc->ClientSizeRecord[0], 594);
    EXPECT_EQ(doc->ClientSizeRecord[1], 420);
    EXPECT_EQ(view->resized, 1);
    view->OnSize(900, 200);
    EXPECT_EQ(doc->ClientSizeRecord[0], 900);
    EXPECT_EQ(view->areaW, 900);
    EXPECT_EQ(view->areaH, 300);  // the largest seen
}

TEST(ViewEvents, MouseEventsBecomeHandlerCalls)
{
    RecordingView view;
    view.resize(200, 200);
    view.show();
    QApplication::processEvents();
    Send(&view, QEvent::MouseButtonPress, {12.7, 30.2}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    Send(&view, QEvent::MouseMove, {15, 31}, Qt::NoButton, Qt::LeftButton);
    Send(&view, QEvent::MouseButtonRelease, {15, 31}, Qt::LeftButton, Qt::NoButton);
    Send(&view, QEvent::MouseButtonPress, {5, 6}, Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"down 5 12,30", "move 1 15,31", "up 0 15,31", "rdown 10 5,6"}));
    EXPECT_EQ(view.downX, 12);
    EXPECT_EQ(view.downY, 30);
    EXPECT_EQ(view.lButtonDown, 0);
}

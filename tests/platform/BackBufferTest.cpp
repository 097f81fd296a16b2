// The back buffer that a view shows.
#include "platform/BackBuffer.h"

#include <QApplication>
#include <QPaintEvent>
#include <QWidget>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A widget that shows a back buffer, as a view does.
class Shown : public QWidget {
public:
    Shown() : buffer(this) { resize(120, 80); }
    BackBuffer buffer;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        ++paints;
        buffer.Paint(e);
    }
    void resizeEvent(QResizeEvent*) override { buffer.Resize(width(), height()); }
};

// The content the owner draws: a filled box.
void DrawContent(Dc& dc, bool erase, int* calls)
{
    ++*calls;
    if (erase) dc.FillRect(dc.GetClipBox(), Brush::Solid(Rgb(255, 255, 255)));
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 255)));
    dc.Rectangle(20, 20, 60, 50);
}

} // namespace

TEST(BackBuffer, ClientDcDrawsAtOnceAndXorTwiceLeavesNoTrace)
{
    Shown w;
    int calls = 0;
    w.buffer.SetPaintRoutine([&](Dc& dc, bool erase) { DrawContent(dc, erase, &calls); });
    w.buffer.Resize(120, 80);
    w.buffer.Validate();
    EXPECT_EQ(calls, 1);
    const QImage before = w.buffer.Image().copy();
    {
        auto dc = w.buffer.GetClientDc();
        dc->SetRop2(Rop2::NotXorPen);
        dc->SelectPen(Pen::Make(PenStyle::Dot, 0, Rgb(255, 0, 0)));
        dc->Rectangle(10, 10, 100, 70);
    }
    EXPECT_NE(w.buffer.Image(), before); // drawn into the buffer at once
    {
        auto dc = w.buffer.GetClientDc();
        dc->SetRop2(Rop2::NotXorPen);
        dc->SelectPen(Pen::Make(PenStyle::Dot, 0, Rgb(255, 0, 0)));
        dc->Rectangle(10, 10, 100, 70);
    }
    EXPECT_EQ(w.buffer.Image(), before);
    EXPECT_EQ(calls, 1); // no redraw was needed
}

TEST(BackBuffer, InvalidatingRedrawsThroughTheOwnerAndRemovesXorFigures)
{
    Shown w;
    int calls = 0;
    w.buffer.SetPaintRoutine([&](Dc& dc, bool erase) { DrawContent(dc, erase, &calls); });
    w.buffer.Resize(120, 80);
    w.buffer.Validate();
    const QImage clean = w.buffer.Image().copy();
    {
        auto dc = w.buffer.GetClientDc();
        dc->SetRop2(Rop2::NotXorPen);
        dc->MoveTo(0, 30);
        dc->LineTo(120, 30);
    }
    EXPECT_NE(w.buffer.Image(), clean);
    w.buffer.Invalidate({0, 25, 120, 35});
    EXPECT_TRUE(w.buffer.HasInvalid());
    EXPECT_NE(w.buffer.Image(), clean); // not before the next paint
    w.buffer.Validate();
    EXPECT_FALSE(w.buffer.HasInvalid());
    EXPECT_EQ(w.buffer.Image(), clean);
    EXPECT_EQ(calls, 2);
}

TEST(BackBuffer, RedrawIsClippedToTheInvalidArea)
{
    Shown w;
    w.buffer.Resize(120, 80);
    Rect clip;
    w.buffer.SetPaintRoutine([&](Dc& dc, bool) {
        clip = dc.GetClipBox();
        dc.FillRect({0, 0, 120, 80}, Brush::Solid(Rgb(255, 0, 0)));
    });
    w.buffer.Validate();
    w.buffer.Image().fill(Qt::white);
    w.buffer.Invalidate({10, 10, 20, 30});
    w.buffer.Validate();
    EXPECT_EQ(clip, (Rect{10, 10, 20, 30}));
    EXPECT_EQ(w.buffer.Image().pixel(10, 10), 0xFFFF0000);
    EXPECT_EQ(w.buffer.Image().pixel(19, 29), 0xFFFF0000);
    EXPECT_EQ(w.buffer.Image().pixel(20, 29), 0xFFFFFFFF);
}

TEST(BackBuffer, RepaintNowShowsAtOnce)
{
    Shown w;
    int calls = 0;
    w.buffer.SetPaintRoutine([&](Dc& dc, bool erase) { DrawContent(dc, erase, &calls); });
    w.show();
    QApplication::processEvents();
    const int paintsBefore = w.paints;
    w.buffer.Invalidate({0, 0, 50, 50});
    w.buffer.RepaintNow({0, 0, 50, 50});
    EXPECT_GT(w.paints, paintsBefore); // painted without returning to the event loop
    EXPECT_FALSE(w.buffer.HasInvalid());
    EXPECT_EQ(w.buffer.Image().pixel(30, 30), 0xFF0000FF);
}

TEST(BackBuffer, ClientDcReportsWhatItTouched)
{
    BackBuffer buffer;
    buffer.Resize(100, 100);
    ClientDc dc(buffer);
    dc.MoveTo(10, 20);
    dc.LineTo(30, 25);
    const Rect t = dc.Touched();
    EXPECT_LE(t.left, 10);
    EXPECT_LE(t.top, 20);
    EXPECT_GE(t.right, 30);
    EXPECT_GE(t.bottom, 25);
    EXPECT_LT(t.Width(), 30);
}

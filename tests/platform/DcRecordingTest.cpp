// The recording device context keeps every call in order.
#include "platform/RecordingDc.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DcRecording, RecordsCallsInOrderAndTracksTheCurrentPosition)
{
    RecordingDc dc(2000, 1000, 600, true);
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsX), 600);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::HorzRes), 2000);
    dc.SetRop2(Rop2::NotXorPen);
    dc.SelectPen(Pen::Make(PenStyle::Dot, 0, Rgb(1, 2, 3)));
    dc.MoveTo(1, 2);
    dc.LineTo(3, 4);
    dc.PolyBezierTo({{5, 6}, {7, 8}, {9, 10}});
    dc.TextOut(7, 8, QStringLiteral("寸法"));
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{9, 10}));
    const std::vector<std::string> expected{
        "SetRop2(10)",
        "SelectPen(2,0,197121,0,0,0)",
        "MoveTo(1,2)",
        "LineTo(3,4)",
        "PolyBezierTo(5,6,7,8,9,10)",
        "TextOut(7,8,\"寸法\")",
    };
    EXPECT_EQ(dc.Lines(), expected);
    EXPECT_EQ(dc.Count("LineTo"), 1);
}

TEST(DcRecording, PathCallsAndRestoreBringBackTheState)
{
    RecordingDc dc;
    const int level = dc.SaveDc();
    dc.SelectBrush(Brush::Hatched(HatchStyle::Cross, Rgb(255, 0, 0)));
    dc.SetBkMode(BkMode::Transparent);
    dc.BeginPath();
    EXPECT_TRUE(dc.InPath());
    dc.MoveTo(0, 0);
    dc.LineTo(10, 0);
    dc.EndPath();
    dc.StrokePath();
    dc.RestoreDc(level);
    EXPECT_EQ(dc.CurrentBrush(), Brush{});
    EXPECT_EQ(dc.GetBkMode(), BkMode::Opaque);
    EXPECT_EQ(dc.Count("StrokePath"), 1);
}

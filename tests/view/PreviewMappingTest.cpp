// Rubber bands far outside the window: the pixels stay finite and the
// drawing stays quick.

#include "common/ToolHarness.h"

#include "view/ViewCircles.h"
#include "platform/RecordingDc.h"

#include <limits>

namespace {

class PreviewTool : public CDrawTool {
public:
    PreviewTool() : CDrawTool(79) {}
    using CDrawTool::PreviewPoint;
};

} // namespace

TEST(PreviewMapping, HugeCoordinatesSaturateInsteadOfOverflowing)
{
    ToolHarness h;
    const double huge[] = {1e300, -1e300, 1e12, -1e12, std::numeric_limits<double>::infinity()};
    for (double v : huge) {
        const platform::Point p = PreviewTool::PreviewPoint(&h.View(), v, v);
        EXPECT_LE(std::abs(static_cast<long long>(p.x)), 1LL << 28) << v;
        EXPECT_LE(std::abs(static_cast<long long>(p.y)), 1LL << 28) << v;
    }
    // A nearly straight three-point arc: the centre lands far away, the
    // circle through the clicked point is still drawn on the real screen.
    const platform::Point centre = PreviewTool::PreviewPoint(&h.View(), 1e15, 150);
    const platform::Point on = h.Client(200, 150);
    auto dc = h.View().GetClientDc();
    dc->SetRop2(platform::Rop2::NotXorPen);
    DrawCircleCenterPoint(*dc, centre.x, centre.y, on.x, on.y);
    dc.reset();
    EXPECT_FALSE(h.ScreenIsFreshRedraw());  // the nearly straight arc shows
    dc = h.View().GetClientDc();
    dc->SetRop2(platform::Rop2::NotXorPen);
    DrawCircleCenterPoint(*dc, centre.x, centre.y, on.x, on.y);
    DrawCircleTwoPoints(*dc, -2000000000, 5, 2000000000, 5);
    DrawCircleTwoPoints(*dc, -2000000000, 5, 2000000000, 5);
    dc.reset();
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST(PreviewMapping, CircleRoutinesUseTheClosedArcForm)
{
    platform::RecordingDc rec;
    DrawCircleCenterPoint(rec, 50, 50, 53, 54);  // r = 5
    DrawCircleTwoPoints(rec, 10, 10, 21, 10);    // centre (15, 10), r = 5
    DrawCircleCenterPoint(rec, 7, 7, 7, 7);      // r = 0
    const auto& r = rec.Records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].op, "Arc");
    EXPECT_EQ(r[0].args, (std::vector<long long>{45, 45, 55, 55, 45, 45, 45, 45}));
    EXPECT_EQ(r[1].args, (std::vector<long long>{10, 5, 20, 15, 10, 5, 10, 5}));
    EXPECT_EQ(r[2].args, (std::vector<long long>{7, 7, 7, 7, 7, 7, 7, 7}));
}

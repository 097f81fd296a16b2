// A circle cut into two arcs still bounds its disc: the hatch, the fill and
// the area dimension all close the region where the arcs' ends meet.

#include "AnnotationFixture.h"

#include "annotation_tools/DimensionTool.h"
#include "model/Settings.h"

#include <cmath>
#include <numbers>

namespace {

class ArcHalvesRegionTest : public AnnotationTest {};

TEST_F(ArcHalvesRegionTest, TwoHalvesOfACircleAreHatchedFilledAndMeasured)
{
    const struct {
        const char* name;
        int tool;
        int mode;
        int16_t type;
    } tools[] = {
        {"hatch", 13, 0, EntityType::Hatch},
        {"fill", 13, 1, EntityType::Fill},
        {"area", 7, DimensionMode::Area, EntityType::Dimension},
    };
    // Picks on the upper half, the lower half and the upper half again: in
    // the middles of the halves, and off them.
    const std::vector<std::pair<double, double>> pickSets[] = {{{0, 10}, {0, -10}, {0, 10}},
                                                               {{6, 8}, {-6, -8}, {6, 8}},
                                                               {{-8, 6}, {8, -6}, {-8, 6}}};
    double dx = 0;
    for (const auto& t : tools)
        for (const auto& picks : pickSets) {
            dx += 100;
            AddArc(dx, 0, 10, 0, 180);
            AddArc(dx, 0, 10, 180, 360);
            const std::size_t before = Records(t.type).size();
            h.Select(t.tool, t.mode);
            for (auto [x, y] : picks)
                h.Click(dx + x, y);
            const auto records = Records(t.type);
            ASSERT_EQ(records.size(), before + 1) << t.name << " " << picks[0].first;
            const CEntity* made = records.back();
            if (t.type == EntityType::Dimension) {
                const int i = FindValueIndex(*made, 10);
                ASSERT_GE(i, 0);
                EXPECT_NEAR(made->values[static_cast<std::size_t>(i)], 314.16, 0.005) << picks[0].first;
            } else {
                // The two arc items start at the two different ends.
                std::vector<double> starts;
                for (int k = 0; k + 4 < made->count; ++k)
                    if (made->codes[static_cast<std::size_t>(k)] <= 1 && made->codes[static_cast<std::size_t>(k + 1)] == 2)
                        starts.push_back(made->values[static_cast<std::size_t>(k + 3)]);
                ASSERT_EQ(starts.size(), 2u) << t.name << " " << picks[0].first;
                EXPECT_NE(starts[0], starts[1]) << t.name << " " << picks[0].first;
            }
        }
}

} // namespace

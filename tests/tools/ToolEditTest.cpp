// What a tool's edit draws: a new entity drawn where the magnet marker is
// shown must not leave marker pixels behind once the marker goes.

#include "LineToolFixture.h"

namespace {

class ToolEditTest : public LineToolTestBase {
protected:
    void SetUp() override { h.Select(2, 0); }
};

} // namespace

TEST_F(ToolEditTest, LineEndingOnTheMarkerLeavesNoMarkerPixels)
{
    AddPoint(30, 20);
    AddPoint(90, 50);
    ClickExact(30, 20);
    h.Move(60, 40);
    ClickExact(90, 50);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Near(Lines()[0], {30, 20, 90, 50})) << Lines()[0];
    h.Move(200, 150);  // away from every snap point: no marker
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

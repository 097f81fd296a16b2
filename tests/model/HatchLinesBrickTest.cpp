#include "model/HatchLines.h"

#include "HatchTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

using hatchtest::Hatch;
using hatchtest::Only;

namespace {

TEST(HatchBrick, CoursesComeFirstThenJointsThatAlternateFromCourseToCourse)
{
    // Courses 10 high, bricks 20 long, in a 100 x 40 rectangle.
    Hatch h(3, 10, 20, 0);
    h.rect(0, 0, 100, 40);
    const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
    ASSERT_FALSE(segs.empty());
    size_t firstJoint = 0;
    while (firstJoint < segs.size() && segs[firstJoint].piece == HatchPiece::Horizontal)
        ++firstJoint;
    EXPECT_EQ(firstJoint, 4u);  // y = 10, 20, 30, 40
    for (size_t i = firstJoint; i < segs.size(); ++i)
        EXPECT_EQ(segs[i].piece, HatchPiece::Joint);

    // Every joint spans exactly one course; on the cross line x = 10k it
    // fills the courses whose number has the parity of k.
    std::map<int, std::set<int>> coursesAt;  // x -> courses with a joint
    for (const HatchSegment& s : Only(segs, HatchPiece::Joint)) {
        EXPECT_NEAR(s.x1, s.x2, 1e-9);
        EXPECT_NEAR(std::fabs(s.y2 - s.y1), 10, 1e-9);
        EXPECT_LT(s.y1, s.y2) << "joints run across the courses";
        const int x = static_cast<int>(std::lround(s.x1));
        const int course = static_cast<int>(std::lround(std::min(s.y1, s.y2) / 10));
        EXPECT_EQ(x % 10, 0);
        EXPECT_EQ((x / 10 + course) % 2, 0) << "x " << x << " course " << course;
        coursesAt[x].insert(course);
    }
    // x = 0 lies on the left edge and is left out by its probe; the right
    // edge x = 100 is probed inside.
    EXPECT_EQ(coursesAt.count(0), 0u);
    for (int x = 10; x <= 100; x += 10) {
        SCOPED_TRACE(x);
        const std::set<int> expected = (x / 10) % 2 ? std::set<int>{1, 3} : std::set<int>{0, 2};
        EXPECT_EQ(coursesAt[x], expected);
    }
}

TEST(HatchBrick, JointsStartMidCourseWhenTheBoundaryDoes)
{
    // The boundary starts 4 above a course line (the courses are laid from
    // the box's lower corner, the box reaching below the boundary).
    Hatch h(3, 10, 20, 0);
    h.box(0, 0, 100, 40).vertex(0, 4).vertex(100, 4).vertex(100, 40).vertex(0, 40);
    const std::vector<HatchSegment> joints = Only(HatchLineSegments(h.entity()), HatchPiece::Joint);
    bool sawPartial = false;
    for (const HatchSegment& s : joints) {
        EXPECT_GE(std::min(s.y1, s.y2), 4 - 1e-9);
        const double len = std::fabs(s.y2 - s.y1);
        if (std::fabs(std::min(s.y1, s.y2) - 4) < 1e-9) {
            // The first, shortened joint belongs to course 0: on even cross lines only.
            EXPECT_NEAR(len, 6, 1e-9);
            EXPECT_EQ(static_cast<int>(std::lround(s.x1 / 10)) % 2, 0);
            sawPartial = true;
        } else {
            EXPECT_NEAR(len, 10, 1e-9);
        }
    }
    EXPECT_TRUE(sawPartial);
}

TEST(HatchBrick, EveryAngleLaysJointsOfOneCourseAcross)
{
    for (int deg : {0, 30, 90, 120, 180, 225, 270, 300}) {
        SCOPED_TRACE(deg);
        Hatch h(3, 8, 24, deg);
        h.rect(0, 0, 120, 100);
        const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
        const std::vector<HatchSegment> joints = Only(segs, HatchPiece::Joint);
        EXPECT_GE(Only(segs, HatchPiece::Horizontal).size(), 10u);
        EXPECT_GE(joints.size(), 40u);
        const double rad = deg * 3.14159265358979323846 / 180;
        size_t full = 0;
        for (const HatchSegment& s : joints) {
            const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
            const double len = std::hypot(dx, dy);
            EXPECT_LE(len, 8 + 1e-6);
            // Across the courses: perpendicular to the course direction.
            EXPECT_NEAR(dx * std::cos(rad) + dy * std::sin(rad), 0, 1e-6);
            if (std::fabs(len - 8) < 1e-6)
                ++full;
        }
        EXPECT_GE(full * 2, joints.size()) << "most joints span a whole course";
    }
}

} // namespace

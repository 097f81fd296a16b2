#include "model/CurveCut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace {

GeoPoint At(double degrees, double r = 10.0)
{
    const double t = degrees * std::numbers::pi / 180.0;
    return {r * std::cos(t), r * std::sin(t)};
}

// The arc from 0 to 180 degrees, counter-clockwise, about the origin.
const CircleArc Upper{0, 0, 10, 0, 180, 1};

void ExpectArcs(const std::vector<CircleArc>& got, std::initializer_list<CircleArc> want, const char* what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    size_t i = 0;
    for (const CircleArc& w : want) {
        EXPECT_NEAR(got[i].start, w.start, 1e-6) << what << " piece " << i;
        EXPECT_NEAR(got[i].end, w.end, 1e-6) << what << " piece " << i;
        EXPECT_EQ(got[i].subtype, w.subtype) << what << " piece " << i;
        EXPECT_EQ(got[i].r, 10.0) << what;
        ++i;
    }
}

TEST(CurveCut, RadialPositionMovesAlongTheRayFromTheCentre)
{
    struct Case {
        double px, py, x, y;
    };
    const Case cases[] = {{3, 0, 10, 0}, {0, -40, 0, -10}, {5, 5, 10 / std::sqrt(2.0), 10 / std::sqrt(2.0)}};
    for (const Case& c : cases) {
        const PointResult q = RadialPosition(0, 0, 10, c.px, c.py);
        EXPECT_EQ(q.status, 0);
        EXPECT_NEAR(q.x, c.x, 1e-9);
        EXPECT_NEAR(q.y, c.y, 1e-9);
    }
    EXPECT_EQ(RadialPosition(2, 3, 10, 2, 3).status, -1);
    EXPECT_NEAR(AngleFromCentre(0, 0, 0, -1), 270.0, 1e-9);
    EXPECT_NEAR(AngleFromStart(300, 10), 70.0, 1e-9);
}

TEST(CutDirection, FollowsTheQuadrantsTheMovementCrosses)
{
    struct Case {
        const char* what;
        std::vector<double> phis;
        int direction;
    };
    const Case cases[] = {
        {"first move counter-clockwise", {10}, 1},
        {"first move clockwise", {350}, -1},
        {"back across the start clockwise", {10, 350}, -1},
        {"back across the start counter-clockwise", {350, 10}, 1},
        {"round the far side counter-clockwise", {100, 200, 300}, 1},
        {"staying in the far quadrants", {100, 200}, 0},
    };
    for (const Case& c : cases) {
        CutDirection cut;
        cut.Start();
        for (double phi : c.phis)
            cut.Track(phi);
        EXPECT_EQ(cut.direction, c.direction) << c.what;
    }
    CutDirection undecided;
    EXPECT_EQ(undecided.Decided(), -1);
}

TEST(CutDirection, PreviewHiddenNearTheStart)
{
    for (double phi : {0.0, 0.5, 1.9, 359.0, 359.99})
        EXPECT_TRUE(PreviewArcHidden(phi)) << phi;
    for (double phi : {2.0, 90.0, 358.9})
        EXPECT_FALSE(PreviewArcHidden(phi)) << phi;
}

TEST(CurveCut, CircleKeepsThePartTheRemovedPieceDoesNotCover)
{
    ExpectArcs(CircleCutPieces(0, 0, 10, At(0), At(90), 1), {{0, 0, 10, 0, 90, -1}}, "counter-clockwise cut");
    ExpectArcs(CircleCutPieces(0, 0, 10, At(0), At(90), -1), {{0, 0, 10, 0, 90, 1}}, "clockwise cut");
    ExpectArcs(CircleCutPieces(0, 0, 10, At(30), At(30), 1), {{0, 0, 10, 30, 30, -1}}, "equal positions");
}

TEST(CurveCut, ArcPiecesStayWithinTheArc)
{
    struct Case {
        const char* what;
        double s, e;
        bool endOff;
        int direction;
        bool startMoved;
        std::initializer_list<CircleArc> want;
    };
    const Case cases[] = {
        {"both on, in order", 45, 135, false, 1, false, {{0, 0, 10, 0, 45, 1}, {0, 0, 10, 135, 180, 1}}},
        {"both on, reversed, against the arc", 135, 45, false, 1, false, {{0, 0, 10, 0, 45, 1}, {0, 0, 10, 135, 180, 1}}},
        {"equal positions split", 90, 90, false, -1, false, {{0, 0, 10, 0, 90, 1}, {0, 0, 10, 90, 180, 1}}},
        {"end off, cut along the arc", 45, 180, true, 1, false, {{0, 0, 10, 0, 45, 1}}},
        {"end off, cut against the arc", 45, 0, true, -1, false, {{0, 0, 10, 180, 45, -1}}},
        {"start moved to the arc's start", 0, 90, false, 1, true, {{0, 0, 10, 90, 180, 1}}},
        {"start moved and end off", 0, 180, true, 1, true, {}},
    };
    for (const Case& c : cases) {
        ArcCutState state;
        state.startMoved = c.startMoved;
        ExpectArcs(ArcCutPieces(Upper, At(c.s), At(c.e), c.endOff, c.direction, state), c.want, c.what);
    }
}

TEST(CurveCut, ArcRuleHoldsThePreviewAtTheEndItRunsTo)
{
    ArcCutState state;
    CutDirection cut;
    cut.direction = 1;
    // Past the arc's end: held there.
    GeoPoint q = ApplyArcRule(Upper, At(90), At(270), cut, state);
    EXPECT_NEAR(q.x, -10, 1e-9);
    EXPECT_TRUE(state.leftArc);
    // Back onto the arc from its start side: the cut turns round.
    q = ApplyArcRule(Upper, At(90), At(45), cut, state);
    EXPECT_NEAR(q.x, At(45).x, 1e-9);
    EXPECT_FALSE(state.leftArc);
    EXPECT_EQ(cut.direction, -1);
    // Against the arc, off it: held at the arc's start.
    q = ApplyArcRule(Upper, At(90), At(300), cut, state);
    EXPECT_NEAR(q.x, 10, 1e-9);
    // A moved start always runs along the arc to its end.
    ArcCutState moved;
    moved.startMoved = true;
    q = ApplyArcRule(Upper, At(0), At(300), cut, moved);
    EXPECT_NEAR(q.x, -10, 1e-9);
    EXPECT_EQ(cut.direction, 1);
}

TEST(CurveCut, EllipticPieces)
{
    const EllipticPiece ccw = EllipseCutPiece(30, 60, 1);
    EXPECT_EQ(ccw.start, 60);
    EXPECT_EQ(ccw.end, 30);
    const EllipticPiece cw = EllipseCutPiece(30, 60, -1);
    EXPECT_EQ(cw.start, 30);
    EXPECT_EQ(cw.end, 60);

    struct Case {
        const char* what;
        double s, e;
        int direction;
        std::vector<std::pair<double, double>> want;
    };
    const Case cases[] = {
        {"both on the arc", 45, 135, 1, {{0, 45}, {135, 180}}},
        {"clockwise swaps the positions", 135, 45, -1, {{0, 45}, {135, 180}}},
        {"end beyond the arc's end", 45, 270, 1, {{0, 45}}},
        {"start before the arc's start", 300, 90, 1, {{90, 180}}},
        {"neither on the arc", 200, 300, 1, {}},
    };
    for (const Case& c : cases) {
        const auto pieces = EllipticArcCutPieces(0, 180, 20, c.s, c.e, c.direction);
        ASSERT_EQ(pieces.size(), c.want.size()) << c.what;
        for (size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_NEAR(pieces[i].start, c.want[i].first, 1e-9) << c.what;
            EXPECT_NEAR(pieces[i].end, c.want[i].second, 1e-9) << c.what;
        }
    }
}

} // namespace

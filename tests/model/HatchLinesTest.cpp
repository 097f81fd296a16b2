#include "model/HatchLines.h"

#include "HatchTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using hatchtest::Hatch;
using hatchtest::Only;
using hatchtest::SortedKeys;

namespace {

constexpr double Pi = 3.14159265358979323846;

void ExpectSegment(const HatchSegment& s, double x1, double y1, double x2, double y2)
{
    EXPECT_NEAR(s.x1, x1, 1e-9);
    EXPECT_NEAR(s.y1, y1, 1e-9);
    EXPECT_NEAR(s.x2, x2, 1e-9);
    EXPECT_NEAR(s.y2, y2, 1e-9);
}

TEST(HatchLines, SquareHorizontalFamilyDrawsInnerLinesAndTheTopEdgeByTheProbe)
{
    Hatch h(1, 10, 10, 0);
    h.rect(0, 0, 100, 100);
    HatchLinesReport report;
    const std::vector<HatchSegment> segs = HatchLineSegments(h.entity(), &report);
    EXPECT_EQ(report.status, HatchLinesStatus::Ok);
    EXPECT_FALSE(report.boundaryTruncated);
    // y = 0 meets two corners and its probe (5, 0) sits at the even position 0:
    // not drawn. y = 100's probe (5, 100) sits at position 1: drawn.
    ASSERT_EQ(segs.size(), 10u);
    EXPECT_EQ(report.segments, 10);
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        ExpectSegment(segs[static_cast<size_t>(k - 1)], 0, 10.0 * k, 100, 10.0 * k);
        EXPECT_EQ(segs[static_cast<size_t>(k - 1)].piece, HatchPiece::Horizontal);
    }
}

TEST(HatchLines, GridDrawsTheVerticalFamilyFirst)
{
    Hatch h(2, 10, 20, 0);
    h.rect(0, 0, 100, 100);
    const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
    ASSERT_EQ(segs.size(), 15u);
    // Vertical spacing 20: x = 20 … 100 (x = 0 is left out by its probe).
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(segs[static_cast<size_t>(k)].piece, HatchPiece::Vertical);
        ExpectSegment(segs[static_cast<size_t>(k)], 20.0 * (k + 1), 0, 20.0 * (k + 1), 100);
    }
    for (size_t k = 5; k < segs.size(); ++k)
        EXPECT_EQ(segs[k].piece, HatchPiece::Horizontal);
}

TEST(HatchLines, CircleIsCutByBothFamiliesAndTangentsAddNothing)
{
    Hatch h(2, 10, 10, 0);
    h.box(0, 0, 100, 100).circle(50, 50, 50);
    const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
    // The lines 0 and 100 of each family only touch the circle.
    ASSERT_EQ(segs.size(), 18u);
    for (size_t i = 0; i < segs.size(); ++i) {
        const HatchSegment& s = segs[i];
        const bool vertical = i < 9;
        EXPECT_EQ(s.piece, vertical ? HatchPiece::Vertical : HatchPiece::Horizontal);
        const double at = 10.0 * static_cast<double>(i % 9 + 1);
        const double half = std::sqrt(2500.0 - (at - 50) * (at - 50));
        if (vertical)
            ExpectSegment(s, at, 50 - half, at, 50 + half);
        else
            ExpectSegment(s, 50 - half, at, 50 + half, at);
    }
}

TEST(HatchLines, ArcItemsKeepOnlyTheirOwnSideOfTheCircle)
{
    struct Case {
        const char* name;
        bool ccw;
        double side;  // +1 the half above the diameter, -1 below
    };
    for (const Case& c : {Case{"counter-clockwise", true, 1}, Case{"clockwise", false, -1}}) {
        SCOPED_TRACE(c.name);
        // A half disc: the diameter from (0, 0) to (100, 0), then the arc back.
        Hatch h(0, 10, 10, 0);
        h.box(0, c.side > 0 ? 0 : -50, 100, c.side > 0 ? 50 : 0).vertex(0, 0).arc(c.ccw, 50, 0, 50, 100, 0);
        const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
        ASSERT_EQ(segs.size(), 9u);
        for (size_t i = 0; i < segs.size(); ++i) {
            const double x = 10.0 * static_cast<double>(i + 1);
            const double top = c.side * std::sqrt(2500.0 - (x - 50) * (x - 50));
            ExpectSegment(segs[i], x, std::min(0.0, top), x, std::max(0.0, top));
        }
    }
}

TEST(HatchLines, EllipseAndEllipticArcItems)
{
    auto onEllipse = [](double x, double y) {
        const double u = (x - 50) / 40, v = (y - 50) / 20;
        return u * u + v * v;
    };
    {
        SCOPED_TRACE("ellipse");
        Hatch h(1, 10, 10, 0);
        h.box(10, 30, 90, 70).ellipse(50, 50, 40, 20, 0);
        const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
        ASSERT_EQ(segs.size(), 3u);  // y = 40, 50, 60; y = 30 and 70 only touch
        for (size_t i = 0; i < segs.size(); ++i) {
            EXPECT_NEAR(segs[i].y1, 40.0 + 10.0 * static_cast<double>(i), 1e-9);
            EXPECT_NEAR(onEllipse(segs[i].x1, segs[i].y1), 1.0, 1e-6);
            EXPECT_NEAR(onEllipse(segs[i].x2, segs[i].y2), 1.0, 1e-6);
            EXPECT_LT(segs[i].x1, segs[i].x2);
        }
    }
    {
        SCOPED_TRACE("elliptic arc closed by its chord");
        // The upper half of the same ellipse from (90, 50) round to (10, 50),
        // and the straight edge back.
        Hatch h(0, 10, 10, 0);
        h.box(10, 50, 90, 70).ellipticArc(50, 50, 40, 20, 0, 0, 180, 90, 50).vertex(10, 50);
        const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
        ASSERT_EQ(segs.size(), 7u);  // x = 20 … 80
        for (size_t i = 0; i < segs.size(); ++i) {
            const double x = 20.0 + 10.0 * static_cast<double>(i);
            EXPECT_NEAR(segs[i].x1, x, 1e-9);
            EXPECT_NEAR(segs[i].y1, 50, 1e-9);
            EXPECT_NEAR(onEllipse(segs[i].x2, segs[i].y2), 1.0, 1e-6);
            EXPECT_GT(segs[i].y2, 50);
        }
    }
}

TEST(HatchLines, LinesWithManyCrossingsKeepEveryPiece)
{
    // Seventeen scallops along the bottom edge: the line y = -2 crosses the
    // boundary 34 times.
    Hatch h(1, 3, 3, 0);
    h.box(0, -5, 170, 20);
    for (int i = 0; i < 17; ++i)
        h.arc(true, 10.0 * i + 5, 0, 5, 10.0 * i, 0);
    h.vertex(170, 0).vertex(170, 20).vertex(0, 20);
    const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
    std::vector<HatchSegment> low;
    for (const HatchSegment& s : segs)
        if (std::fabs(s.y1 + 2) < 1e-9)
            low.push_back(s);
    ASSERT_EQ(low.size(), 17u);
    const double half = std::sqrt(21.0);
    for (size_t i = 0; i < low.size(); ++i)
        ExpectSegment(low[i], 10.0 * static_cast<double>(i) + 5 - half, -2, 10.0 * static_cast<double>(i) + 5 + half,
                      -2);
}

TEST(HatchLines, NonPositiveSpacingDrawsNoLinesOfThatFamily)
{
    struct Case {
        int pattern;
        double spacingY, spacingX;
        int vertical, horizontal, joints;
    };
    const Case cases[] = {
        {2, 0, 10, 10, 0, 0},   // grid without the horizontal family
        {2, 10, -5, 0, 10, 0},  // grid without the vertical family
        {0, 10, 0, 0, 0, 0},
        {1, -1, 10, 0, 0, 0},
        {3, 0, 20, 0, 0, 0},    // brick without courses has no joints either
        {3, 10, 0, 0, 10, 0},   // brick without a brick length: courses only
        {3, 10, -20, 0, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("pattern " + std::to_string(c.pattern) + " spacing " + std::to_string(c.spacingY) + "/" +
                     std::to_string(c.spacingX));
        Hatch h(c.pattern, c.spacingY, c.spacingX, 0);
        h.rect(0, 0, 100, 100);
        HatchLinesReport report;
        const std::vector<HatchSegment> segs = HatchLineSegments(h.entity(), &report);
        EXPECT_EQ(report.status, HatchLinesStatus::Ok);
        EXPECT_EQ(Only(segs, HatchPiece::Vertical).size(), static_cast<size_t>(c.vertical));
        EXPECT_EQ(Only(segs, HatchPiece::Horizontal).size(), static_cast<size_t>(c.horizontal));
        EXPECT_EQ(Only(segs, HatchPiece::Joint).size(), static_cast<size_t>(c.joints));
    }
}

TEST(HatchLines, UnknownPatternDrawsNothing)
{
    for (int pattern : {-1, 4, 100}) {
        Hatch h(pattern, 10, 10, 0);
        h.rect(0, 0, 100, 100);
        HatchLinesReport report;
        EXPECT_TRUE(HatchLineSegments(h.entity(), &report).empty());
        EXPECT_EQ(report.status, HatchLinesStatus::Ok);
    }
}

// Point in the convex polygon (counter-clockwise) with a small tolerance.
bool InsideConvex(const std::vector<GeoPoint>& poly, double x, double y)
{
    for (size_t i = 0; i < poly.size(); ++i) {
        const GeoPoint& a = poly[i];
        const GeoPoint& b = poly[(i + 1) % poly.size()];
        if ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) < -1e-6)
            return false;
    }
    return true;
}

TEST(HatchLines, EveryAngleFillsTheBoundaryAndStaysInside)
{
    // A triangle inside its box; the lines must reach across the whole shape
    // at any angle, not only for angles near 0.
    const std::vector<GeoPoint> tri{{0, 0}, {120, 0}, {40, 90}};
    for (int pattern : {0, 1}) {
        for (int deg = 0; deg < 360; deg += 5) {
            SCOPED_TRACE("pattern " + std::to_string(pattern) + " angle " + std::to_string(deg));
            Hatch h(pattern, 6, 6, deg);
            h.box(0, 0, 120, 90).vertex(0, 0).vertex(120, 0).vertex(40, 90);
            const std::vector<HatchSegment> segs = HatchLineSegments(h.entity());
            for (const HatchSegment& s : segs) {
                EXPECT_TRUE(InsideConvex(tri, (s.x1 + s.x2) / 2, (s.y1 + s.y2) / 2));
                EXPECT_TRUE(InsideConvex(tri, s.x1, s.y1));
                EXPECT_TRUE(InsideConvex(tri, s.x2, s.y2));
            }
            // The lines' direction and the triangle's width across them.
            const double rad = deg * Pi / 180;
            const double nx = pattern == 1 ? -std::sin(rad) : std::cos(rad);
            const double ny = pattern == 1 ? std::cos(rad) : std::sin(rad);
            double lo = 1e9, hi = -1e9;
            for (const GeoPoint& p : tri) {
                lo = std::min(lo, p.x * nx + p.y * ny);
                hi = std::max(hi, p.x * nx + p.y * ny);
            }
            EXPECT_GE(static_cast<double>(segs.size()), std::floor((hi - lo) / 6) - 2);
        }
    }
}

TEST(HatchLines, OppositeAnglesGiveTheSameLines)
{
    for (int deg : {30, 45, 90, 100, 135, 170}) {
        SCOPED_TRACE(deg);
        Hatch a(2, 7, 9, deg), b(2, 7, 9, deg + 180), c(2, 7, 9, deg - 360);
        a.rect(0, 0, 80, 60);
        b.rect(0, 0, 80, 60);
        c.rect(0, 0, 80, 60);
        const auto ka = SortedKeys(HatchLineSegments(a.entity()));
        EXPECT_FALSE(ka.empty());
        EXPECT_EQ(ka, SortedKeys(HatchLineSegments(b.entity())));
        EXPECT_EQ(ka, SortedKeys(HatchLineSegments(c.entity())));
    }
}

TEST(HatchLines, QuarterTurnOfOneFamilyMatchesTheOther)
{
    Hatch turned(1, 10, 99, 90), plain(0, 99, 10, 0);
    turned.rect(0, 0, 100, 100);
    plain.rect(0, 0, 100, 100);
    const auto segs = HatchLineSegments(turned.entity());
    EXPECT_EQ(segs.size(), 10u);
    EXPECT_EQ(SortedKeys(segs), SortedKeys(HatchLineSegments(plain.entity())));
}

TEST(HatchLines, SpanTestProbesOnlyPiecesStartingAtBoundaryPoints)
{
    Hatch h(1, 10, 10, 0);
    h.rect(0, 0, 100, 100);
    HatchBoundary b;
    ASSERT_EQ(UnpackHatchBoundary(h.entity(), b), BoundaryUnpack::Complete);
    ASSERT_EQ(b.count(), 4);
    ASSERT_EQ(b.items.size(), 5u);
    EXPECT_EQ(ViewHatchSpanTest(1, b, {0, 50}, {100, 50}), 0);     // not at a corner: ordinary
    EXPECT_EQ(ViewHatchSpanTest(1, b, {0, 0}, {0.03, 0.04}), -1);  // the same point twice
    EXPECT_EQ(ViewHatchSpanTest(1, b, {0, 100}, {4.9, 100}), -1);  // shorter than 5 from a corner
    EXPECT_EQ(ViewHatchSpanTest(1, b, {0, 100}, {100, 100}), 1);   // the top edge
    EXPECT_EQ(ViewHatchSpanTest(1, b, {0, 0}, {100, 0}), -1);      // the bottom edge
    EXPECT_EQ(ViewHatchSpanTest(0, b, {100, 0}, {100, 100}), 1);   // the right edge, probed across by x
    EXPECT_EQ(ViewHatchSpanTest(1, HatchBoundary{}, {0, 0}, {100, 0}), 0);
}

TEST(HatchLines, FillBoundariesUnpackToo)
{
    // A fill's elliptic arc keeps a direction: negative means the boundary
    // arrives at its end point, which is where the item starts.
    CEntity fill;
    fill.type = EntityType::Fill;
    fill.subtype = 2;
    fill.codes = {0, 0, 80, 81, 82, 83, 84, 85, 86, 87, 10, 20};
    fill.values = {0, 0, 0, 0, 10, 5, 0, 0, 90, -1, 0, 0};
    fill.count = static_cast<int16_t>(fill.values.size());
    HatchBoundary b;
    ASSERT_EQ(UnpackHatchBoundary(fill, b), BoundaryUnpack::Complete);
    ASSERT_EQ(b.count(), 2);
    EXPECT_EQ(b.items[0].itemClass, HatchItemClass::EllipticArc);
    EXPECT_NEAR(b.items[0].x, 0, 1e-9);
    EXPECT_NEAR(b.items[0].y, 5, 1e-9);
    EXPECT_EQ(b.items[1].itemClass, HatchItemClass::Edge);
    EXPECT_EQ(b.items[2].itemClass, HatchItemClass::EllipticArc);  // the closing slot
    // A fill may hold many vertices; only hatches are limited.
    fill.subtype = 30;
    fill.codes = {0, 0};
    fill.values = {0, 0};
    for (int i = 0; i < 30; ++i) {
        fill.codes.insert(fill.codes.end(), {10, 20});
        fill.values.insert(fill.values.end(), {double(i), double(i * i)});
    }
    fill.count = static_cast<int16_t>(fill.values.size());
    EXPECT_EQ(UnpackHatchBoundary(fill, b), BoundaryUnpack::Complete);
    EXPECT_EQ(b.count(), 30);
}

} // namespace

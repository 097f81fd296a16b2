// Hatch records that do not hold what they claim: the generator must stay
// inside the record, never hang, and report what it could not use. These run
// under the sanitizers too.
#include "model/HatchLines.h"

#include "HatchTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

using hatchtest::Hatch;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

Hatch Square(int pattern = 2)
{
    Hatch h(pattern, 10, 10, 0);
    h.rect(0, 0, 100, 100);
    return h;
}

TEST(HatchMalformed, MoreThanTwentyItemsYieldsNothingAndSaysSo)
{
    Hatch h(1, 10, 10, 0);
    h.box(0, 0, 100, 100);
    for (int i = 0; i < 21; ++i)
        h.vertex(100 * std::cos(i * 0.3), 100 * std::sin(i * 0.3));
    HatchLinesReport report;
    int calls = 0;
    report = GenerateHatchLines(h.entity(), [&](const HatchSegment&) { ++calls; });
    EXPECT_EQ(report.status, HatchLinesStatus::TooManyItems);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(report.segments, 0);

    // Twenty is still fine.
    Hatch ok(1, 10, 10, 0);
    ok.box(-100, -100, 100, 100);
    for (int i = 0; i < 20; ++i)
        ok.vertex(100 * std::cos(i * 0.314159), 100 * std::sin(i * 0.314159));
    EXPECT_EQ(GenerateHatchLines(ok.entity(), nullptr).status, HatchLinesStatus::Ok);
}

TEST(HatchMalformed, RecordsThatClaimMoreThanTheyHold)
{
    struct Case {
        std::string name;
        std::function<void(CEntity&)> spoil;
        HatchLinesStatus status;
        bool truncated;
    };
    const std::vector<Case> cases = {
        {"item count past the values", [](CEntity& e) { e.codes[0] = 9; }, HatchLinesStatus::Ok, true},
        {"value count past the arrays", [](CEntity& e) { e.count = 500; }, HatchLinesStatus::Ok, false},
        {"value count cuts an item",
         [](CEntity& e) { e.count = static_cast<int16_t>(e.count - 1); }, HatchLinesStatus::Ok, true},
        {"negative value count", [](CEntity& e) { e.count = -3; }, HatchLinesStatus::BadRecord, false},
        {"fewer values than codes",
         [](CEntity& e) { e.values.resize(e.values.size() - 3); }, HatchLinesStatus::Ok, true},
        {"fewer codes than values",
         [](CEntity& e) { e.codes.resize(10); }, HatchLinesStatus::Ok, true},
        {"unknown item code", [](CEntity& e) { e.codes[11] = 42; }, HatchLinesStatus::Ok, true},
        {"no boundary values at all",
         [](CEntity& e) {
             e.values.resize(5);
             e.codes.resize(5);
             e.count = 5;
         },
         HatchLinesStatus::BadRecord, false},
        {"empty record",
         [](CEntity& e) {
             e.values.clear();
             e.codes.clear();
             e.count = 0;
         },
         HatchLinesStatus::BadRecord, false},
        {"negative item count", [](CEntity& e) { e.codes[0] = -4; }, HatchLinesStatus::Ok, false},
        {"not a hatch", [](CEntity& e) { e.type = EntityType::Fill; }, HatchLinesStatus::BadRecord, false},
        {"spacing not a number", [](CEntity& e) { e.values[0] = NaN; }, HatchLinesStatus::BadRecord, false},
        {"angle infinite", [](CEntity& e) { e.values[2] = Inf; }, HatchLinesStatus::BadRecord, false},
        {"box not a number", [](CEntity& e) { e.values[5] = NaN; }, HatchLinesStatus::BadRecord, false},
        {"item values not numbers",
         [](CEntity& e) {
             for (size_t i = 7; i < e.values.size(); ++i)
                 e.values[i] = i % 2 ? NaN : Inf;
         },
         HatchLinesStatus::Ok, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hatch h = Square(3);
        h.entity();
        c.spoil(h.raw());
        HatchLinesReport report;
        const std::vector<HatchSegment> segs = HatchLineSegments(h.raw(), &report);
        EXPECT_EQ(report.status, c.status);
        EXPECT_EQ(report.boundaryTruncated, c.truncated);
        EXPECT_EQ(report.segments, static_cast<int>(segs.size()));
        for (const HatchSegment& s : segs) {
            EXPECT_TRUE(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2));
        }
    }
}

TEST(HatchMalformed, TruncatedBoundaryUsesTheItemsBeforeTheCut)
{
    // Three of four corners survive: the hatch becomes the triangle they make.
    Hatch h = Square(1);
    h.entity();
    h.raw().codes[13] = 77;  // the fourth vertex's first code
    HatchBoundary b;
    EXPECT_EQ(UnpackHatchBoundary(h.raw(), b), BoundaryUnpack::Truncated);
    EXPECT_EQ(b.count(), 3);
    HatchLinesReport report;
    const std::vector<HatchSegment> segs = HatchLineSegments(h.raw(), &report);
    EXPECT_TRUE(report.boundaryTruncated);
    ASSERT_FALSE(segs.empty());
    for (const HatchSegment& s : segs) {
        // Inside the triangle (0, 0), (100, 0), (100, 100).
        EXPECT_LE(s.y1, s.x1 + 1e-9);
        EXPECT_LE(s.y2, s.x2 + 1e-9);
    }
}

TEST(HatchMalformed, AbsurdDensitiesAreLeftOutQuickly)
{
    struct Case {
        const char* name;
        double spacingY, spacingX, x1, y1;
        int pattern;
    };
    const Case cases[] = {
        {"tiny spacing", 1e-9, 1e-9, 100, 100, 2},
        {"huge box", 10, 10, 1e15, 1e15, 2},
        {"huge box brick", 10, 20, 1e12, 1e12, 3},
        {"tiny courses", 1e-7, 20, 100, 100, 3},
        {"tiny bricks", 10, 1e-7, 100, 100, 3},
        {"box beyond doubles' reach", 10, 10, 1e300, 1e300, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hatch h(c.pattern, c.spacingY, c.spacingX, 30);
        h.rect(0, 0, c.x1, c.y1);
        const auto start = std::chrono::steady_clock::now();
        HatchLinesReport report;
        HatchLineSegments(h.entity(), &report);
        EXPECT_EQ(report.status, HatchLinesStatus::Ok);
        EXPECT_TRUE(report.tooDense);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    }
}

TEST(HatchMalformed, RandomRecordsNeverEscapeTheirArrays)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> codePick(0, 9);
    const int16_t itemCodes[] = {0, 1, 10, 50, 70, 80, 2, 4, 5, 99};
    std::uniform_real_distribution<double> coord(-50, 150);
    for (int round = 0; round < 400; ++round) {
        CEntity e;
        e.type = EntityType::Hatch;
        e.subtype = static_cast<int16_t>(rng() % 5);
        const size_t n = 7 + rng() % 40;
        e.codes.resize(n);
        e.values.resize(n);
        for (size_t i = 0; i < n; ++i) {
            e.codes[i] = itemCodes[codePick(rng)];
            e.values[i] = coord(rng);
        }
        e.codes[0] = static_cast<int16_t>(static_cast<int>(rng() % 25) - 2);
        e.values[0] = 2 + rng() % 20;
        e.values[1] = 2 + rng() % 20;
        e.values[3] = -50;
        e.values[4] = -50;
        e.values[5] = 150;
        e.values[6] = 150;
        e.count = static_cast<int16_t>(static_cast<int>(n) + static_cast<int>(rng() % 7) - 3);
        HatchLinesReport report;
        const std::vector<HatchSegment> segs = HatchLineSegments(e, &report);
        EXPECT_EQ(report.segments, static_cast<int>(segs.size()));
    }
}

} // namespace

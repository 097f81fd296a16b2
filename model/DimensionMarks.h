#pragma once
// The terminators a dimension record puts on its ends, read from its codes:
// the terminator code word (code 14), the arc of the angle kinds (codes 23..27) and
// the measuring points (codes 40 + 10k and 41 + 10k). The record's lines and
// texts are member entities of their own; the record adds only these marks.
// Shared by the dimension drawer and the box the view culls dimensions by.

#include "model/TerminatorSpec.h"
#include "model/Entity.h"
#include "model/GeometryCircles.h"
#include "model/GeometryLines.h"

#include <algorithm>
#include <array>
#include <cstdint>

// Pixel sizes of dots (radius) and barbs (length) by size index; with the
// sizes linked to the zoom, the scaled lengths are paper millimetres times
// the zoom.
inline constexpr int DimDotRadiusTable[5] = {2, 3, 4, 5, 6};
inline constexpr int DimArrowLengthTable[5] = {6, 8, 10, 12, 15};
inline constexpr int DimScaledArrowLengthTable[5] = {4, 6, 8, 10, 12};
// The farthest a zoom-linked terminator reaches from its tip, in paper
// millimetres (the longest scaled barb; dots are smaller).
inline constexpr double DimScaledMarkReach = 12.0;
// Most measuring points a dimension holds.
inline constexpr int MaxDimensionPoints = 40;

// Calls mark(spec, kind, tipX, tipY, fromX, fromY) for every terminator of
// the record in drawing order (kind 0 included: it draws nothing), with the
// record's terminator code word.
template <class Mark>
void ForEachDimensionMark(const CEntity& e, Mark&& mark)
{
    const int kind = e.subtype;
    double codeWord = 0.0;
    double arc[5] = {};  // codes 23..27
    std::array<double, MaxDimensionPoints> px{}, py{};
    std::array<uint8_t, MaxDimensionPoints> seen{};
    const std::size_t count = std::min(e.codes.size(), e.values.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int code = e.codes[i];
        const double v = e.values[i];
        if (code == 14) {
            codeWord = v;
        } else if (code >= 23 && code <= 27) {
            arc[code - 23] = v;
        } else if (code >= 40) {
            const int k = (code - 40) / 10, which = (code - 40) % 10;
            if (which > 1)
                continue;
            if (k >= MaxDimensionPoints)
                return;  // more points than a dimension holds: no marks
            (which == 0 ? px : py)[std::size_t(k)] = v;
            seen[std::size_t(k)] |= uint8_t(which == 0 ? 1 : 2);
        }
    }
    const TerminatorSpec spec = TerminatorSpec::FromValue(codeWord);
    if (kind == 8)
        return;
    const int m = (kind == 1 || kind == 2) ? 16 : 14;
    const int n = std::clamp((static_cast<int>(e.count) - m) / 2, 0, MaxDimensionPoints);

    if (kind == 3 || kind == 4) {
        if (seen[0] == 3 && seen[1] == 3)
            mark(spec, spec.firstEnd, px[0], py[0], px[1], py[1]);
        return;
    }
    if (kind == 6 || kind == 7) {
        const double cx = arc[0], cy = arc[1], r = arc[2];
        const PointSet<2> ends = ArcEndPoints(cx, cy, r, arc[3], arc[4]);
        const PointResult startTangent = OffsetPointFromSegment(-1, ends.x[0], ends.y[0], cx, cy, 1000.0);
        const PointResult endTangent = OffsetPointFromSegment(1, ends.x[1], ends.y[1], cx, cy, 1000.0);
        if (startTangent.status == 0)
            mark(spec, spec.firstEnd, ends.x[0], ends.y[0], startTangent.x, startTangent.y);
        if (endTangent.status == 0)
            mark(spec, spec.firstEnd, ends.x[1], ends.y[1], endTangent.x, endTangent.y);
        return;
    }
    if (n < 2)
        return;
    const auto last = std::size_t(n - 1);
    mark(spec, spec.firstEnd, px[0], py[0], px[last], py[last]);
    mark(spec, spec.lastEnd, px[last], py[last], px[0], py[0]);
    for (int i = 1; i + 1 < n; ++i) {
        const auto k = std::size_t(i);
        mark(spec, spec.intermediate, px[k], py[k], px[k - 1], py[k - 1]);
        mark(spec, spec.intermediate, px[k], py[k], px[k + 1], py[k + 1]);
    }
}

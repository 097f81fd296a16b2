#pragma once
// Builds hatch records in code for the hatch line tests.

#include "model/Entity.h"
#include "model/HatchLines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <tuple>
#include <vector>

namespace hatchtest {

class Hatch {
public:
    // pattern, spacing of the horizontal family, of the vertical family, angle.
    Hatch(int pattern, double spacingY, double spacingX, double angle)
    {
        e_.type = EntityType::Hatch;
        e_.subtype = static_cast<int16_t>(pattern);
        e_.codes = {0, 0, 0, 60, 61, 62, 63};
        e_.values = {spacingY, spacingX, angle, 0, 0, 0, 0};
    }
    Hatch& box(double x0, double y0, double x1, double y1)
    {
        e_.values[3] = x0;
        e_.values[4] = y0;
        e_.values[5] = x1;
        e_.values[6] = y1;
        return *this;
    }
    Hatch& vertex(double x, double y) { return item({10, 20}, {x, y}); }
    // Arc from (sx, sy) to the next item's point about (cx, cy).
    Hatch& arc(bool ccw, double cx, double cy, double r, double sx, double sy)
    {
        return item({static_cast<int16_t>(ccw ? 0 : 1), 2, 3, 4, 5}, {cx, cy, r, sx, sy});
    }
    Hatch& circle(double cx, double cy, double r) { return item({50, 51, 52}, {cx, cy, r}); }
    Hatch& ellipse(double cx, double cy, double r1, double r2, double rot)
    {
        return item({70, 71, 72, 73, 74}, {cx, cy, r1, r2, rot});
    }
    Hatch& ellipticArc(double cx, double cy, double r1, double r2, double rot, double start, double end, double sx,
                       double sy)
    {
        return item({80, 81, 82, 83, 84, 85, 86, 4, 5}, {cx, cy, r1, r2, rot, start, end, sx, sy});
    }
    // The rectangle as four vertices, counter-clockwise from (x0, y0), with its box.
    Hatch& rect(double x0, double y0, double x1, double y1)
    {
        return box(x0, y0, x1, y1).vertex(x0, y0).vertex(x1, y0).vertex(x1, y1).vertex(x0, y1);
    }
    const CEntity& entity()
    {
        e_.codes[0] = static_cast<int16_t>(items_);
        e_.count = static_cast<int16_t>(e_.values.size());
        return e_;
    }
    CEntity& raw() { return e_; }

private:
    Hatch& item(std::initializer_list<int16_t> codes, std::initializer_list<double> values)
    {
        e_.codes.insert(e_.codes.end(), codes);
        e_.values.insert(e_.values.end(), values);
        ++items_;
        return *this;
    }
    CEntity e_;
    int items_ = 0;
};

// A segment rounded to 1e-6 with its ends in a fixed order, for comparing sets.
using Key = std::tuple<int64_t, int64_t, int64_t, int64_t>;

inline int64_t Round6(double v)
{
    return static_cast<int64_t>(std::llround(v * 1e6));
}

inline Key KeyOf(const HatchSegment& s)
{
    Key a{Round6(s.x1), Round6(s.y1), Round6(s.x2), Round6(s.y2)};
    Key b{Round6(s.x2), Round6(s.y2), Round6(s.x1), Round6(s.y1)};
    return std::min(a, b);
}

inline std::vector<Key> SortedKeys(const std::vector<HatchSegment>& segs)
{
    std::vector<Key> keys;
    for (const HatchSegment& s : segs)
        keys.push_back(KeyOf(s));
    std::sort(keys.begin(), keys.end());
    return keys;
}

inline std::vector<HatchSegment> Only(const std::vector<HatchSegment>& segs, HatchPiece piece)
{
    std::vector<HatchSegment> out;
    for (const HatchSegment& s : segs)
        if (s.piece == piece)
            out.push_back(s);
    return out;
}

} // namespace hatchtest

#pragma once
// The line tool's stage for the constructed lines (infinite, parallel,
// perpendicular, centre, tangent and angle-moved lines): their options at
// known values, lines and circles placed in the drawing, and the entities
// of every line type.

#include "LineToolFixture.h"

#include "resources/Resource.h"

class LineToolModeTestBase : public LineToolTestBase {
protected:
    LineToolModeTestBase()
    {
        InfiniteLineMode = 0;
        InfiniteLineAngle = 0.0f;
        ParallelDistanceGiven = 0;
        ParallelDistance = 0.0f;
        ParallelCount = 1;
        AngleBoxAngle = 90.0f;
        AngleBoxLengthGiven = 0;
        // The origin in the middle of the view, so that the figures round
        // it are on screen on every side; no drawing frame or origin mark
        // under the lines along the axes.
        ShowDrawingRange = 0;
        ShowOriginMark = 0;
        h.View().scrollX = -300;
        h.View().scrollY = -260;
        h.View().ComputeVisibleRect();
        h.View().RedrawNow();
    }
    CEntity* AddEntity(int16_t type, std::vector<int16_t> codes, std::vector<double> values)
    {
        const EntityHeader header{type, 0, 0, 0, static_cast<int16_t>(values.size())};
        EXPECT_EQ(h.Doc().list.AddEntity(header, codes.data(), 0, values.data()), 0);
        CEntity* e = h.Doc().list.last;
        h.Doc().snaps.AddEntityPoints(e);
        h.View().RedrawNow();
        return e;
    }
    CEntity* AddLineEntity(double x1, double y1, double x2, double y2, int16_t type = EntityType::Line)
    {
        return AddEntity(type, {10, 20, 11, 22}, {x1, y1, x2, y2});
    }
    CEntity* AddCircle(double cx, double cy, double r)
    {
        return AddEntity(EntityType::Circle, {10, 20, 40}, {cx, cy, r});
    }

    // Every line of the given type, as segments.
    std::vector<Seg> LinesOf(int16_t type)
    {
        std::vector<Seg> out;
        for (const CEntity* e : h.Entities(type))
            out.push_back({e->values[0], e->values[1], e->values[2], e->values[3]});
        return out;
    }

    // Whether the screen equals a fresh redraw once the mouse has left every
    // snap point (so that no magnet marker shows). Between operations only:
    // the move would draw a running step's preview.
    bool FreshWithMouseAway()
    {
        h.Move(-100, 120);
        return h.ScreenIsFreshRedraw();
    }

    // A right click as the view passes it to the tool.
    void RightClick(double x, double y) { h.RightClick(x, y); }
};

// A reference line along the X axis from 0 to 100, and the line tool's
// sub-mode chosen from the drawing menu.
template <int SubMode>
class LineToolOnReference : public LineToolModeTestBase {
protected:
    void SetUp() override
    {
        reference = AddLineEntity(0, 0, 100, 0);
        h.Select(2, SubMode);
    }
    CEntity* reference = nullptr;
};

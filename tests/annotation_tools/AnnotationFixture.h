#pragma once
// The real frame, drawing and view for the dimension and hatch tools, with
// helpers to add the entities a test measures and to read records by code.

#include "common/ToolHarness.h"

#include "model/DimensionRecord.h"
#include "model/SnapPointList.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

class AnnotationTest : public ::testing::Test {
protected:
    CEntity* Add(int16_t type, std::initializer_list<double> values, std::initializer_list<int16_t> codes,
                 int16_t subtype = 0)
    {
        CEntity* e = h.AddValues(type, values, codes, 0, nullptr, {}, subtype);
        h.View().RedrawNow();
        return e;
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2)
    {
        return Add(EntityType::Line, {x1, y1, x2, y2}, {10, 20, 11, 22});
    }
    CEntity* AddCircle(double cx, double cy, double r) { return Add(EntityType::Circle, {cx, cy, r}, {10, 20, 40}); }
    // direction +1 counter-clockwise, -1 clockwise.
    CEntity* AddArc(double cx, double cy, double r, double start, double end, int16_t direction = 1)
    {
        return Add(EntityType::Arc, {cx, cy, r, start, end}, {10, 20, 40, 50, 51}, direction);
    }
    CEntity* AddEllipse(double cx, double cy, double a, double b, double rotation)
    {
        return Add(EntityType::Ellipse, {cx, cy, a, b, rotation}, {10, 20, 60, 61, 62});
    }
    CEntity* AddEllipticArc(double cx, double cy, double a, double b, double rotation, double start, double end)
    {
        return Add(EntityType::EllipticArc, {cx, cy, a, b, rotation, start, end}, {10, 20, 60, 61, 62, 50, 51});
    }
    // The rectangle (x1, y1)-(x2, y2) of four lines, bottom, right, top, left.
    std::vector<CEntity*> AddRectangle(double x1, double y1, double x2, double y2)
    {
        return {AddLine(x1, y1, x2, y1), AddLine(x2, y1, x2, y2), AddLine(x2, y2, x1, y2), AddLine(x1, y2, x1, y1)};
    }

    // A click on a snap point: the mouse comes from an empty corner, so the
    // magnet marker shows that point (a marker of the same kind elsewhere
    // would stay where it was).
    void SnapClick(double x, double y)
    {
        h.MoveAt({2, 2});
        h.Move(x, y);
        h.Click(x, y);
    }

    // Records of a type in list order.
    std::vector<const CEntity*> Records(int type) const { return h.Entities(type); }
    static double Value(const CEntity* e, int code)
    {
        for (int i = 0; i < e->count; ++i)
            if (e->codes[static_cast<std::size_t>(i)] == code)
                return e->values[static_cast<std::size_t>(i)];
        ADD_FAILURE() << "no code " << code;
        return 0.0;
    }
    // Members the list built behind a record.
    static int MemberCount(const CEntity* owner)
    {
        int n = 0;
        for (const CEntity* e = owner->next; e && e->owner == owner; e = e->next)
            ++n;
        return n;
    }

    mutable ToolHarness h;
};

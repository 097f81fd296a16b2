#pragma once
// A drawing for the selection tool: lines A (0,0)-(100,0) and B (0,50)-(100,50)
// on layer 0, the real view and frame, and helpers to build groups and to
// press, drag and release at model points or pixel offsets.

#include "common/ToolHarness.h"

#include "edit_tools/SelectTool.h"
#include "model/SnapPointList.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

class SelectToolTest : public ::testing::Test {
protected:
    SelectToolTest()
    {
        a = AddLine(0, 0, 100, 0);
        b = AddLine(0, 50, 100, 50);
        h.View().RedrawNow();
    }

    CSelectTool& Tool() { return *static_cast<CSelectTool*>(ToolList.GetAt(0)); }

    CEntity* Add(int16_t type, std::initializer_list<double> values, std::initializer_list<int16_t> codes,
                 int16_t layer = 0)
    {
        EntityHeader hd;
        hd.type = type;
        hd.layer = layer;
        hd.count = static_cast<int16_t>(values.size());
        std::vector<double> v(values);
        std::vector<int16_t> c(codes);
        return h.AddRecord(hd, c.data(), 0, v.data());
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t layer = 0)
    {
        return Add(EntityType::Line, {x1, y1, x2, y2}, {10, 20, 11, 22}, layer);
    }
    CEntity* AddCircle(double cx, double cy, double r)
    {
        return Add(EntityType::Circle, {cx, cy, r}, {10, 20, 40});
    }
    // A group header after the given entities, which become its members.
    CEntity* AddGroup(std::initializer_list<CEntity*> members)
    {
        CEntity* header = Add(EntityType::GroupHeader, {0, 0, 1, 0}, {10, 20, 10, 20});
        for (CEntity* m : members) {
            m->owner = header;
            m->group = header->group;
        }
        return header;
    }

    // Press at a model point, move by (dx, dy) pixels and release there.
    void DragBy(double x, double y, int dx, int dy)
    {
        const platform::Point p = h.Client(x, y);
        const platform::Point q{p.x + dx, p.y + dy};
        h.MoveAt(p);
        h.LeftDownAt(p);
        h.MoveAt(p);  // the band's first drawing, where the press was
        h.MoveAt(q);
        h.LeftUpAt(q);
    }
    // Press at one model point, move and release at another; the model
    // point the release pixel stands for.
    GeoPoint Drag(double x1, double y1, double x2, double y2)
    {
        h.Move(x1, y1);
        h.LeftDown(x1, y1);
        h.Move(x1, y1);
        h.Move((x1 + x2) / 2, (y1 + y2) / 2);
        h.Move(x2, y2);
        h.LeftUp(x2, y2);
        const platform::Point q = h.Client(x2, y2);
        return {h.ModelX(q), h.ModelY(q)};
    }
    // The grid record's grid hidden: no grid point draws a drag.
    void HideGrid()
    {
        for (CEntity* e = h.Doc().list.first; e; e = e->next)
            if (e->type == EntityType::Grid)
                e->subtype = 0;
    }
    // A window from one model point to another.
    void Window(double x1, double y1, double x2, double y2)
    {
        const platform::Point p = h.Client(x1, y1), q = h.Client(x2, y2);
        h.MoveAt(p);
        h.LeftDownAt(p);
        h.MoveAt(p);  // the band's first drawing, where the press was
        h.MoveAt(q);
        h.LeftUpAt(q);
    }
    std::vector<int> States() const
    {
        std::vector<int> out;
        for (const CEntity* e : h.Entities())
            out.push_back(e->state);
        return out;
    }

    ToolHarness h;
    CEntity* a = nullptr;
    CEntity* b = nullptr;
};

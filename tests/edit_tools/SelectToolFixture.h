#pragma once
// A drawing for the selection tool: lines A (0,0)-(100,0) and B (0,50)-(100,50)
// on layer 0, the real view and frame, and helpers to build groups and to
// press, drag and release at model points or pixel offsets.

#include "EditToolFixture.h"

#include "edit_tools/SelectTool.h"

#include <gtest/gtest.h>

#include <vector>

class SelectToolTest : public EditToolFixture {
protected:
    SelectToolTest()
    {
        a = AddLine(0, 0, 100, 0);
        b = AddLine(0, 50, 100, 50);
        h.View().RedrawNow();
    }

    CSelectTool& Tool() { return *static_cast<CSelectTool*>(ToolList.GetAt(0)); }

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

    CEntity* a = nullptr;
    CEntity* b = nullptr;
};

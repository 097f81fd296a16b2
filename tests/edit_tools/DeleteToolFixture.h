#pragma once
// A drawing for the delete tool on the real view and frame, with helpers to
// build dimensions and to draw the crossing line and the area rectangle at
// model points.

#include "EditToolFixture.h"

#include "edit_tools/DeleteTool.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <vector>

class DeleteToolTest : public EditToolFixture {
public:
    DeleteToolTest()
    {
        CurrentToolId = ToolId::Delete;
        h.View().RedrawNow();
    }

    // A dimension record with two member lines of our own, the second
    // `gap` above the first.
    CEntity* AddDimension(double x, double y, double length, double gap = 10)
    {
        CEntity* dim = Add(EntityType::Dimension, {x, y}, {10, 20}, 0, nullptr, "", 99);
        AddLine(x, y, x + length, y, 0, dim);
        AddLine(x, y + gap, x + length, y + gap, 0, dim);
        return dim;
    }
    CDeleteTool& Tool() { return *static_cast<CDeleteTool*>(ToolList.GetAt(7)); }

    void CrossLine(double x1, double y1, double x2, double y2)
    {
        ToolSubMode = 1;
        h.Click(x1, y1);
        h.Move((x1 + x2) / 2, (y1 + y2) / 2);
        h.Move(x2, y2);
        h.Click(x2, y2);
    }
    // The area rectangle, answered by pressing the given radios and kind
    // boxes (control ids) and then OK, or Cancel when ok is false.
    void Area(double x1, double y1, double x2, double y2, std::vector<int> press, bool ok = true)
    {
        h.Ui().dialog([press, ok](QDialog& d) {
            for (int id : press)
                platform::control<QAbstractButton>(&d, id)->click();
            platform::control<QAbstractButton>(&d, ok ? IDOK : IDCANCEL)->click();
        });
        ToolSubMode = 2;
        h.Click(x1, y1);
        h.Move(x2, y2);
        h.Click(x2, y2);
    }

    // The entities still in the drawing, grid aside.
    std::vector<const CEntity*> Live() { return h.Entities(); }
    bool Holds(const CEntity* e) { return EntityIsLinked(h.Doc().list, e); }
    void Undo() { h.Command(ID_EDIT_UNDO); }
};

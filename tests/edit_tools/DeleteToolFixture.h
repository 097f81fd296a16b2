#pragma once
// A drawing for the delete tool on the real view and frame, with helpers to
// build lines, texts, dimensions and groups and to draw the crossing line
// and the area rectangle at model points.

#include "common/ToolHarness.h"

#include "edit_tools/DeleteTool.h"
#include "model/SnapPointList.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

class DeleteToolTest : public ::testing::Test {
public:
    DeleteToolTest()
    {
        CurrentToolId = ToolId::Delete;
        h.View().RedrawNow();
    }

    CEntity* Add(int16_t type, std::initializer_list<double> values, std::initializer_list<int16_t> codes,
                 int16_t layer = 0, CEntity* owner = nullptr, const char* text = "", int16_t subtype = 0)
    {
        EntityHeader hd;
        hd.type = type;
        hd.subtype = subtype;
        hd.layer = layer;
        hd.count = static_cast<int16_t>(values.size());
        std::vector<double> v(values);
        std::vector<int16_t> c(codes);
        CEntityList& list = h.Doc().list;
        const int status = owner ? list.AddChildEntity(hd, c.data(), 0, v.data(), text, {}, owner)
                                 : list.AddEntity(hd, c.data(), 0, v.data(), text);
        EXPECT_EQ(status, 0);
        h.Doc().snaps.AddEntityPoints(list.last);
        return list.last;
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2, int16_t layer = 0, CEntity* owner = nullptr)
    {
        return Add(EntityType::Line, {x1, y1, x2, y2}, {10, 20, 11, 22}, layer, owner);
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
    // A group header after its members.
    CEntity* AddGroup(std::initializer_list<CEntity*> members)
    {
        CEntity* header = Add(EntityType::GroupHeader, {0, 0, 1, 0}, {10, 20, 10, 20});
        for (CEntity* m : members) {
            m->owner = header;
            m->group = header->group;
        }
        return header;
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

    ToolHarness h;
};

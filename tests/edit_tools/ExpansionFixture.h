#pragma once
// What the expansion tool's tests share: records on layer 5 in their own
// colour while the view draws on layer 2 in another, and helpers to fill,
// clear and read the drawing.

#include "common/ToolHarness.h"

#include "model/Document.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

inline constexpr COLORREF OwnColour = 0x00123456;
inline constexpr COLORREF NewColour = 0x0000ff00;

class ExpansionFixture : public ::testing::Test {
protected:
    ExpansionFixture()
    {
        CurrentColor = NewColour;
        h.View().currentLayer = 2;
    }
    ~ExpansionFixture() override
    {
        CurrentColor = 0;
        h.Doc().ProtectionState = 0;
    }
    // A record in OwnColour, its snap points registered.
    CEntity* AddOwn(int16_t type, int16_t subtype, int16_t style, const std::vector<double>& v,
                    const std::vector<int16_t>& codes, int16_t layer = 5)
    {
        EntityHeader hd{type, subtype, style, layer, static_cast<int16_t>(v.size())};
        return h.AddRecord(hd, codes.data(), OwnColour, v.data());
    }
    // Every entity but the grid record goes, with no undo step left.
    void Clear()
    {
        CEntityList& list = h.Doc().list;
        for (CEntity* e = list.first; e; e = e->next)
            if (e->type != EntityType::Grid)
                e->state = EntityState::Deleted;
        list.MoveDeletedToUndo();
        list.DiscardUndo(&h.Doc().snaps);
    }
    // The tool in `mode`, on a freshly painted view.
    void Mode(int mode)
    {
        h.View().RedrawNow();
        h.Select(9, mode);
        ASSERT_EQ(ToolSubMode, mode);
    }
    // Type (and style) and the values rounded to 0.01 of each entity but
    // the grid record, in list order.
    std::vector<std::vector<double>> Rows(bool withStyle)
    {
        std::vector<std::vector<double>> out;
        for (const CEntity* e : h.Entities()) {
            std::vector<double> v{double(e->type)};
            if (withStyle)
                v.push_back(double(e->style));
            for (double d : e->values)
                v.push_back(std::round(d * 100) / 100);
            out.push_back(v);
        }
        return out;
    }
    static std::vector<std::vector<double>> Sorted(std::vector<std::vector<double>> v)
    {
        std::sort(v.begin(), v.end());
        return v;
    }

    ToolHarness h;
};

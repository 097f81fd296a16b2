#pragma once
// A drawing stage for the box, parallelogram and polygon tool: the tool
// harness with the shape options put back after each test, exact clicks on
// point entities, the numeric input as the view feeds it, and the shapes of
// the drawing as groups.

#include "../common/ToolHarness.h"

#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "tools/InputNumDlg.h"
#include "tools/PolyTool.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

struct PolySide {
    double x1, y1, x2, y2;
};

inline bool NearSide(const PolySide& a, const PolySide& b, double tol = 1e-9)
{
    return std::abs(a.x1 - b.x1) <= tol && std::abs(a.y1 - b.y1) <= tol && std::abs(a.x2 - b.x2) <= tol &&
           std::abs(a.y2 - b.y2) <= tol;
}

inline std::ostream& operator<<(std::ostream& os, const PolySide& s)
{
    return os << "(" << s.x1 << ", " << s.y1 << ")-(" << s.x2 << ", " << s.y2 << ")";
}

// A group header with the members that follow it.
struct PolyShape {
    const CEntity* header = nullptr;
    std::vector<const CEntity*> members;
    std::vector<PolySide> Sides() const
    {
        std::vector<PolySide> out;
        for (const CEntity* e : members)
            out.push_back({e->values[0], e->values[1], e->values[2], e->values[3]});
        return out;
    }
};

class PolyToolTestBase : public ::testing::Test {
protected:
    struct Options {
        int16_t sizeGiven = ShapeSizeGiven, basePoint = RectBasePoint, vertices = PolygonVertexCount;
        float width = RectWidth, height = RectHeight, angle = ShapeAngle, distance = PolygonDistance;
        int16_t readout = LengthReadoutEnabled, magnet = MagnetEnabled;
        COLORREF colour = CurrentColor;
        void Restore() const
        {
            ShapeSizeGiven = sizeGiven;
            RectBasePoint = basePoint;
            PolygonVertexCount = vertices;
            RectWidth = width;
            RectHeight = height;
            ShapeAngle = angle;
            PolygonDistance = distance;
            LengthReadoutEnabled = readout;
            MagnetEnabled = magnet;
            CurrentColor = colour;
        }
    };

    PolyToolTestBase()
    {
        MagnetEnabled = 1;
        ShapeSizeGiven = 0;
        RectBasePoint = 0;
        PolygonVertexCount = 3;
        RectWidth = 10.0f;
        RectHeight = 10.0f;
        ShapeAngle = 0.0f;
        PolygonDistance = 50.0f;
        LengthReadoutEnabled = 0;
        // Shapes on the axes would lie under the drawing range's frame.
        ShowDrawingRange = 0;
        ShowOriginMark = 0;
        h.View().RedrawNow();
    }
    ~PolyToolTestBase() override { saved.Restore(); }

    CPolyTool& Tool() { return *static_cast<CPolyTool*>(ToolList.Find(ToolId::Poly)); }

    void AddPoint(double x, double y)
    {
        const int16_t codes[2] = {10, 20};
        const double values[2] = {x, y};
        ASSERT_EQ(h.Doc().list.AddEntity({EntityType::Point, 0, 0, 0, 2}, codes, 0, values), 0);
        h.Doc().snaps.AddEntityPoints(h.Doc().list.last);
        h.View().RedrawNow();
    }

    // A click that takes the snap point at (x, y).
    void ClickExact(double x, double y)
    {
        h.Move(x + 150, y + 150);
        h.Move(x, y);
        h.Click(x, y);
    }

    // The one-value numeric input with v typed (or cancelled).
    void Type(double v, bool cancel = false)
    {
        h.Ui().dialog([=](QDialog& d) {
            platform::control<QLineEdit>(&d, CInputNumDlg::IDC_EXPRESSION)->setText(QString::number(v, 'g', 17));
            platform::control<QPushButton>(&d, cancel ? IDCANCEL : IDOK)->click();
        });
        h.View().OnNumericInput();
        EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join("\n").toStdString();
    }

    // The mouse goes where nothing snaps (the magnet marker goes with it);
    // then the screen must be what a repaint would draw.
    void ExpectClean()
    {
        h.Move(250, 180);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }

    std::vector<PolyShape> Shapes()
    {
        std::vector<PolyShape> out;
        for (const CEntity* e : h.Entities()) {
            if (e->type == EntityType::GroupHeader)
                out.push_back({e, {}});
            else if (!out.empty() && e->owner == out.back().header)
                out.back().members.push_back(e);
        }
        return out;
    }

    Options saved;
    ToolHarness h;
};

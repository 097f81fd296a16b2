#pragma once
// A drawing stage for the point tool: the shared tool stage with the point
// options at known values, entities added straight to the drawing, and the
// points of the drawing.

#include "ToolFixture.h"

#include "tools/PointTool.h"

#include <cmath>
#include <vector>

// Records of the kinds the point tool reads, values in their stored order.
inline CEntity MakeEntity(int16_t type, int16_t subtype, std::vector<int16_t> codes, std::vector<double> values)
{
    CEntity e;
    e.type = type;
    e.subtype = subtype;
    e.count = static_cast<int16_t>(values.size());
    e.codes = std::move(codes);
    e.values = std::move(values);
    return e;
}
inline CEntity MakeLine(double x1, double y1, double x2, double y2, int16_t type = EntityType::Line)
{
    return MakeEntity(type, 0, {10, 20, 11, 21}, {x1, y1, x2, y2});
}
inline CEntity MakeCircle(double cx, double cy, double r)
{
    return MakeEntity(EntityType::Circle, 0, {10, 20, 40}, {cx, cy, r});
}
// subtype 1 counter-clockwise, -1 clockwise.
inline CEntity MakeArc(double cx, double cy, double r, double start, double end, int16_t subtype = 1)
{
    return MakeEntity(EntityType::Arc, subtype, {10, 20, 40, 50, 51}, {cx, cy, r, start, end});
}
inline CEntity MakeEllipse(double cx, double cy, double r1, double r2, double rotation)
{
    return MakeEntity(EntityType::Ellipse, 0, {10, 20, 60, 61, 62}, {cx, cy, r1, r2, rotation});
}
inline CEntity MakeEllipticArc(double cx, double cy, double r1, double r2, double rotation, double start, double end)
{
    return MakeEntity(EntityType::EllipticArc, 0, {10, 20, 60, 61, 62, 50, 51}, {cx, cy, r1, r2, rotation, start, end});
}
inline CEntity MakePolyCurve(int16_t type, const std::vector<double>& xy)
{
    std::vector<int16_t> codes;
    if (type != EntityType::FreehandCurve)
        for (std::size_t i = 0; i < xy.size(); i += 2) {
            codes.push_back(10);
            codes.push_back(20);
        }
    return MakeEntity(type, 0, codes, xy);
}

struct Pt {
    double x, y;
};
inline std::ostream& operator<<(std::ostream& os, const Pt& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

class PointToolTestBase : public ToolTestBase<CPointTool, ToolId::Point> {
protected:
    PointToolTestBase()
    {
        PointShape = 0;
        PointCoordX = 50.0f;
        PointCoordY = 50.0f;
        PointOptionDistance = 50.0f;
        // Picks take no magnet; the marker stays off the screen.
        MagnetEnabled = 0;
    }

    // Adds an entity to the drawing as a loaded one would be.
    CEntity* Add(const CEntity& e)
    {
        const EntityHeader header{e.type, e.subtype, 1, 0, e.count};
        EXPECT_EQ(h.Doc().list.AddEntity(header, e.codes.empty() ? nullptr : e.codes.data(), 0, e.values.data()),
                  0);
        h.Doc().snaps.AddEntityPoints(h.Doc().list.last);
        h.View().RedrawNow();
        return h.Doc().list.last;
    }
    CEntity* AddPoint(double x, double y) { return Add(MakeEntity(EntityType::Point, 0, {10, 20}, {x, y})); }

    // The points the tool added (every point but those given).
    std::vector<Pt> Points(std::size_t skip = 0)
    {
        std::vector<Pt> out;
        for (const CEntity* e : h.Entities(EntityType::Point))
            out.push_back({e->values[0], e->values[1]});
        out.erase(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(std::min(skip, out.size())));
        return out;
    }

    // Answers the next distance dialog with v; shown receives the value it
    // showed at the start.
    void AnswerDistance(double v, QString* shown = nullptr)
    {
        h.Ui().dialog([=](QDialog& d) {
            auto* edit = platform::control<QLineEdit>(&d, CInputNumDlg::IDC_EXPRESSION);
            ASSERT_NE(edit, nullptr);
            if (shown)
                *shown = edit->text();
            edit->setText(QString::number(v, 'g', 17));
            platform::control<QPushButton>(&d, IDOK)->click();
        });
    }
};

inline bool Near(const Pt& a, double x, double y, double tol = 1e-6)
{
    return std::abs(a.x - x) <= tol && std::abs(a.y - y) <= tol;
}

#include "model/DimensionMembers.h"

#include "model/Cp932Text.h"
#include "model/DimensionText.h"
#include "model/EntityList.h"
#include "model/GeometryLines.h"
#include "model/Settings.h"
#include "model/Utilities.h"
#include "model/EntityKinds.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;
// Member texts keep a copy of the dimension font in a 16-byte field.
constexpr std::size_t MemberFontMaxBytes = 15;

// Reads a dimension record: values 0 to 2 by position, the rest by code.
class DimensionRecord {
public:
    explicit DimensionRecord(const CEntity& e) : e(e) {}

    bool Has(int code) const { return FindValueIndex(e, static_cast<int16_t>(code)) >= 0; }
    bool HasAll(std::initializer_list<int> codes) const
    {
        for (int c : codes)
            if (!Has(c))
                return false;
        return true;
    }
    double operator()(int code) const
    {
        const int i = FindValueIndex(e, static_cast<int16_t>(code));
        return i >= 0 ? e.values[static_cast<std::size_t>(i)] : 0.0;
    }
    GeoPoint Point(int xCode) const { return {(*this)(xCode), (*this)(xCode + 1)}; }

    DimensionLabelHead Head() const { return UnpackDimensionLabelHead(e.values[0]); }
    double Tolerance1() const { return e.values[1]; }
    double Tolerance2() const { return e.values[2]; }

    // A digit of the packed style word (code 13): 1 thousands ... 3 tens.
    int StyleDigit(int placeValue) const
    {
        const double v = (*this)(13);
        if (!std::isfinite(v) || std::fabs(v) > 1e9)
            return 0;
        return static_cast<int>(static_cast<long long>(v) / placeValue % 10);
    }
    int Decimals() const { return StyleDigit(10); }

private:
    const CEntity& e;
};

// Appends the members of one dimension.
class MemberWriter {
public:
    MemberWriter(CEntityList& list, CEntity* dim) : list(list), dim(dim)
    {
        font = std::string(Cp932Fit(DimFontName, MemberFontMaxBytes));
    }

    void Line(GeoPoint a, GeoPoint b)
    {
        const int16_t* codes = FixedCodes(EntityType::Line).data();
        const double values[4] = {a.x, a.y, b.x, b.y};
        Add(20, dim->subtype, codes, values, 4, {}, {});
    }
    void Arc(double cx, double cy, double r, double start, double end)
    {
        const int16_t* codes = FixedCodes(EntityType::Arc).data();
        const double values[5] = {cx, cy, r, start, end};
        Add(31, 1, codes, values, 5, {}, {});
    }
    void Text(GeoPoint p, double h, double angle, const std::string& text)
    {
        const int16_t* codes = FixedCodes(EntityType::Text).data();
        const double values[5] = {p.x, p.y, h, h, angle};
        Add(40, 0, codes, values, 5, text, font);
    }

private:
    void Add(int16_t type, int16_t subtype, const int16_t* codes, const double* values, int16_t count,
             std::string_view text, std::string_view fontName)
    {
        EntityHeader h;
        h.type = type;
        h.subtype = subtype;
        h.style = dim->style;
        h.layer = dim->layer;
        h.count = count;
        // A member that cannot be made is left out; the rest still are.
        list.AddMemberEntity(h, codes, dim->colour, values, text, fontName, dim);
    }

    CEntityList& list;
    CEntity* dim;
    std::string font;
};

GeoPoint Offset(GeoPoint p, double angleDeg, double along, double up)
{
    const double a = angleDeg * DegToRad;
    const double c = std::cos(a), s = std::sin(a);
    return {p.x + along * c - up * s, p.y + along * s + up * c};
}

// The value text at p, then the raised and lowered tolerance texts after it.
// `bytesBefore` is the length along the text (in half-heights) where they start.
void ValueWithTolerances(MemberWriter& w, const DimensionRecord& r, GeoPoint p, double h, double angle,
                         const std::string& text, double bytesBefore)
{
    w.Text(p, h, angle, text);
    const ToleranceTexts t = DimensionToleranceTexts(r.Head().toleranceType, r.Tolerance1(), r.Tolerance2());
    if (t.hasUpper)
        w.Text(Offset(p, angle, bytesBefore * h / 2, h / 2), h / 2, angle, t.upper);
    if (t.hasLower)
        w.Text(Offset(p, angle, bytesBefore * h / 2, 0), h / 2, angle, t.lower);
}

// The point where a text along the run S→E starts: offset o along the run,
// then h/3 to the left of the way on to E (not moved when within 0.5 of E).
GeoPoint RunTextPoint(GeoPoint s, GeoPoint e, double o, double h)
{
    const LineResult line = LineFromPoints(s.x, s.y, e.x, e.y);
    const int dir = DirectionCode(s.x, s.y, e.x, e.y);
    const PointResult t0 = PointOnLineAtDistance(dir, s.x, s.y, line.a, line.b, line.c, o);
    GeoPoint p{t0.x, t0.y};
    if (line.status != 0 || t0.status != 0)
        p = s;  // the run gives no direction
    const PointResult moved = OffsetPointFromSegment(1, p.x, p.y, e.x, e.y, h / 3);
    if (moved.status == 0)
        p = {moved.x, moved.y};
    return p;
}

// An extension line at point P of a linear dimension: from P + towards·n to
// P - overshoot·n (overshoot used above 0.05), n the unit normal of P4→P on
// the chosen side; just the point P when P lies within 0.5 of P4.
void ExtensionLine(MemberWriter& w, GeoPoint p4, GeoPoint p, bool right, double towards, double overshoot)
{
    const double dx = p.x - p4.x, dy = p.y - p4.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (len < 0.5) {
        w.Line(p, p);
        return;
    }
    const double nx = right ? dy / len : -dy / len;
    const double ny = right ? -dx / len : dx / len;
    const double over = overshoot > 0.05 ? overshoot : 0.0;
    w.Line({p.x + towards * nx, p.y + towards * ny}, {p.x - over * nx, p.y - over * ny});
}

bool LinearCodesPresent(const DimensionRecord& r, int kind, bool chained)
{
    if (!r.HasAll({11, 12, 13, 15, 16, 18, 19}))
        return false;
    if (chained && !r.HasAll({17, 20}))
        return false;
    if (kind != 4 && !r.HasAll({21, 22}))
        return false;
    if ((kind == 4 || kind == 5) && !r.Has(10))
        return false;
    if (kind == 4 && !r.HasAll({42, 43}))
        return false;
    return true;
}

} // namespace

void BuildLinearDimension(CEntityList& list, CEntity* dim, bool chained)
{
    const DimensionRecord r(*dim);
    const int kind = dim->subtype;
    for (int16_t c : dim->codes)
        if (c >= 450)
            return;
    if (!LinearCodesPresent(r, kind, chained))
        return;
    const int count = static_cast<int>(dim->values.size());
    const int m = (count - (chained ? 16 : 14)) / 2;
    if (m < 2)
        return;
    std::vector<GeoPoint> pts;  // P4 ... P(m+3)
    for (int k = 4; k < m + 4; ++k) {
        if (!r.HasAll({k * 10, k * 10 + 1}))
            return;
        pts.push_back(r.Point(k * 10));
    }
    MemberWriter w(list, dim);
    const GeoPoint p4 = pts.front();
    const GeoPoint last = pts.back();
    const double h = r(11);
    const double textAngle = r(12);

    // Dimension line.
    w.Line(p4, last);

    // First extension line, towards the measured point Q.
    const GeoPoint q = r.Has(21) && r.Has(22) ? r.Point(21) : p4;
    if (r.StyleDigit(1000) == 1) {
        double ux = q.x - p4.x, uy = q.y - p4.y;
        const double len = std::sqrt(ux * ux + uy * uy);
        if (len > 0) {
            ux /= len;
            uy /= len;
        } else {
            ux = uy = 0;
        }
        const double v15 = r(15), v18 = r(18) > 0.05 ? r(18) : 0.0;
        w.Line({p4.x + v15 * ux, p4.y + v15 * uy}, {p4.x - v18 * ux, p4.y - v18 * uy});
    }

    // Side of the other extension lines.
    const int d = DirectionCode(p4.x, p4.y, last.x, last.y);
    const int e = DirectionCode(p4.x, p4.y, q.x, q.y);
    bool right = (d == 1 && e == 3) || (d == 3 && e == 2) || (d == 3 && e == 4) || (d == 2 && e == 4) ||
                 (d == 4 && e == 1);
    if (d == 3 && e == 3 && std::atan2(last.y - p4.y, last.x - p4.x) >= 0)
        right = true;
    if (d <= 0 || e <= 0)
        right = false;

    if (r.StyleDigit(100) == 1)
        ExtensionLine(w, p4, last, right, r(16), r(19));

    // Value text.
    const DimensionLabelHead head = r.Head();
    const double mValue = (kind == 4 || kind == 5)
                              ? r(10)
                              : std::hypot(pts[1].x - p4.x, pts[1].y - p4.y);
    const std::string text = DimensionValueText(mValue, r.Decimals(), false, head, r.Tolerance1());
    const double n = static_cast<double>(text.size());
    if (kind == 4) {
        ValueWithTolerances(w, r, r.Point(42), h, textAngle, text, n);
        return;
    }
    const bool reversed = (d == 2 && e == 4) || (d == 4 && (e == 1 || e == 2)) || d <= 0 || e <= 0;
    auto runOf = [reversed](GeoPoint a, GeoPoint b) { return reversed ? std::pair{b, a} : std::pair{a, b}; };
    {
        const auto [s, end] = runOf(p4, pts[1]);
        const double wt = ToleranceWidth(head.toleranceType, r.Tolerance1(), r.Tolerance2(), h);
        const double o = mValue / 2 - (n * h / 2) / 2 - wt;
        ValueWithTolerances(w, r, RunTextPoint(s, end, o, h), h, textAngle, text, n);
    }

    // Intermediate points of a chain: an extension line and the next
    // segment's length.
    if (!chained)
        return;
    for (std::size_t k = 1; k + 1 < pts.size(); ++k) {
        const GeoPoint pk = pts[k];
        ExtensionLine(w, p4, pk, right, r(17), r(20));
        const double len = std::hypot(pts[k + 1].x - pk.x, pts[k + 1].y - pk.y);
        const std::string seg = FormatDecimal(r.Decimals(), len);
        const auto [s, end] = runOf(pk, pts[k + 1]);
        const double o = len / 2 - (static_cast<double>(seg.size()) * h / 2) / 2;
        w.Text(RunTextPoint(s, end, o, h), h, textAngle, seg);
    }
}

void BuildPerimeterDimension(CEntityList& list, CEntity* dim)
{
    const DimensionRecord r(*dim);
    if (!r.HasAll({10, 11, 12, 13, 40, 41, 50, 51, 60, 61, 42, 43}))
        return;
    MemberWriter w(list, dim);
    const std::string text = DimensionValueText(r(10), r.Decimals(), false, r.Head(), r.Tolerance1());
    ValueWithTolerances(w, r, r.Point(42), r(11), r(12), text, static_cast<double>(text.size()));
    w.Line(r.Point(40), r.Point(50));
    w.Line(r.Point(50), r.Point(60));
}

void BuildAngleDimension(CEntityList& list, CEntity* dim)
{
    const DimensionRecord r(*dim);
    const bool radial = dim->subtype == 7;
    if (!r.HasAll({10, 11, 12, 13, 23, 24, 25, 26, 27, 42, 43}) || (radial && !r.Has(18)))
        return;
    MemberWriter w(list, dim);
    const double cx = r(23), cy = r(24), radius = r(25);
    w.Arc(cx, cy, radius, r(26), r(27));
    const std::string text = DimensionValueText(r(10), r.Decimals(), true, r.Head(), r.Tolerance1());
    ValueWithTolerances(w, r, r.Point(42), r(11), r(12), text, static_cast<double>(text.size()) - 1);
    if (!radial)
        return;
    for (int code : {26, 27}) {
        const double a = r(code) * DegToRad;
        const GeoPoint onArc{cx + radius * std::cos(a), cy + radius * std::sin(a)};
        const LineResult l = LineFromPoints(cx, cy, onArc.x, onArc.y);
        const int dir = DirectionCode(cx, cy, onArc.x, onArc.y);
        const PointResult end = PointOnLineAtDistance(dir, onArc.x, onArc.y, l.a, l.b, l.c, r(18));
        w.Line({cx, cy}, l.status == 0 && end.status == 0 ? GeoPoint{end.x, end.y} : onArc);
    }
}

void BuildDimensionKind8(CEntityList& list, CEntity* dim)
{
    const DimensionRecord r(*dim);
    if (!r.HasAll({10, 11, 12, 13, 40, 41}))
        return;
    MemberWriter w(list, dim);
    const std::string text = DimensionValueText(r(10), r.Decimals(), false, r.Head(), r.Tolerance1());
    ValueWithTolerances(w, r, r.Point(40), r(11), r(12), text, static_cast<double>(text.size()));
}

void BuildDimensionMembers(CEntityList& list, CEntity* dim)
{
    if (!dim || dim->type != 50 || dim->values.size() < 3)
        return;
    if (!UnpackDimensionLabelHead(dim->values[0]).Valid())
        return;
    switch (dim->subtype) {
    case 0:
    case 4:
    case 5:
        BuildLinearDimension(list, dim, false);
        break;
    case 1:
    case 2:
        BuildLinearDimension(list, dim, true);
        break;
    case 3:
        BuildPerimeterDimension(list, dim);
        break;
    case 6:
    case 7:
        BuildAngleDimension(list, dim);
        break;
    case 8:
        BuildDimensionKind8(list, dim);
        break;
    default:
        break;
    }
}

#include "model/EntityKinds.h"

#include "model/DimensionRecord.h"

#include <algorithm>
#include <array>

namespace {

using R = ValueRole;
using U = PropertyUnit;
namespace A = KindAllows;

// Coordinates and lengths may take any value the list accepts; angles one
// turn either way.
constexpr double Far = 99999999999.9;
constexpr double Turn = 360.0;

constexpr ValueSlot PointSlots[] = {{10, R::X}, {20, R::Y}};
constexpr ValueSlot GridSlots[] = {{10, R::X}, {20, R::Y}, {30, R::Length}};
constexpr ValueSlot LineSlots[] = {{10, R::X}, {20, R::Y}, {11, R::X}, {22, R::Y}};
constexpr ValueSlot CircleSlots[] = {{10, R::X}, {20, R::Y}, {40, R::Length}};
constexpr ValueSlot ArcSlots[] = {{10, R::X}, {20, R::Y}, {40, R::Length}, {50, R::Angle}, {51, R::Angle}};
constexpr ValueSlot EllipseSlots[] = {{10, R::X}, {20, R::Y}, {60, R::Length}, {61, R::Length}, {62, R::Direction}};
constexpr ValueSlot EllipticArcSlots[] = {{10, R::X},      {20, R::Y},         {60, R::Length}, {61, R::Length},
                                          {62, R::Direction}, {50, R::Angle}, {51, R::Angle}};
constexpr ValueSlot TextSlots[] = {{10, R::X}, {20, R::Y}, {30, R::TextSize}, {40, R::TextSize}, {50, R::Direction}};
// Text, then the leader's tip, its second point and (shapes 1 and 2) the end
// of the guide line or underline.
constexpr ValueSlot LeaderSlots[] = {{10, R::X},        {20, R::Y}, {30, R::TextSize}, {40, R::TextSize},
                                     {50, R::Direction}, {60, R::X}, {61, R::Y},        {70, R::X},
                                     {71, R::Y},         {80, R::X}, {81, R::Y}};
// Base point, placing scale and placing angle.
constexpr ValueSlot GroupSlots[] = {{10, R::X}, {20, R::Y}, {10, R::Plain}, {20, R::Direction}};
// Outline colour bits and a spare value.
constexpr ValueSlot FillHead[] = {{0, R::Plain}, {0, R::Plain}};
// Item count (as code 0) with the two spacings and the angle, then the box.
constexpr ValueSlot HatchHead[] = {{0, R::Length}, {0, R::Length}, {0, R::Direction}, {60, R::X},
                                   {61, R::Y},     {62, R::X},     {63, R::Y}};

constexpr KindProperty PointProps[] = {{"Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                       {"Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far}};
constexpr KindProperty LineProps[] = {{"始点Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                      {"始点Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far},
                                      {"終点Ｘ座標", 11, R::X, U::Millimetre, -Far, Far},
                                      {"終点Ｙ座標", 22, R::Y, U::Millimetre, -Far, Far}};
constexpr KindProperty CircleProps[] = {{"中心Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                        {"中心Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far},
                                        {"半径", 40, R::Length, U::Millimetre, 0.0, Far}};
constexpr KindProperty ArcProps[] = {{"中心Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                     {"中心Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far},
                                     {"半径", 40, R::Length, U::Millimetre, 0.0, Far},
                                     {"開始角度", 50, R::Angle, U::Degree, -Turn, Turn},
                                     {"終了角度", 51, R::Angle, U::Degree, -Turn, Turn}};
constexpr KindProperty EllipseProps[] = {{"中心Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                         {"中心Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far},
                                         {"長軸", 60, R::Length, U::Millimetre, 0.0, Far},
                                         {"短軸", 61, R::Length, U::Millimetre, 0.0, Far},
                                         {"傾き角度", 62, R::Direction, U::Degree, -Turn, Turn}};
constexpr KindProperty EllipticArcProps[] = {{"中心Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                             {"中心Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far},
                                             {"長軸", 60, R::Length, U::Millimetre, 0.0, Far},
                                             {"短軸", 61, R::Length, U::Millimetre, 0.0, Far},
                                             {"傾き角度", 62, R::Direction, U::Degree, -Turn, Turn},
                                             {"開始角度", 50, R::Angle, U::Degree, -Turn, Turn},
                                             {"終了角度", 51, R::Angle, U::Degree, -Turn, Turn}};
constexpr KindProperty TextProps[] = {{"文字高さ", 30, R::TextSize, U::Millimetre, 0.0, Far},
                                      {"文字幅", 40, R::TextSize, U::Millimetre, 0.0, Far},
                                      {"回転角", 50, R::Direction, U::Degree, -Turn, Turn},
                                      {"Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                      {"Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far}};
constexpr KindProperty LeaderProps[] = {{"文字高さ", 30, R::TextSize, U::Millimetre, 0.0, Far},
                                        {"Ｘ方向相対尺度", 40, R::TextSize, U::Plain, 0.0, Far},
                                        {"文字の回転角度", 50, R::Direction, U::Degree, -Turn, Turn}};
constexpr KindProperty ImageProps[] = {{"始点Ｘ座標", 10, R::X, U::Millimetre, -Far, Far},
                                       {"始点Ｙ座標", 20, R::Y, U::Millimetre, -Far, Far},
                                       {"終点Ｘ座標", 11, R::X, U::Millimetre, -Far, Far},
                                       {"終点Ｙ座標", 22, R::Y, U::Millimetre, -Far, Far}};

// What most drawn kinds allow: moved and mirrored, picked, drawn, kept in
// the native file and plotted; Select where the kind counts for the
// selection centre.
constexpr uint32_t Drawn = A::Transform | A::Pick | A::Draw | A::Orv | A::Hpgl;
// Lines without ends have no place on a sheet of paper: never plotted.
constexpr uint32_t Unbounded = Drawn & ~A::Hpgl;
constexpr uint32_t Sel = A::Select;
constexpr uint32_t Both = A::Dxf | A::Jww;

// Rows in type order. Kinds 25 and 27 are held like 24 in memory, but no
// tool makes them, nothing draws them and the native file keeps only their
// type.
constexpr EntityKind Rows[] = {
    {EntityType::Point, "point", LayoutForm::Fixed, PointSlots, Drawn | Sel | Both | A::Quantize,
     PropertyDialog::Point, PointProps, true, false, false},
    {EntityType::Grid, "grid", LayoutForm::Fixed, GridSlots, A::Orv | A::Pick, PropertyDialog::None, {}, true, false,
     false, 0, false, 4, 2},
    {EntityType::Line, "line", LayoutForm::Fixed, LineSlots, Drawn | A::Cross | Sel | Both | A::Quantize, PropertyDialog::Line,
     LineProps, true, false, false},
    {EntityType::HorizontalInfiniteLine, "horizontal infinite line", LayoutForm::Fixed, LineSlots, Unbounded | A::Cross,
     PropertyDialog::Line, LineProps, true, false, false},
    {EntityType::VerticalInfiniteLine, "vertical infinite line", LayoutForm::Fixed, LineSlots, Unbounded | A::Cross,
     PropertyDialog::Line, LineProps, true, false, false},
    {EntityType::InfiniteLine, "infinite line", LayoutForm::Fixed, LineSlots, Unbounded | A::Cross, PropertyDialog::Line, LineProps,
     true, false, false},
    {EntityType::Curve, "curve", LayoutForm::PointRun, PointSlots, Drawn | A::Cross | Sel | Both, PropertyDialog::Curve, {}, true,
     false, false, 40},
    {EntityType::CurveVariant25, "curve variant 25", LayoutForm::PointRun, PointSlots, A::Transform,
     PropertyDialog::None, {}, true, false, false},
    {EntityType::FreehandCurve, "freehand curve", LayoutForm::BareRun, PointSlots, Drawn | A::Cross | Sel | A::Dxf,
     PropertyDialog::Curve, {}, false, false, false, 3000},
    {EntityType::CurveVariant27, "curve variant 27", LayoutForm::PointRun, PointSlots, A::Transform,
     PropertyDialog::None, {}, true, false, false},
    {EntityType::Circle, "circle", LayoutForm::Fixed, CircleSlots, Drawn | A::Cross | Sel | Both | A::Quantize,
     PropertyDialog::Circle, CircleProps, true, false, false},
    {EntityType::Arc, "arc", LayoutForm::Fixed, ArcSlots, Drawn | A::Cross | Sel | Both | A::Quantize, PropertyDialog::Circle,
     ArcProps, true, false, false},
    {EntityType::Ellipse, "ellipse", LayoutForm::Fixed, EllipseSlots, Drawn | Sel | Both | A::Quantize,
     PropertyDialog::Ellipse, EllipseProps, true, false, false},
    {EntityType::EllipticArc, "elliptic arc", LayoutForm::Fixed, EllipticArcSlots, Drawn | Sel | Both | A::Quantize,
     PropertyDialog::Ellipse, EllipticArcProps, true, false, false},
    {EntityType::Text, "text", LayoutForm::Fixed, TextSlots, Drawn | Sel | Both, PropertyDialog::Text, TextProps, true,
     true, true},
    {EntityType::LeaderText, "leader text", LayoutForm::Leader, LeaderSlots, Drawn | Sel | Both,
     PropertyDialog::LeaderText, LeaderProps, true, true, true},
    {EntityType::Dimension, "dimension", LayoutForm::Dimension, {}, (Drawn & ~A::Pick) | A::Dxf, PropertyDialog::Dimension, {},
     true, false, false, 0, false, 0, 7},
    {EntityType::GroupHeader, "group header", LayoutForm::GroupHead, GroupSlots, 0, PropertyDialog::None, {}, true,
     false, false},
    {EntityType::Fill, "fill", LayoutForm::Boundary, FillHead, (Drawn & ~A::Hpgl) | Sel, PropertyDialog::Fill, {}, true, false,
     false, 0, false, 6, 7},
    {EntityType::Hatch, "hatch", LayoutForm::Boundary, HatchHead, Drawn | A::Dxf, PropertyDialog::Hatch, {}, true,
     false, false, 0, true, 0, 7},
    {EntityType::Image, "image", LayoutForm::Fixed, LineSlots, Drawn & ~A::Hpgl, PropertyDialog::Image, ImageProps,
     true, true, false},
    {EntityType::Polygon, "polygon", LayoutForm::BareRun, PointSlots, Drawn | Sel | Both, PropertyDialog::Polygon, {},
     false, false, false},
};

constexpr EntityKind Unknown{0, "unknown", LayoutForm::Fixed, {}, 0, PropertyDialog::None, {}, false, false, false};

// Boundary items: arcs (0 counter-clockwise, 1 clockwise) from their start
// point, vertices, full circles, full ellipses and elliptic arcs (a fill's
// with its direction flag, a hatch's with its start point).
constexpr ValueRole ArcItem[] = {R::X, R::Y, R::Length, R::X, R::Y};
constexpr ValueRole VertexItem[] = {R::X, R::Y};
constexpr ValueRole CircleItem[] = {R::X, R::Y, R::Length};
constexpr ValueRole EllipseItem[] = {R::X, R::Y, R::Length, R::Length, R::Direction};
constexpr ValueRole FillEllipticArcItem[] = {R::X,         R::Y,         R::Length,    R::Length,
                                             R::Direction, R::Direction, R::Direction, R::Plain};
constexpr ValueRole HatchEllipticArcItem[] = {R::X,         R::Y,         R::Length, R::Length, R::Direction,
                                              R::Direction, R::Direction, R::X,      R::Y};

} // namespace

std::span<const EntityKind> EntityKinds()
{
    return Rows;
}

const EntityKind* FindEntityKind(int16_t type)
{
    for (const EntityKind& k : Rows)
        if (k.type == type)
            return &k;
    return nullptr;
}

const EntityKind& KindOf(int16_t type)
{
    // A table by type: the types lie between 10 and 90.
    static const std::array<const EntityKind*, 100> byType = [] {
        std::array<const EntityKind*, 100> t{};
        t.fill(&Unknown);
        for (const EntityKind& k : Rows)
            t[static_cast<std::size_t>(k.type)] = &k;
        return t;
    }();
    return type >= 0 && type < 100 ? *byType[static_cast<std::size_t>(type)] : Unknown;
}

std::span<const ValueRole> BoundaryItemRoles(int16_t firstCode, bool inHatch)
{
    switch (firstCode) {
    case BoundaryItem::ArcCcw:
    case BoundaryItem::ArcCw:
        return ArcItem;
    case BoundaryItem::Vertex:
        return VertexItem;
    case BoundaryItem::Circle:
        return CircleItem;
    case BoundaryItem::Ellipse:
        return EllipseItem;
    case BoundaryItem::EllipticArc:
        if (inHatch)
            return HatchEllipticArcItem;
        return FillEllipticArcItem;
    default:
        return {};
    }
}

std::size_t BoundaryStart(int16_t type)
{
    const EntityKind& k = KindOf(type);
    return k.form == LayoutForm::Boundary ? k.layout.size() : 0;
}

namespace {

// Calls f(index, role) for every value that has a role other than Plain.
template <class F>
void VisitRoles(int16_t type, int16_t subtype, std::span<const int16_t> codes, std::size_t valueCount, F&& f)
{
    const EntityKind& k = KindOf(type);
    switch (k.form) {
    case LayoutForm::Fixed:
    case LayoutForm::Leader:
    case LayoutForm::GroupHead:
        for (std::size_t i = 0; i < valueCount && i < k.layout.size(); ++i) {
            const ValueRole role = k.layout[i].role;
            // A point stands only where both its values do.
            if (role == ValueRole::X && i + 1 >= valueCount)
                break;
            f(i, role);
        }
        break;
    case LayoutForm::PointRun:
    case LayoutForm::BareRun:
        for (std::size_t i = 0; i + 1 < valueCount; i += 2) {
            f(i, ValueRole::X);
            f(i + 1, ValueRole::Y);
        }
        break;
    case LayoutForm::Dimension: {
        // Points are the pairs 21/22, 23/24 and 42/43 and the codes from 40
        // to 449 ending in 0 (x) or 1 (y); 11 is the text height, 12 the
        // text angle and, in the angle kinds, 26 and 27 the measured
        // directions. Codes from 450 on end the record's points.
        const bool angleKind = subtype == DimensionKind::LineAngle || subtype == DimensionKind::ArcAngle;
        for (std::size_t i = 0; i < valueCount && i < codes.size(); ++i) {
            const int16_t c = codes[i];
            if (c >= 450)
                break;
            if (c == 21 || c == 23 || c == 42 || (c >= 40 && c % 10 == 0))
                f(i, ValueRole::X);
            else if (c == 22 || c == 24 || c == 43 || (c >= 41 && c % 10 == 1))
                f(i, ValueRole::Y);
            else if (c == 11)
                f(i, ValueRole::TextSize);
            else if (c == 12 || (angleKind && (c == 26 || c == 27)))
                f(i, ValueRole::Direction);
        }
        break;
    }
    case LayoutForm::Boundary:
        for (std::size_t i = 0; i < valueCount && i < k.layout.size(); ++i)
            f(i, k.layout[i].role);
        WalkBoundary(type, codes, valueCount, [&](const BoundaryItemAt& item) {
            for (std::size_t j = 0; j < item.roles.size(); ++j)
                f(item.index + j, item.roles[j]);
        });
        break;
    }
}

} // namespace

std::vector<ValueRole> ValueRoles(int16_t type, int16_t subtype, std::span<const int16_t> codes,
                                  std::size_t valueCount)
{
    std::vector<ValueRole> roles(valueCount, ValueRole::Plain);
    VisitRoles(type, subtype, codes, valueCount, [&](std::size_t i, ValueRole role) { roles[i] = role; });
    return roles;
}

void ShiftValues(int16_t type, int16_t subtype, std::span<const int16_t> codes, std::span<double> values, double dx,
                 double dy)
{
    if (!KindOf(type).Allows(KindAllows::Draw))
        return;
    VisitRoles(type, subtype, codes, values.size(), [&](std::size_t i, ValueRole role) {
        if (role == ValueRole::X)
            values[i] += dx;
        else if (role == ValueRole::Y)
            values[i] += dy;
    });
}

void ShiftEntity(CEntity& e, double dx, double dy)
{
    ShiftValues(e.type, e.subtype, std::span<const int16_t>(e.codes.data(), e.codes.size()),
                std::span<double>(e.values.data(), e.values.size()), dx, dy);
}

std::vector<ValueRole> ValueRoles(const CEntity& e)
{
    return ValueRoles(e.type, e.subtype, std::span<const int16_t>(e.codes.data(), e.codes.size()), e.values.size());
}

std::optional<std::vector<int16_t>> LayoutCodes(int16_t type, int16_t subtype, std::size_t n)
{
    const EntityKind* k = FindEntityKind(type);
    if (!k)
        return std::nullopt;
    std::vector<int16_t> codes;
    auto take = [&](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            codes.push_back(k->layout[i].code);
    };
    switch (k->form) {
    case LayoutForm::Fixed:
        if (n != k->layout.size())
            return std::nullopt;
        take(n);
        return codes;
    case LayoutForm::GroupHead:
        if (n != 0 && n != k->layout.size())
            return std::nullopt;
        take(n);
        return codes;
    case LayoutForm::Leader: {
        const std::size_t want = subtype / 10 != 0 ? 11 : 9;
        if (n != want)
            return std::nullopt;
        take(n);
        return codes;
    }
    case LayoutForm::PointRun:
        if (n % 2 != 0)
            return std::nullopt;
        for (std::size_t i = 0; i < n; i += 2)
            codes.insert(codes.end(), {k->layout[0].code, k->layout[1].code});
        return codes;
    case LayoutForm::BareRun:
        if (n % 2 != 0)
            return std::nullopt;
        return codes;
    case LayoutForm::Dimension: {
        const int points = n >= 16 ? static_cast<int>((n - 16) / 2) : 0;
        codes = DimensionValueCodes(subtype, points);
        if (codes.empty() || codes.size() != n)
            return std::nullopt;
        return codes;
    }
    case LayoutForm::Boundary:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<EntityRecord> MakeRecord(int16_t type, std::span<const double> values, int16_t subtype)
{
    std::optional<std::vector<int16_t>> codes = LayoutCodes(type, subtype, values.size());
    if (!codes)
        return std::nullopt;
    EntityRecord r;
    r.header.type = type;
    r.header.subtype = subtype;
    r.header.count = static_cast<int16_t>(values.size());
    r.codes = std::move(*codes);
    r.values.assign(values.begin(), values.end());
    return r;
}

std::optional<EntityRecord> MakeRecord(int16_t type, std::initializer_list<double> values, int16_t subtype)
{
    return MakeRecord(type, std::span<const double>(values.begin(), values.size()), subtype);
}

std::span<const int16_t> FixedCodes(int16_t type)
{
    // The layouts' codes as plain arrays, made once.
    struct Table {
        std::array<std::array<int16_t, 11>, 100> codes{};
        std::array<std::size_t, 100> sizes{};
    };
    static const Table table = [] {
        Table t;
        for (const EntityKind& k : Rows) {
            if (k.form != LayoutForm::Fixed && k.form != LayoutForm::GroupHead && k.form != LayoutForm::Leader)
                continue;
            const auto i = static_cast<std::size_t>(k.type);
            for (std::size_t j = 0; j < k.layout.size(); ++j)
                t.codes[i][j] = k.layout[j].code;
            t.sizes[i] = k.layout.size();
        }
        return t;
    }();
    if (type < 0 || type >= 100)
        return {};
    const auto i = static_cast<std::size_t>(type);
    return std::span<const int16_t>(table.codes[i].data(), table.sizes[i]);
}

std::vector<int16_t> CodesOf(int16_t type)
{
    const std::span<const int16_t> codes = FixedCodes(type);
    return std::vector<int16_t>(codes.begin(), codes.end());
}

std::size_t ValueCount(const CEntity& e)
{
    return std::min(e.count < 0 ? std::size_t{0} : static_cast<std::size_t>(e.count), e.values.size());
}

bool ByCode(const CEntity& e, int16_t code, double& out)
{
    const int i = FindValueIndex(e, code);
    if (i < 0 || static_cast<std::size_t>(i) >= ValueCount(e))
        return false;
    out = e.values[static_cast<std::size_t>(i)];
    return true;
}

double ByCode(const CEntity& e, int16_t code)
{
    double v = 0.0;
    return ByCode(e, code, v) ? v : 0.0;
}

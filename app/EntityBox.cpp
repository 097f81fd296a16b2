#include "app/EntityBox.h"

#include "model/Utilities.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

double ByCode(const CEntity& e, int16_t code)
{
    const int i = FindValueIndex(e, code);
    return i >= 0 && std::size_t(i) < e.values.size() ? e.values[i] : 0.0;
}

double Value(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

void AddPointPairs(ModelBox& box, const CEntity& e)
{
    for (std::size_t i = 0; i + 1 < e.values.size(); i += 2)
        box.Add(e.values[i], e.values[i + 1]);
}

void AddCircle(ModelBox& box, double cx, double cy, double r)
{
    r = std::fabs(r);
    box.Add(cx - r, cy - r);
    box.Add(cx + r, cy + r);
}

void AddEllipse(ModelBox& box, const CEntity& e)
{
    box.Add(EllipseOutlineBox(ByCode(e, 10), ByCode(e, 20), ByCode(e, 60), ByCode(e, 61), ByCode(e, 62)));
}

void AddTextBox(ModelBox& box, const CEntity& e)
{
    const double x = Value(e, 0), y = Value(e, 1), h = Value(e, 2), w = Value(e, 3);
    const double t = Value(e, 4);
    const double len = MbcsByteLength(e.text) * w / 2.0;
    if (std::fabs(t) > 0.1) {
        const double a = t * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
        box.Add(x, y);
        box.Add(x + len * c, y + len * s);
        box.Add(x - h * s, y + h * c);
        box.Add(x + len * c - h * s, y + len * s + h * c);
    } else {
        box.Add(x, y);
        box.Add(x + len, y + h);
    }
    if (e.type == EntityType::LeaderText)
        for (std::size_t i = 5; i + 1 < e.values.size() && i <= 9; i += 2)
            box.Add(e.values[i], e.values[i + 1]);
}

void AddFillItems(ModelBox& box, const CEntity& e)
{
    // Items start after the two leading zeros.
    std::size_t i = 2;
    while (i < e.codes.size() && i < e.values.size()) {
        const int16_t code = e.codes[i];
        const int n = BoundaryItemValueCount(code, false);
        if (n <= 0 || i + n > e.values.size())
            break;
        const double* v = &e.values[i];
        switch (code) {
        case BoundaryItem::Vertex:
            box.Add(v[0], v[1]);
            break;
        case BoundaryItem::ArcCcw:
        case BoundaryItem::ArcCw:
        case BoundaryItem::Circle:
            AddCircle(box, v[0], v[1], v[2]);
            break;
        case BoundaryItem::Ellipse:
        case BoundaryItem::EllipticArc:
            box.Add(EllipseOutlineBox(v[0], v[1], v[2], v[3], v[4]));
            break;
        default:
            break;
        }
        i += n;
    }
}

} // namespace

ModelBox::ModelBox()
    : minX(std::numeric_limits<double>::infinity()), minY(std::numeric_limits<double>::infinity()),
      maxX(-std::numeric_limits<double>::infinity()), maxY(-std::numeric_limits<double>::infinity())
{
}

void ModelBox::Add(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
    valid = true;
}

void ModelBox::Add(const ModelBox& other)
{
    if (!other.valid)
        return;
    Add(other.minX, other.minY);
    Add(other.maxX, other.maxY);
}

ModelBox EllipseOutlineBox(double cx, double cy, double r1, double r2, double rotationDeg)
{
    ModelBox box;
    const double a = rotationDeg * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
    for (double t = 0.0; t <= 2.0 * std::numbers::pi + 0.05; t += 0.05) {
        const double px = r1 * std::cos(t), py = r2 * std::sin(t);
        box.Add(cx + px * c - py * s, cy + px * s + py * c);
    }
    return box;
}

ModelBox EntityScreenBox(const CEntity& e)
{
    ModelBox box;
    switch (e.type) {
    case EntityType::Point:
        box.Add(Value(e, 0), Value(e, 1));
        break;
    case EntityType::Line:
    case EntityType::HorizontalInfiniteLine:
    case EntityType::VerticalInfiniteLine:
    case EntityType::InfiniteLine:
    case EntityType::Image:
        box.Add(Value(e, 0), Value(e, 1));
        box.Add(Value(e, 2), Value(e, 3));
        break;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        AddPointPairs(box, e);
        break;
    case EntityType::Circle:
    case EntityType::Arc:
        AddCircle(box, ByCode(e, 10), ByCode(e, 20), ByCode(e, 40));
        break;
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        AddEllipse(box, e);
        break;
    case EntityType::Text:
    case EntityType::LeaderText:
        AddTextBox(box, e);
        break;
    case EntityType::Fill:
        AddFillItems(box, e);
        break;
    case EntityType::Hatch:
        box.Add(Value(e, 3), Value(e, 4));
        box.Add(Value(e, 5), Value(e, 6));
        break;
    default:
        break;
    }
    return box;
}

ModelBox EntityExtentBox(const CEntity& e)
{
    ModelBox box;
    switch (e.type) {
    case EntityType::Point:
        box.Add(Value(e, 0), Value(e, 1));
        break;
    case EntityType::Line:
        box.Add(Value(e, 0), Value(e, 1));
        box.Add(Value(e, 2), Value(e, 3));
        break;
    case EntityType::Curve:
    case EntityType::FreehandCurve:
    case EntityType::Polygon:
        AddPointPairs(box, e);
        break;
    case EntityType::Circle:
    case EntityType::Arc:
        AddCircle(box, ByCode(e, 10), ByCode(e, 20), ByCode(e, 40));
        break;
    case EntityType::Ellipse:
    case EntityType::EllipticArc:
        AddEllipse(box, e);
        break;
    case EntityType::Text:
    case EntityType::LeaderText: {
        const double x = Value(e, 0), y = Value(e, 1), h = Value(e, 2);
        box.Add(x, y);
        box.Add(x + CountMbcsChars(e.text) * h, y + h);
        break;
    }
    default:
        break;
    }
    return box;
}

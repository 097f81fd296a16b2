#include "model/EntityRowList.h"

#include "model/Entity.h"
#include "model/EntityKinds.h"

#include <charconv>
#include <cmath>
#include <span>
#include <utility>

// ---- kinds ----

const char* RowKindName(int32_t kind)
{
    switch (kind) {
    case RowKind::Point: return "POINT";
    case RowKind::Line: return "LINE";
    case RowKind::Circle: return "CIRCLE";
    case RowKind::Ellipse: return "ELLIPSE";
    default: return "----";
    }
}

int32_t RowKindFromKeyword(std::string_view keyword)
{
    if (keyword == "LINE")
        return RowKind::Line;
    if (keyword == "CIRCLE")
        return RowKind::Circle;
    if (keyword == "POINT")
        return RowKind::Point;
    if (keyword == "ELLIPSE")
        return RowKind::Ellipse;
    return 0;
}

int RowShownValueCount(int32_t kind)
{
    switch (kind) {
    case RowKind::Point: return 2;
    case RowKind::Line: return 4;
    case RowKind::Circle: return 5;
    case RowKind::Ellipse: return 7;
    default: return 0;
    }
}

// ---- the list ----

bool CEntityRowList::AddRow(int32_t kind, const RowValues& values)
{
    if (kind <= 0)
        return false;
    EntityRow row;
    row.name = RowKindName(kind);
    row.kind = kind;
    row.value = values;
    rows.push_back(std::move(row));
    return true;
}

bool CEntityRowList::AddRow(const EntityRow& row)
{
    if (row.kind <= 0)
        return false;
    rows.push_back(row);
    rows.back().name = RowKindName(row.kind);
    return true;
}

bool CEntityRowList::SetRow(int n, int32_t kind, const RowValues& values)
{
    if (n < 0 || n >= Count() || kind <= 0)
        return false;
    EntityRow& row = rows[static_cast<size_t>(n)];
    if (row.kind != kind)
        row.fromDrawing = false;
    row.name = RowKindName(kind);
    row.kind = kind;
    row.value = values;
    return true;
}

bool CEntityRowList::DeleteRow(int n)
{
    if (n < 0 || n >= Count())
        return false;
    rows.erase(rows.begin() + n);
    return true;
}

const EntityRow* CEntityRowList::Row(int n) const
{
    return n >= 0 && n < Count() ? &rows[static_cast<size_t>(n)] : nullptr;
}

// ---- numbers as text ----

namespace {

// Room for the longest plain text of a double (309 digits before the point,
// 1074 after it for the smallest subnormal, a sign and the point).
constexpr size_t NumberRoom = 1100;

void AppendRowValue(std::string& out, double v)
{
    if (v == 0.0) {  // -0 too
        out += '0';
        return;
    }
    char buf[NumberRoom];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (r.ec == std::errc())
        out.append(buf, r.ptr);
    else
        out += '0';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether the number text (as matched by from_chars, sign allowed) is below
// 1 in magnitude: a number too large and one too small for a double are both
// "out of range", and only the small one is taken, as 0.
bool BelowOne(std::string_view s)
{
    size_t i = 0;
    if (i < s.size() && s[i] == '-')
        ++i;
    // Decimal place of the first significant digit (0 for the units).
    long long place = 0;
    bool seen = false;
    long long before = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        if (seen || s[i] != '0') {
            seen = true;
            ++before;
        }
    }
    if (seen) {
        place = before - 1;
    } else if (i < s.size() && s[i] == '.') {
        ++i;
        long long zeros = 0;
        while (i < s.size() && s[i] == '0') {
            ++zeros;
            ++i;
        }
        if (i >= s.size() || !IsDigit(s[i]))
            return true;  // all zeros
        place = -(zeros + 1);
    }
    while (i < s.size() && (IsDigit(s[i]) || s[i] == '.'))
        ++i;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negative = s[i++] == '-';
        for (; i < s.size() && IsDigit(s[i]); ++i)
            if (exponent < 1000000000)
                exponent = exponent * 10 + (s[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    return place + exponent < 0;
}

} // namespace

std::string FormatRowValue(double v)
{
    std::string out;
    AppendRowValue(out, v);
    return out;
}

NumberScan ScanRowValue(std::string_view text, double& value)
{
    value = 0.0;
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    std::string_view s = text.substr(i);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-')
            return NumberScan::NoNumber;
    }
    double v = 0.0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument)
        return NumberScan::NoNumber;
    if (r.ec == std::errc::result_out_of_range) {
        if (BelowOne(std::string_view(s.data(), static_cast<size_t>(r.ptr - s.data()))))
            return NumberScan::Number;  // too small for a double: 0
        return NumberScan::NotFinite;
    }
    if (!std::isfinite(v))
        return NumberScan::NotFinite;
    value = v;
    return NumberScan::Number;
}

// ---- the CSV file ----

std::string WriteEntityCsv(const CEntityRowList& rows)
{
    std::string out;
    out.reserve(rows.Rows().size() * 48);
    for (const EntityRow& row : rows.Rows()) {
        out += row.name;
        out += ',';
        for (double v : row.value) {
            AppendRowValue(out, v);
            out += ',';
        }
        out += "\r\n";
    }
    return out;
}

namespace {

// One line without its end; true when it gave a row.
bool ReadCsvLine(std::string_view line, CEntityRowList& rows)
{
    size_t comma = line.find(',');
    const int32_t kind = RowKindFromKeyword(line.substr(0, comma));
    if (kind == 0)
        return false;
    RowValues values{};
    for (int n = 0; n < RowValueCount && comma != std::string_view::npos; ++n) {
        const size_t start = comma + 1;
        comma = line.find(',', start);
        const std::string_view field =
            line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (field.empty())
            continue;
        // A value beyond any drawing's range would be taken as some other
        // number; the line is left out instead.
        if (ScanRowValue(field, values[static_cast<size_t>(n)]) == NumberScan::NotFinite)
            return false;
    }
    return rows.AddRow(kind, values);
}

} // namespace

int ReadEntityCsv(std::string_view text, CEntityRowList& rows)
{
    int added = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (ReadCsvLine(line, rows))
            ++added;
    }
    return added;
}

// ---- rounding ----

double QuantizeRowValue(double v, int digits, QuantizeMode mode)
{
    if (!std::isfinite(v))
        return v;
    if (v == 0.0)
        return 0.0;
    digits = digits < 0 ? 0 : digits > 5 ? 5 : digits;
    // The decision is taken on the decimal text the user sees, not on the
    // binary value: 12.345 is held a hair below 12.345 and 12.34 a hair
    // below 12.34, and neither must round or cut as if it were.
    char buf[NumberRoom];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed);
    if (r.ec != std::errc())
        return v;
    std::string text(buf, r.ptr);
    const size_t point = text.find('.');
    if (point == std::string::npos || text.size() - point - 1 <= static_cast<size_t>(digits))
        return v;
    const size_t cut = point + 1 + static_cast<size_t>(digits);
    const bool up = mode == QuantizeMode::Round && text[cut] >= '5';
    text.resize(digits == 0 ? point : cut);
    if (up) {
        size_t i = text.size();
        bool carry = true;
        while (carry && i > 0) {
            char& c = text[--i];
            if (c == '.')
                continue;
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                carry = false;
            }
        }
        if (carry)
            text.insert(text.begin(), '1');
    }
    double out = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    if (out == 0.0)
        return 0.0;
    return v < 0 ? -out : out;
}

void QuantizeRows(CEntityRowList& rows, int digits, QuantizeMode mode)
{
    for (EntityRow& row : rows.Rows())
        for (double& v : row.value)
            v = QuantizeRowValue(v, digits, mode);
}

// ---- rows and entities ----

bool IsFullFigure(double startAngle, double endAngle)
{
    return std::fabs(startAngle) < 0.001 && (std::fabs(endAngle) < 0.001 || std::fabs(endAngle - 360.0) < 0.001);
}

bool HasEntityRow(const CEntity& e)
{
    return KindOf(e.type).Allows(KindAllows::Quantize);
}

bool IsListedEntity(const CEntity& e)
{
    return e.state == EntityState::Marked && HasEntityRow(e) && !(e.owner && e.owner->type == EntityType::Dimension);
}

namespace {

int32_t RowKindOfType(int16_t type)
{
    switch (type) {
    case EntityType::Point: return RowKind::Point;
    case EntityType::Line: return RowKind::Line;
    case EntityType::Circle:
    case EntityType::Arc: return RowKind::Circle;
    case EntityType::Ellipse:
    case EntityType::EllipticArc: return RowKind::Ellipse;
    default: return 0;
    }
}

bool IsPosition(ValueRole role)
{
    return role == ValueRole::X || role == ValueRole::Y;
}

} // namespace

std::optional<EntityRow> RowFromEntity(const CEntity& e, double originX, double originY)
{
    const EntityKind& kind = KindOf(e.type);
    const int32_t rowKind = RowKindOfType(e.type);
    if (!HasEntityRow(e) || rowKind == 0 || kind.layout.size() > RowValueCount || e.values.size() < kind.layout.size())
        return std::nullopt;
    // The row holds the record's values in layout order, positions measured
    // from the origin; a full circle or ellipse leaves its angles 0.
    EntityRow row;
    row.kind = rowKind;
    row.name = RowKindName(rowKind);
    row.fromDrawing = true;
    for (size_t i = 0; i < kind.layout.size(); ++i) {
        const ValueRole role = kind.layout[i].role;
        const double v = e.values[i];
        row.drawn[i] = v;
        row.value[i] = role == ValueRole::X ? v - originX : role == ValueRole::Y ? v - originY : v;
    }
    // Only subtype 1 runs counter-clockwise from its start; any other arc is
    // drawn from its end, so the row takes it that way round.
    if (e.type == EntityType::Arc && e.subtype != 1)
        std::swap(row.value[3], row.value[4]);
    row.listed = row.value;
    return row;
}

std::optional<EntityCopy> RecordFromRow(const EntityRow& row, double originX, double originY, int16_t style,
                                        int16_t layer, COLORREF colour)
{
    const RowValues& v = row.value;
    int16_t type = 0;
    size_t count = 0;
    int16_t subtype = 0;
    switch (row.kind) {
    case RowKind::Point: type = EntityType::Point; break;
    case RowKind::Line: type = EntityType::Line; break;
    case RowKind::Circle:
        type = IsFullFigure(v[3], v[4]) ? EntityType::Circle : EntityType::Arc;
        subtype = type == EntityType::Arc ? 1 : 0;
        break;
    case RowKind::Ellipse:
        type = IsFullFigure(v[5], v[6]) ? EntityType::Ellipse : EntityType::EllipticArc;
        subtype = 1;
        break;
    default: return std::nullopt;
    }
    const EntityKind& kind = KindOf(type);
    count = kind.layout.size();
    RowValues values{};
    for (size_t i = 0; i < count; ++i) {
        const ValueRole role = kind.layout[i].role;
        if (!IsPosition(role))
            values[i] = v[i];
        else if (row.fromDrawing && v[i] == row.listed[i])
            values[i] = row.drawn[i];  // as the drawing held it
        else
            values[i] = v[i] + (role == ValueRole::X ? originX : originY);
    }
    std::optional<EntityCopy> copy = MakeRecord(type, std::span<const double>(values.data(), count), subtype);
    if (!copy)
        return std::nullopt;
    copy->header.style = style;
    copy->header.layer = layer;
    copy->colour = colour;
    return copy;
}

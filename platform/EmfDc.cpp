#include "platform/EmfDc.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <utility>

namespace platform {

namespace {

// Record types.
enum : std::uint32_t {
    kHeader = 1, kPolyBezier = 2, kPolygon = 3, kPolyline = 4, kPolyBezierTo = 5, kPolylineTo = 6,
    kSetWindowExt = 9, kSetWindowOrg = 10, kSetViewportExt = 11, kSetViewportOrg = 12, kEof = 14,
    kSetPixelV = 15, kSetMapMode = 17, kSetBkMode = 18, kSetPolyFillMode = 19, kSetRop2 = 20,
    kSetTextAlign = 22, kSetTextColor = 24, kSetBkColor = 25, kMoveTo = 27, kIntersectClipRect = 30,
    kSaveDc = 33, kRestoreDc = 34, kSelectObject = 37, kCreatePen = 38, kCreateBrushIndirect = 39,
    kDeleteObject = 40, kEllipse = 42, kRectangle = 43, kArc = 45, kChord = 46, kPie = 47, kLineTo = 54,
    kSetArcDirection = 57, kBeginPath = 59, kEndPath = 60, kCloseFigure = 61, kFillPath = 62,
    kStrokeAndFillPath = 63, kStrokePath = 64, kAbortPath = 68, kExtSelectClipRgn = 75, kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82, kExtTextOutW = 84, kPolyBezier16 = 85, kPolygon16 = 86, kPolyline16 = 87,
    kPolyBezierTo16 = 88, kPolylineTo16 = 89, kExtCreatePen = 95,
};

constexpr std::uint32_t kStock = 0x80000000u;
constexpr std::uint32_t kStockWhiteBrush = kStock | 0;
constexpr std::uint32_t kStockBlackPen = kStock | 7;
constexpr std::uint32_t kStockSystemFont = kStock | 13;

bool FitsShort(const std::vector<Point>& pts)
{
    for (const Point& p : pts)
        if (p.x < -32768 || p.x > 32767 || p.y < -32768 || p.y > 32767) return false;
    return true;
}

std::uint32_t PenStyleBits(const Pen& pen)
{
    std::uint32_t s = std::uint32_t(pen.style);
    if (pen.geometric) {
        s |= 0x00010000u; // geometric
        s |= pen.cap == PenCap::Square ? 0x100u : pen.cap == PenCap::Flat ? 0x200u : 0u;
        s |= pen.join == PenJoin::Bevel ? 0x1000u : pen.join == PenJoin::Miter ? 0x2000u : 0u;
    }
    return s;
}

} // namespace

EmfDc::EmfDc(int deviceWidth, int deviceHeight, int dpi)
    : width_(std::max(1, deviceWidth)), height_(std::max(1, deviceHeight)), dpi_(std::max(1, dpi))
{
    // The header is written in full by Finish(); reserve its place.
    out_.resize(108, 0);
    records_ = 1;
}

int EmfDc::GetDeviceCaps(DeviceCap cap) const
{
    switch (cap) {
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY: return dpi_;
    case DeviceCap::HorzSize: return int(std::lround(width_ * 25.4 / dpi_));
    case DeviceCap::VertSize: return int(std::lround(height_ * 25.4 / dpi_));
    default: return Dc::GetDeviceCaps(cap);
    }
}

// ---- record writing ---------------------------------------------------------------

size_t EmfDc::Begin(std::uint32_t type)
{
    const size_t start = out_.size();
    U32(type);
    U32(0);
    return start;
}

void EmfDc::End(size_t start)
{
    while (out_.size() % 4) out_.push_back(0);
    const std::uint32_t size = std::uint32_t(out_.size() - start);
    std::memcpy(out_.data() + start + 4, &size, 4);
    ++records_;
}

void EmfDc::U32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out_.push_back(std::uint8_t(v >> (8 * i)));
}

void EmfDc::U16(std::uint16_t v)
{
    out_.push_back(std::uint8_t(v));
    out_.push_back(std::uint8_t(v >> 8));
}

void EmfDc::F32(float v)
{
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    U32(u);
}

void EmfDc::RectL(const Rect& r)
{
    I32(r.left);
    I32(r.top);
    I32(r.right);
    I32(r.bottom);
}

void EmfDc::Simple(std::uint32_t type, std::initializer_list<std::int32_t> values)
{
    if (finished_) return;
    const size_t s = Begin(type);
    for (std::int32_t v : values) I32(v);
    End(s);
}

Rect EmfDc::DeviceBounds(const std::vector<Point>& logical) const
{
    Rect r{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
           std::numeric_limits<int>::min()};
    for (const Point& p : logical) {
        const Point d = LPtoDP(p);
        r.left = std::min(r.left, d.x);
        r.top = std::min(r.top, d.y);
        r.right = std::max(r.right, d.x);
        r.bottom = std::max(r.bottom, d.y);
    }
    if (logical.empty()) return {0, 0, -1, -1};
    return r;
}

void EmfDc::Touch(const Rect& d)
{
    if (InPath() || d.right < d.left || d.bottom < d.top) return;
    if (!hasBounds_) {
        bounds_ = d;
        hasBounds_ = true;
        return;
    }
    bounds_ = {std::min(bounds_.left, d.left), std::min(bounds_.top, d.top), std::max(bounds_.right, d.right),
               std::max(bounds_.bottom, d.bottom)};
}

void EmfDc::Points(std::uint32_t type16, std::uint32_t type32, const std::vector<Point>& points)
{
    if (finished_ || points.empty()) return;
    const Rect b = DeviceBounds(points);
    Touch(b);
    const bool small = FitsShort(points);
    const size_t s = Begin(small ? type16 : type32);
    RectL(b);
    U32(std::uint32_t(points.size()));
    for (const Point& p : points) {
        if (small) {
            U16(std::uint16_t(std::int16_t(p.x)));
            U16(std::uint16_t(std::int16_t(p.y)));
        } else {
            I32(p.x);
            I32(p.y);
        }
    }
    End(s);
}

void EmfDc::BoxRecord(std::uint32_t type, int l, int t, int r, int b, const std::vector<Point>& extra)
{
    if (finished_) return;
    Touch(DeviceBounds({{l, t}, {r - 1, b - 1}}));
    const size_t s = Begin(type);
    RectL({l, t, r, b});
    for (const Point& p : extra) {
        I32(p.x);
        I32(p.y);
    }
    End(s);
}

// ---- objects ------------------------------------------------------------------------

std::uint32_t EmfDc::NewHandle()
{
    for (size_t i = 1; i < used_.size(); ++i)
        if (!used_[i]) {
            used_[i] = true;
            return std::uint32_t(i);
        }
    used_.push_back(true);
    return std::uint32_t(used_.size() - 1);
}

void EmfDc::DeleteNow(std::uint32_t handle)
{
    if (handle == 0 || handle >= used_.size() || !used_[handle]) return;
    Simple(kDeleteObject, {std::int32_t(handle)});
    used_[handle] = false;
}

void EmfDc::Release(std::uint32_t handle)
{
    if (handle == 0) return;
    // While a saved state may still come back, its objects must live on.
    if (!savedHandles_.empty()) {
        deferred_.push_back(handle);
        return;
    }
    DeleteNow(handle);
}

void EmfDc::ReleaseDeferred()
{
    if (!savedHandles_.empty()) return;
    std::vector<std::uint32_t> keep;
    for (std::uint32_t h : deferred_) {
        if (h == cur_.pen || h == cur_.brush || h == cur_.font) continue;
        DeleteNow(h);
    }
    deferred_.clear();
}

void EmfDc::Replace(std::uint32_t Handles::*slot, std::uint32_t handle)
{
    Simple(kSelectObject, {std::int32_t(handle)});
    const std::uint32_t old = cur_.*slot;
    cur_.*slot = handle;
    Release(old);
}

Pen EmfDc::SelectPen(const Pen& pen)
{
    Pen old = Dc::SelectPen(pen);
    if (finished_) return old;
    const std::uint32_t h = NewHandle();
    const COLORREF color = ResolveColor(pen.color);
    if (!pen.geometric) {
        const size_t s = Begin(kCreatePen);
        U32(h);
        U32(std::uint32_t(pen.style));
        I32(pen.width);
        I32(0);
        U32(color);
        End(s);
    } else {
        const size_t s = Begin(kExtCreatePen);
        U32(h);
        U32(0); // no bitmap
        U32(0);
        U32(0);
        U32(0);
        U32(PenStyleBits(pen));
        U32(std::uint32_t(pen.width));
        U32(0); // solid brush
        U32(color);
        U32(0); // hatch
        U32(0); // no user style entries
        End(s);
    }
    Replace(&Handles::pen, h);
    return old;
}

Brush EmfDc::SelectBrush(const Brush& brush)
{
    Brush old = Dc::SelectBrush(brush);
    if (finished_) return old;
    const std::uint32_t h = NewHandle();
    const size_t s = Begin(kCreateBrushIndirect);
    U32(h);
    U32(std::uint32_t(brush.style));
    U32(ResolveColor(brush.color));
    U32(brush.style == BrushStyle::Hatched ? std::uint32_t(brush.hatch) : 0);
    End(s);
    Replace(&Handles::brush, h);
    return old;
}

Font EmfDc::SelectFont(const Font& f)
{
    Font old = Dc::SelectFont(f);
    if (finished_) return old;
    const std::uint32_t h = NewHandle();
    const size_t s = Begin(kExtCreateFontIndirectW);
    U32(h);
    I32(f.height);
    I32(f.width);
    I32(f.escapement);
    I32(f.orientation);
    I32(f.weight);
    out_.push_back(f.italic);
    out_.push_back(f.underline);
    out_.push_back(f.strikeOut);
    out_.push_back(f.charSet);
    out_.push_back(0); // output precision
    out_.push_back(0); // clip precision
    out_.push_back(0); // quality
    out_.push_back(f.pitchAndFamily);
    // 32 UTF-16 units, NUL-terminated; a longer face is cut at a whole
    // character.
    QString face = f.face.left(31);
    if (!face.isEmpty() && face.back().isHighSurrogate()) face.chop(1);
    for (int i = 0; i < 32; ++i) U16(i < face.size() ? face.at(i).unicode() : 0);
    End(s);
    Replace(&Handles::font, h);
    return old;
}

// ---- attributes -------------------------------------------------------------------

COLORREF EmfDc::SetTextColor(COLORREF c)
{
    Simple(kSetTextColor, {std::int32_t(ResolveColor(c))});
    return Dc::SetTextColor(c);
}

COLORREF EmfDc::SetBkColor(COLORREF c)
{
    Simple(kSetBkColor, {std::int32_t(ResolveColor(c))});
    return Dc::SetBkColor(c);
}

BkMode EmfDc::SetBkMode(BkMode m) { Simple(kSetBkMode, {int(m)}); return Dc::SetBkMode(m); }
Rop2 EmfDc::SetRop2(Rop2 r) { Simple(kSetRop2, {int(r)}); return Dc::SetRop2(r); }
PolyFillMode EmfDc::SetPolyFillMode(PolyFillMode m) { Simple(kSetPolyFillMode, {int(m)}); return Dc::SetPolyFillMode(m); }
ArcDirection EmfDc::SetArcDirection(ArcDirection d) { Simple(kSetArcDirection, {int(d)}); return Dc::SetArcDirection(d); }
int EmfDc::SetTextAlign(int a) { Simple(kSetTextAlign, {a}); return Dc::SetTextAlign(a); }
MapMode EmfDc::SetMapMode(MapMode m) { Simple(kSetMapMode, {int(m)}); return Dc::SetMapMode(m); }
Point EmfDc::SetWindowOrg(int x, int y) { Simple(kSetWindowOrg, {x, y}); return Dc::SetWindowOrg(x, y); }
Size EmfDc::SetWindowExt(int cx, int cy) { Simple(kSetWindowExt, {cx, cy}); return Dc::SetWindowExt(cx, cy); }
Point EmfDc::SetViewportOrg(int x, int y) { Simple(kSetViewportOrg, {x, y}); return Dc::SetViewportOrg(x, y); }
Size EmfDc::SetViewportExt(int cx, int cy) { Simple(kSetViewportExt, {cx, cy}); return Dc::SetViewportExt(cx, cy); }

void EmfDc::IntersectClipRect(int l, int t, int r, int b)
{
    Simple(kIntersectClipRect, {l, t, r, b});
    Dc::IntersectClipRect(l, t, r, b);
}

void EmfDc::ResetClip()
{
    // An empty region with the copy mode removes the clip.
    Simple(kExtSelectClipRgn, {0, 5});
    Dc::ResetClip();
}

int EmfDc::SaveDc()
{
    Simple(kSaveDc, {});
    savedHandles_.push_back(cur_);
    return Dc::SaveDc();
}

bool EmfDc::RestoreDc(int level)
{
    const int depth = int(savedHandles_.size());
    const int index = level < 0 ? depth + level : level - 1;
    if (index < 0 || index >= depth) return false;
    Simple(kRestoreDc, {index - depth});
    // The objects selected now give way to those of the restored state.
    for (std::uint32_t h : {cur_.pen, cur_.brush, cur_.font})
        if (h) deferred_.push_back(h);
    cur_ = savedHandles_[size_t(index)];
    savedHandles_.resize(size_t(index));
    ReleaseDeferred();
    return Dc::RestoreDc(level);
}

// ---- drawing ------------------------------------------------------------------------

Point EmfDc::MoveTo(int x, int y)
{
    Simple(kMoveTo, {x, y});
    return Dc::MoveTo(x, y);
}

void EmfDc::LineTo(int x, int y)
{
    Touch(DeviceBounds({state_.currentPos, {x, y}}));
    Simple(kLineTo, {x, y});
    if (InPath()) PathLineTo(LPtoDP({x, y}));
    state_.currentPos = {x, y};
}

void EmfDc::Polyline(const std::vector<Point>& p) { Points(kPolyline16, kPolyline, p); }

void EmfDc::PolylineTo(const std::vector<Point>& p)
{
    if (p.empty()) return;
    Touch(DeviceBounds({state_.currentPos}));
    Points(kPolylineTo16, kPolylineTo, p);
    state_.currentPos = p.back();
}

void EmfDc::Polygon(const std::vector<Point>& p) { Points(kPolygon16, kPolygon, p); }

void EmfDc::PolyBezier(const std::vector<Point>& p)
{
    if (p.size() < 4) return;
    Points(kPolyBezier16, kPolyBezier, p);
}

void EmfDc::PolyBezierTo(const std::vector<Point>& p)
{
    if (p.size() < 3) return;
    std::vector<Point> whole(p.begin(), p.begin() + std::ptrdiff_t((p.size() / 3) * 3));
    Touch(DeviceBounds({state_.currentPos}));
    Points(kPolyBezierTo16, kPolyBezierTo, whole);
    state_.currentPos = whole.back();
}

void EmfDc::Rectangle(int l, int t, int r, int b) { BoxRecord(kRectangle, l, t, r, b, {}); }
void EmfDc::Ellipse(int l, int t, int r, int b) { BoxRecord(kEllipse, l, t, r, b, {}); }

void EmfDc::Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    // Readers that turn an arc into a path arc between its two end points
    // draw nothing for a whole ellipse (both ends on one ray) and may take a
    // long arc the short way round. So the arc goes out as counter-clockwise
    // pieces of at most a third of a turn, which draw the same outline.
    const bool clockwise = GetArcDirection() == ArcDirection::Clockwise;
    Point from{xs, ys}, to{xe, ye};
    if (clockwise) std::swap(from, to);  // the same outline, counter-clockwise
    const double cx = (double(l) + r) / 2, cy = (double(t) + b) / 2;
    const double a0 = std::atan2(cy - from.y, from.x - cx);
    double sweep = std::atan2(cy - to.y, to.x - cx) - a0;
    while (sweep <= 1e-12) sweep += 2 * std::numbers::pi;
    const int pieces = std::max(1, int(std::ceil(sweep / (2 * std::numbers::pi / 3) - 1e-9)));
    // Intermediate rays through points well outside the box, so that their
    // rounding hardly turns them.
    const double reach = 2.0 * std::max({std::abs(double(r) - l), std::abs(double(b) - t), 64.0});
    if (clockwise) Simple(kSetArcDirection, {int(ArcDirection::CounterClockwise)});
    for (int i = 1; i <= pieces; ++i) {
        Point next = to;
        if (i < pieces) {
            const double a = a0 + sweep * i / pieces;
            next = {int(std::lround(cx + reach * std::cos(a))), int(std::lround(cy - reach * std::sin(a)))};
        }
        BoxRecord(kArc, l, t, r, b, {from, next});
        from = next;
    }
    if (clockwise) Simple(kSetArcDirection, {int(ArcDirection::Clockwise)});
}

void EmfDc::Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    BoxRecord(kPie, l, t, r, b, {{xs, ys}, {xe, ye}});
}

void EmfDc::Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    BoxRecord(kChord, l, t, r, b, {{xs, ys}, {xe, ye}});
}

void EmfDc::SetPixel(int x, int y, COLORREF c)
{
    Touch(DeviceBounds({{x, y}}));
    Simple(kSetPixelV, {x, y, std::int32_t(ResolveColor(c))});
}

void EmfDc::FillRect(const Rect& rect, const Brush& brush)
{
    const Rect r = rect.Normalized();
    if (r.IsEmpty() || finished_) return;
    // A pen-less rectangle covers its box less one column and row.
    const Brush oldBrush = SelectBrush(brush);
    const Pen oldPen = SelectPen(Pen::Make(PenStyle::Null, 0, 0));
    Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
    SelectPen(oldPen);
    SelectBrush(oldBrush);
}

void EmfDc::TextOut(int x, int y, const QString& text)
{
    if (finished_ || text.isEmpty()) return;
    const Size ext = GetTextExtent(text);
    // The text's box, turned by the escapement about the reference point.
    const double a = state_.font.escapement / 10.0 * 3.14159265358979323846 / 180.0;
    std::vector<Point> corners;
    for (const auto& [u, v] : {std::pair{0, 0}, {ext.cx, 0}, {0, ext.cy}, {ext.cx, ext.cy}})
        corners.push_back({x + int(std::lround(u * std::cos(a) + v * std::sin(a))),
                           y + int(std::lround(-u * std::sin(a) + v * std::cos(a)))});
    const Rect b = DeviceBounds(corners);
    Touch(b);
    const size_t s = Begin(kExtTextOutW);
    RectL(b);
    U32(1); // compatible graphics mode
    const float scale = float(2540.0 / dpi_);
    F32(scale);
    F32(scale);
    // The text record: reference, count, string offset, options, clip box,
    // offset of the advances.
    const std::uint32_t n = std::uint32_t(text.size());
    const std::uint32_t offString = 76;
    const std::uint32_t offDx = offString + ((n * 2 + 3) & ~3u);
    I32(x);
    I32(y);
    U32(n);
    U32(offString);
    U32(0);
    RectL({0, 0, -1, -1});
    U32(offDx);
    for (QChar c : text) U16(c.unicode());
    while (out_.size() % 4) out_.push_back(0);
    const Font& f = state_.font;
    const int w = f.width > 0 ? f.width : std::max(1, std::abs(f.height) / 2);
    for (QChar c : text) {
        const bool narrow = c.unicode() < 0x100 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F);
        U32(std::uint32_t(narrow ? w : 2 * w));
    }
    End(s);
}

void EmfDc::BeginPath() { Simple(kBeginPath, {}); Dc::BeginPath(); }
void EmfDc::EndPath() { Simple(kEndPath, {}); Dc::EndPath(); }
void EmfDc::CloseFigure() { Simple(kCloseFigure, {}); Dc::CloseFigure(); }
void EmfDc::AbortPath() { Simple(kAbortPath, {}); Dc::AbortPath(); }

namespace {

Rect PathBounds(const DevicePath& path)
{
    Rect r{0, 0, -1, -1};
    bool any = false;
    for (const PathFigure& f : path)
        for (const Point& p : f.points) {
            if (!any) {
                r = {p.x, p.y, p.x, p.y};
                any = true;
            }
            r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x), std::max(r.bottom, p.y)};
        }
    return r;
}

} // namespace

void EmfDc::StrokePath()
{
    const Rect b = PathBounds(TakePath());
    Touch(b);
    Simple(kStrokePath, {b.left, b.top, b.right, b.bottom});
}

void EmfDc::FillPath()
{
    const Rect b = PathBounds(TakePath());
    Touch(b);
    Simple(kFillPath, {b.left, b.top, b.right, b.bottom});
}

void EmfDc::StrokeAndFillPath()
{
    const Rect b = PathBounds(TakePath());
    Touch(b);
    Simple(kStrokeAndFillPath, {b.left, b.top, b.right, b.bottom});
}

void EmfDc::BitBlt(int, int, int, int, const QImage&, int, int, std::uint32_t) {}

void EmfDc::PatBlt(int x, int y, int width, int height, std::uint32_t rop)
{
    if (rop == rop3::PatCopy) FillRect({x, y, x + width, y + height}, state_.brush);
    else if (rop == rop3::Blackness) FillRect({x, y, x + width, y + height}, Brush::Solid(0));
    else if (rop == rop3::Whiteness) FillRect({x, y, x + width, y + height}, Brush::Solid(Rgb(255, 255, 255)));
}

void EmfDc::DrawImage(const Rect& dest, const QImage& image, float colorScale, float opacity)
{
    const Rect d = dest.Normalized();
    if (finished_ || d.IsEmpty() || image.isNull()) return;
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width();
    const int h = src.height();
    Touch(DeviceBounds({{d.left, d.top}, {d.right - 1, d.bottom - 1}}));
    const size_t s = Begin(kStretchDiBits);
    RectL(DeviceBounds({{d.left, d.top}, {d.right - 1, d.bottom - 1}}));
    I32(d.left);
    I32(d.top);
    I32(0);
    I32(0);
    I32(w);
    I32(h);
    U32(80);                          // bitmap header offset
    U32(40);                          // its size
    U32(120);                         // pixels offset
    U32(std::uint32_t(w) * std::uint32_t(h) * 4);
    U32(0);                           // RGB colours
    U32(rop3::SrcCopy);
    I32(d.Width());
    I32(d.Height());
    // Bitmap header: 32 bits per pixel, uncompressed, bottom-up rows.
    U32(40);
    I32(w);
    I32(h);
    U16(1);
    U16(32);
    U32(0);
    U32(std::uint32_t(w) * std::uint32_t(h) * 4);
    I32(0);
    I32(0);
    U32(0);
    U32(0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = row[x];
            // A metafile pixel has no transparency: blend over white.
            const double alpha = qAlpha(c) / 255.0 * opacity;
            auto channel = [&](int v) { return std::uint8_t(std::lround(v * colorScale * alpha + 255 * (1 - alpha))); };
            out_.push_back(channel(qBlue(c)));
            out_.push_back(channel(qGreen(c)));
            out_.push_back(channel(qRed(c)));
            out_.push_back(0);
        }
    }
    End(s);
}

// ---- closing ---------------------------------------------------------------------------

std::vector<std::uint8_t> EmfDc::Finish()
{
    if (finished_) return out_;
    // Back to the stock objects, and every object of ours deleted.
    if (cur_.pen) Simple(kSelectObject, {std::int32_t(kStockBlackPen)});
    if (cur_.brush) Simple(kSelectObject, {std::int32_t(kStockWhiteBrush)});
    if (cur_.font) Simple(kSelectObject, {std::int32_t(kStockSystemFont)});
    cur_ = {};
    savedHandles_.clear();
    for (size_t i = 1; i < used_.size(); ++i)
        if (used_[i]) DeleteNow(std::uint32_t(i));

    const size_t s = Begin(kEof);
    U32(0);  // no palette entries
    U32(16); // their offset
    U32(20); // size of this record, repeated last
    End(s);
    finished_ = true;

    const Rect b = hasBounds_ ? bounds_ : Rect{0, 0, -1, -1};
    const double mmX = width_ * 25.4 / dpi_;
    const double mmY = height_ * 25.4 / dpi_;
    // The frame in hundredths of a millimetre, around the whole pixels.
    const Rect frame = hasBounds_ ? Rect{int(std::lround(b.left * 2540.0 / dpi_)), int(std::lround(b.top * 2540.0 / dpi_)),
                                         int(std::lround((b.right + 1) * 2540.0 / dpi_)),
                                         int(std::lround((b.bottom + 1) * 2540.0 / dpi_))}
                                  : Rect{0, 0, -1, -1};
    std::vector<std::uint8_t> body;
    body.swap(out_);
    out_.clear();
    U32(kHeader);
    U32(108);
    RectL(b);
    RectL(frame);
    U32(0x464D4520);  // " EMF"
    U32(0x00010000);  // version
    U32(std::uint32_t(body.size()));
    U32(records_);
    U16(std::uint16_t(std::min<size_t>(used_.size(), 0xFFFF)));
    U16(0);
    U32(0); // no description
    U32(0);
    U32(0); // no palette
    I32(width_);
    I32(height_);
    I32(int(std::lround(mmX)));
    I32(int(std::lround(mmY)));
    U32(0); // no pixel format
    U32(0);
    U32(0); // not OpenGL
    I32(int(std::lround(mmX * 1000)));
    I32(int(std::lround(mmY * 1000)));
    std::copy(out_.begin(), out_.end(), body.begin());
    out_.swap(body);
    return out_;
}

} // namespace platform

#include "platform/Dc.h"
#include "platform/Encoding.h"

#include "model/DefaultPalette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace platform {

namespace {

int RoundToInt(double v) { return int(std::floor(v + 0.5)); }

} // namespace

COLORREF ResolveColor(COLORREF c)
{
    return ResolvePaletteColour(c);
}

Rect Rect::Normalized() const
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

Rect Rect::Intersected(const Rect& o) const
{
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    if (r.IsEmpty()) return {};
    return r;
}

Rect Rect::United(const Rect& o) const
{
    if (IsEmpty()) return o;
    if (o.IsEmpty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
}

Pen Pen::Make(PenStyle style, int width, COLORREF color)
{
    Pen p;
    p.style = style;
    p.width = std::max(0, width);
    p.color = color;
    return p;
}

Pen Pen::Geometric(PenStyle style, int width, COLORREF color, PenCap cap, PenJoin join)
{
    Pen p;
    p.style = style;
    p.width = std::max(0, width);
    p.color = color;
    p.geometric = true;
    p.cap = cap;
    p.join = join;
    return p;
}

bool HatchBit(HatchStyle hatch, int x, int y)
{
    const int px = x & 7;
    const int py = y & 7;
    switch (hatch) {
    case HatchStyle::Horizontal: return py == 0;
    case HatchStyle::Vertical: return px == 0;
    case HatchStyle::ForwardDiagonal: return px == py;       // falls to the right
    case HatchStyle::BackwardDiagonal: return px + py == 7;  // rises to the right
    case HatchStyle::Cross: return px == 0 || py == 0;
    case HatchStyle::DiagonalCross: return px == py || px + py == 7;
    }
    return false;
}

QString Font::FaceFromCp932(std::string_view bytes) { return FromCp932(bytes); }

std::uint32_t MixRop2(Rop2 rop, std::uint32_t pen, std::uint32_t dst)
{
    // The code minus one is the truth table: bit (2 * P + D) is the result
    // for pen bit P and destination bit D.
    const unsigned table = unsigned(int(rop) - 1) & 0xF;
    std::uint32_t r = 0;
    if (table & 1) r |= ~pen & ~dst;
    if (table & 2) r |= ~pen & dst;
    if (table & 4) r |= pen & ~dst;
    if (table & 8) r |= pen & dst;
    return r;
}

std::uint32_t MixRop3(std::uint32_t rop, std::uint32_t src, std::uint32_t dst, std::uint32_t pat)
{
    switch (rop) {
    case rop3::SrcCopy: return src;
    case rop3::SrcInvert: return src ^ dst;
    case rop3::SrcAnd: return src & dst;
    case rop3::SrcPaint: return src | dst;
    case rop3::NotSrcCopy: return ~src;
    case rop3::DstInvert: return ~dst;
    case rop3::PatCopy: return pat;
    case rop3::PatInvert: return pat ^ dst;
    case rop3::Blackness: return 0;
    case rop3::Whiteness: return 0xFFFFFFFFu;
    default: break;
    }
    // The general case: bit (4 P + 2 S + D) of the operation index.
    const unsigned table = (rop >> 16) & 0xFF;
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(table & (1u << i))) continue;
        const std::uint32_t p = (i & 4) ? pat : ~pat;
        const std::uint32_t s = (i & 2) ? src : ~src;
        const std::uint32_t d = (i & 1) ? dst : ~dst;
        r |= p & s & d;
    }
    return r;
}

// ---- Dc ----------------------------------------------------------------------

Dc::Dc() = default;
Dc::~Dc() = default;

Pen Dc::SelectPen(const Pen& pen)
{
    Pen old = state_.pen;
    state_.pen = pen;
    return old;
}

Brush Dc::SelectBrush(const Brush& brush)
{
    Brush old = state_.brush;
    state_.brush = brush;
    return old;
}

Font Dc::SelectFont(const Font& font)
{
    Font old = state_.font;
    state_.font = font;
    return old;
}

COLORREF Dc::SetTextColor(COLORREF color) { return std::exchange(state_.textColor, color); }
COLORREF Dc::SetBkColor(COLORREF color) { return std::exchange(state_.bkColor, color); }
BkMode Dc::SetBkMode(BkMode mode) { return std::exchange(state_.bkMode, mode); }
Rop2 Dc::SetRop2(Rop2 rop) { return std::exchange(state_.rop2, rop); }
PolyFillMode Dc::SetPolyFillMode(PolyFillMode mode) { return std::exchange(state_.polyFillMode, mode); }
ArcDirection Dc::SetArcDirection(ArcDirection direction) { return std::exchange(state_.arcDirection, direction); }
int Dc::SetTextAlign(int align) { return std::exchange(state_.textAlign, align); }

MapMode Dc::SetMapMode(MapMode mode)
{
    MapMode old = state_.mapMode;
    state_.mapMode = mode;
    if (mode != MapMode::Isotropic && mode != MapMode::Anisotropic) {
        state_.windowExt = {1, 1};
        state_.viewportExt = {1, 1};
    }
    return old;
}

Point Dc::SetWindowOrg(int x, int y) { return std::exchange(state_.windowOrg, Point{x, y}); }
Point Dc::SetViewportOrg(int x, int y) { return std::exchange(state_.viewportOrg, Point{x, y}); }

Size Dc::SetWindowExt(int cx, int cy)
{
    Size old = GetWindowExt();
    if ((state_.mapMode == MapMode::Isotropic || state_.mapMode == MapMode::Anisotropic) && cx != 0 && cy != 0)
        state_.windowExt = {cx, cy};
    return old;
}

Size Dc::SetViewportExt(int cx, int cy)
{
    Size old = GetViewportExt();
    if ((state_.mapMode == MapMode::Isotropic || state_.mapMode == MapMode::Anisotropic) && cx != 0 && cy != 0)
        state_.viewportExt = {cx, cy};
    return old;
}

namespace {

// Device pixels per logical unit along x and y (signed).
struct Scale {
    double x = 1;
    double y = 1;
};

Scale ScaleOf(const DcState& s, const Dc& dc)
{
    const double dpiX = dc.GetDeviceCaps(DeviceCap::LogPixelsX);
    const double dpiY = dc.GetDeviceCaps(DeviceCap::LogPixelsY);
    switch (s.mapMode) {
    case MapMode::Text: return {1, 1};
    case MapMode::LoMetric: return {dpiX / 254.0, -dpiY / 254.0};
    case MapMode::HiMetric: return {dpiX / 2540.0, -dpiY / 2540.0};
    case MapMode::LoEnglish: return {dpiX / 100.0, -dpiY / 100.0};
    case MapMode::HiEnglish: return {dpiX / 1000.0, -dpiY / 1000.0};
    case MapMode::Twips: return {dpiX / 1440.0, -dpiY / 1440.0};
    case MapMode::Anisotropic:
        return {double(s.viewportExt.cx) / s.windowExt.cx, double(s.viewportExt.cy) / s.windowExt.cy};
    case MapMode::Isotropic: {
        const double sx = double(s.viewportExt.cx) / s.windowExt.cx;
        const double sy = double(s.viewportExt.cy) / s.windowExt.cy;
        const double m = std::min(std::fabs(sx), std::fabs(sy));
        return {std::copysign(m, sx), std::copysign(m, sy)};
    }
    }
    return {1, 1};
}

} // namespace

Size Dc::GetWindowExt() const
{
    if (state_.mapMode == MapMode::Text) return {1, 1};
    if (state_.mapMode == MapMode::Isotropic || state_.mapMode == MapMode::Anisotropic) return state_.windowExt;
    const Scale s = ScaleOf(state_, *this);
    // Fixed modes: the extent that maps the device size.
    return {RoundToInt(GetDeviceCaps(DeviceCap::HorzRes) / std::fabs(s.x)),
            RoundToInt(GetDeviceCaps(DeviceCap::VertRes) / std::fabs(s.y))};
}

Size Dc::GetViewportExt() const
{
    if (state_.mapMode == MapMode::Text) return {1, 1};
    if (state_.mapMode == MapMode::Isotropic || state_.mapMode == MapMode::Anisotropic) return state_.viewportExt;
    return {GetDeviceCaps(DeviceCap::HorzRes), -GetDeviceCaps(DeviceCap::VertRes)};
}

Point Dc::LPtoDP(Point p) const
{
    if (state_.mapMode == MapMode::Text)
        return {p.x - state_.windowOrg.x + state_.viewportOrg.x, p.y - state_.windowOrg.y + state_.viewportOrg.y};
    const Scale s = ScaleOf(state_, *this);
    return {RoundToInt((p.x - state_.windowOrg.x) * s.x) + state_.viewportOrg.x,
            RoundToInt((p.y - state_.windowOrg.y) * s.y) + state_.viewportOrg.y};
}

Point Dc::DPtoLP(Point p) const
{
    if (state_.mapMode == MapMode::Text)
        return {p.x - state_.viewportOrg.x + state_.windowOrg.x, p.y - state_.viewportOrg.y + state_.windowOrg.y};
    const Scale s = ScaleOf(state_, *this);
    return {RoundToInt((p.x - state_.viewportOrg.x) / s.x) + state_.windowOrg.x,
            RoundToInt((p.y - state_.viewportOrg.y) / s.y) + state_.windowOrg.y};
}

int Dc::LengthToDevice(int logical) const
{
    if (state_.mapMode == MapMode::Text) return logical;
    return RoundToInt(std::fabs(logical * ScaleOf(state_, *this).x));
}

void Dc::IntersectClipRect(int left, int top, int right, int bottom)
{
    const Point a = LPtoDP({left, top});
    const Point b = LPtoDP({right, bottom});
    const Rect r = Rect{a.x, a.y, b.x, b.y}.Normalized();
    const Rect base = state_.hasClip ? state_.clip : DeviceRect();
    state_.clip = base.Intersected(r);
    state_.hasClip = true;
}

void Dc::ResetClip()
{
    state_.hasClip = false;
    state_.clip = {};
}

Rect Dc::GetClipBox() const
{
    const Rect d = state_.hasClip ? state_.clip : DeviceRect();
    const Point a = DPtoLP({d.left, d.top});
    const Point b = DPtoLP({d.right, d.bottom});
    return Rect{a.x, a.y, b.x, b.y}.Normalized();
}

int Dc::SaveDc()
{
    saved_.push_back(state_);
    return int(saved_.size());
}

bool Dc::RestoreDc(int level)
{
    int index = level < 0 ? int(saved_.size()) + level : level - 1;
    if (index < 0 || index >= int(saved_.size())) return false;
    state_ = saved_[size_t(index)];
    saved_.resize(size_t(index));
    return true;
}

int Dc::GetDeviceCaps(DeviceCap cap) const
{
    const Rect r = DeviceRect();
    switch (cap) {
    case DeviceCap::HorzRes: return r.Width();
    case DeviceCap::VertRes: return r.Height();
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY: return 96;
    case DeviceCap::HorzSize: return RoundToInt(r.Width() * 25.4 / 96.0);
    case DeviceCap::VertSize: return RoundToInt(r.Height() * 25.4 / 96.0);
    }
    return 0;
}

Point Dc::MoveTo(int x, int y)
{
    Point old = state_.currentPos;
    state_.currentPos = {x, y};
    if (pathOpen_) PathMoveTo(LPtoDP({x, y}));
    return old;
}

Size Dc::GetTextExtent(const QString& text) const
{
    // A fixed-pitch estimate: half-width characters take the average width,
    // others twice that. Drawing implementations measure the real font.
    const Font& f = state_.font;
    const int h = f.height == 0 ? 12 : std::abs(f.height);
    const int w = f.width > 0 ? f.width : h / 2;
    int cx = 0;
    for (QChar c : text) cx += c.unicode() < 0x100 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? w : 2 * w;
    return {cx, h};
}

void Dc::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    // Classic rule: the corner ellipse never exceeds the rectangle.
    const double rx = std::min(std::abs(ellipseWidth), right - left) / 2.0;
    const double ry = std::min(std::abs(ellipseHeight), bottom - top) / 2.0;
    if (rx < 1 || ry < 1) {
        Rectangle(left, top, right, bottom);
        return;
    }
    // The bottom-right edge is exclusive, as for Rectangle.
    const double x0 = left + rx, x1 = right - 1 - rx, y0 = top + ry, y1 = bottom - 1 - ry;
    constexpr int Steps = 8;
    std::vector<Point> outline;
    outline.reserve(4 * (Steps + 1));
    const struct {
        double cx, cy, from;
    } corners[4] = {{x1, y0, 0.0}, {x0, y0, 90.0}, {x0, y1, 180.0}, {x1, y1, 270.0}};
    for (const auto& c : corners)
        for (int i = 0; i <= Steps; ++i) {
            const double a = (c.from + 90.0 * i / Steps) * std::numbers::pi / 180.0;
            outline.push_back({static_cast<int>(std::lround(c.cx + rx * std::cos(a))),
                               static_cast<int>(std::lround(c.cy - ry * std::sin(a)))});
        }
    Polygon(outline);
}

void Dc::BeginPath()
{
    pathOpen_ = true;
    pathDone_ = false;
    path_.clear();
}

void Dc::EndPath()
{
    if (!pathOpen_) return;
    pathOpen_ = false;
    pathDone_ = true;
}

void Dc::CloseFigure()
{
    if (pathOpen_ && !path_.empty()) path_.back().closed = true;
}

void Dc::AbortPath()
{
    pathOpen_ = false;
    pathDone_ = false;
    path_.clear();
}

void Dc::BitBlt(int x, int y, int width, int height, const Dc& source, int sx, int sy, std::uint32_t rop)
{
    if (const QImage* img = source.Image()) {
        const Point d = source.LPtoDP({sx, sy});
        BitBlt(x, y, width, height, *img, d.x, d.y, rop);
    }
}

void Dc::PathMoveTo(Point device)
{
    path_.push_back(PathFigure{{device}, false});
}

void Dc::PathLineTo(Point device)
{
    if (path_.empty() || path_.back().closed) path_.push_back(PathFigure{{LPtoDP(state_.currentPos)}, false});
    path_.back().points.push_back(device);
}

void Dc::PathAddFigure(const std::vector<Point>& device, bool closed)
{
    if (device.empty()) return;
    path_.push_back(PathFigure{device, closed});
}

DevicePath Dc::TakePath()
{
    if (!pathDone_) return {};
    pathDone_ = false;
    DevicePath p;
    p.swap(path_);
    return p;
}

// ---- geometry --------------------------------------------------------------------

void FlattenBezier(Point p0, Point p1, Point p2, Point p3, std::vector<Point>& out)
{
    const double len = std::hypot(p1.x - p0.x, p1.y - p0.y) + std::hypot(p2.x - p1.x, p2.y - p1.y) +
                       std::hypot(p3.x - p2.x, p3.y - p2.y);
    const int n = std::clamp(int(len / 3.0) + 1, 1, 1024);
    for (int i = 1; i <= n; ++i) {
        const double t = double(i) / n;
        const double u = 1 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        const Point q{RoundToInt(a * p0.x + b * p1.x + c * p2.x + d * p3.x),
                      RoundToInt(a * p0.y + b * p1.y + c * p2.y + d * p3.y)};
        if (out.empty() || !(out.back() == q) || i == n) out.push_back(q);
    }
}

ArcSpan ArcSpanOf(const Rect& box, Point start, Point end, bool clockwise)
{
    const Rect b = box.Normalized();
    ArcSpan a;
    a.cx = (b.left + b.right - 1) / 2.0;
    a.cy = (b.top + b.bottom - 1) / 2.0;
    a.rx = std::max(0.0, (b.right - b.left - 1) / 2.0);
    a.ry = std::max(0.0, (b.bottom - b.top - 1) / 2.0);
    auto param = [&](Point p) {
        // The ray's direction with y pointing up, then the ellipse parameter
        // of the point where it meets the ellipse.
        const double ux = p.x - a.cx;
        const double uy = a.cy - p.y;
        if (ux == 0 && uy == 0) return 0.0;
        return std::atan2(uy * a.rx, ux * a.ry);
    };
    a.t0 = param(start);
    double t1 = param(end);
    constexpr double kTwoPi = 2 * std::numbers::pi;
    if (!clockwise) {
        while (t1 <= a.t0) t1 += kTwoPi;
    } else {
        while (t1 >= a.t0) t1 -= kTwoPi;
    }
    a.sweep = t1 - a.t0;
    return a;
}

std::vector<Point> ArcPolyline(const Rect& box, Point start, Point end, bool clockwise)
{
    const ArcSpan a = ArcSpanOf(box, start, end, clockwise);
    const double cx = a.cx, cy = a.cy, rx = a.rx, ry = a.ry, t0 = a.t0, sweep = a.sweep;
    const int n = std::clamp(int(std::fabs(sweep) * std::max(rx, ry) / 2.0) + 1, 4, 4000);
    std::vector<Point> pts;
    pts.reserve(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double t = t0 + sweep * i / n;
        const Point q{RoundToInt(cx + rx * std::cos(t)), RoundToInt(cy - ry * std::sin(t))};
        if (pts.empty() || !(pts.back() == q)) pts.push_back(q);
    }
    return pts;
}

} // namespace platform

#include "platform/RecordingDc.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace platform {

std::string DcRecord::ToString() const
{
    std::string s = op + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) s += ",";
        s += std::to_string(args[i]);
    }
    if (!text.isNull()) {
        if (!args.empty()) s += ",";
        s += '"';
        s += text.toStdString();
        s += '"';
    }
    return s + ")";
}

RecordingDc::RecordingDc(int width, int height, int dpi, bool printing)
    : width_(width), height_(height), dpi_(dpi), printing_(printing)
{
}

std::vector<std::string> RecordingDc::Lines() const
{
    std::vector<std::string> out;
    out.reserve(records_.size());
    for (const DcRecord& r : records_) out.push_back(r.ToString());
    return out;
}

int RecordingDc::Count(const std::string& op) const
{
    return int(std::count_if(records_.begin(), records_.end(), [&](const DcRecord& r) { return r.op == op; }));
}

int RecordingDc::GetDeviceCaps(DeviceCap cap) const
{
    switch (cap) {
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY: return dpi_;
    case DeviceCap::HorzSize: return int(std::lround(width_ * 25.4 / dpi_));
    case DeviceCap::VertSize: return int(std::lround(height_ * 25.4 / dpi_));
    default: return Dc::GetDeviceCaps(cap);
    }
}

void RecordingDc::Add(std::string op, std::vector<long long> args, QString text)
{
    records_.push_back({std::move(op), std::move(args), std::move(text)});
}

std::vector<long long> RecordingDc::Flat(const std::vector<Point>& points)
{
    std::vector<long long> v;
    v.reserve(points.size() * 2);
    for (const Point& p : points) {
        v.push_back(p.x);
        v.push_back(p.y);
    }
    return v;
}

Pen RecordingDc::SelectPen(const Pen& pen)
{
    Add("SelectPen", {int(pen.style), pen.width, pen.color, pen.geometric, int(pen.cap), int(pen.join)});
    return Dc::SelectPen(pen);
}

Brush RecordingDc::SelectBrush(const Brush& brush)
{
    Add("SelectBrush", {int(brush.style), brush.color, int(brush.hatch)});
    return Dc::SelectBrush(brush);
}

Font RecordingDc::SelectFont(const Font& f)
{
    Add("SelectFont", {f.height, f.width, f.escapement, f.orientation, f.weight, f.italic, f.charSet, f.pitchAndFamily},
        f.face);
    return Dc::SelectFont(f);
}

COLORREF RecordingDc::SetTextColor(COLORREF c) { Add("SetTextColor", {c}); return Dc::SetTextColor(c); }
COLORREF RecordingDc::SetBkColor(COLORREF c) { Add("SetBkColor", {c}); return Dc::SetBkColor(c); }
BkMode RecordingDc::SetBkMode(BkMode m) { Add("SetBkMode", {int(m)}); return Dc::SetBkMode(m); }
Rop2 RecordingDc::SetRop2(Rop2 r) { Add("SetRop2", {int(r)}); return Dc::SetRop2(r); }
PolyFillMode RecordingDc::SetPolyFillMode(PolyFillMode m) { Add("SetPolyFillMode", {int(m)}); return Dc::SetPolyFillMode(m); }
ArcDirection RecordingDc::SetArcDirection(ArcDirection d) { Add("SetArcDirection", {int(d)}); return Dc::SetArcDirection(d); }
int RecordingDc::SetTextAlign(int a) { Add("SetTextAlign", {a}); return Dc::SetTextAlign(a); }
MapMode RecordingDc::SetMapMode(MapMode m) { Add("SetMapMode", {int(m)}); return Dc::SetMapMode(m); }
Point RecordingDc::SetWindowOrg(int x, int y) { Add("SetWindowOrg", {x, y}); return Dc::SetWindowOrg(x, y); }
Size RecordingDc::SetWindowExt(int cx, int cy) { Add("SetWindowExt", {cx, cy}); return Dc::SetWindowExt(cx, cy); }
Point RecordingDc::SetViewportOrg(int x, int y) { Add("SetViewportOrg", {x, y}); return Dc::SetViewportOrg(x, y); }
Size RecordingDc::SetViewportExt(int cx, int cy) { Add("SetViewportExt", {cx, cy}); return Dc::SetViewportExt(cx, cy); }

void RecordingDc::IntersectClipRect(int l, int t, int r, int b)
{
    Add("IntersectClipRect", {l, t, r, b});
    Dc::IntersectClipRect(l, t, r, b);
}

void RecordingDc::ResetClip()
{
    Add("ResetClip", {});
    Dc::ResetClip();
}

int RecordingDc::SaveDc()
{
    Add("SaveDc", {});
    return Dc::SaveDc();
}

bool RecordingDc::RestoreDc(int level)
{
    Add("RestoreDc", {level});
    return Dc::RestoreDc(level);
}

Point RecordingDc::MoveTo(int x, int y)
{
    Add("MoveTo", {x, y});
    return Dc::MoveTo(x, y);
}

void RecordingDc::LineTo(int x, int y)
{
    Add("LineTo", {x, y});
    if (InPath()) PathLineTo(LPtoDP({x, y}));
    state_.currentPos = {x, y};
}

void RecordingDc::Polyline(const std::vector<Point>& points) { Add("Polyline", Flat(points)); }

void RecordingDc::PolylineTo(const std::vector<Point>& points)
{
    Add("PolylineTo", Flat(points));
    if (!points.empty()) state_.currentPos = points.back();
}

void RecordingDc::Polygon(const std::vector<Point>& points) { Add("Polygon", Flat(points)); }
void RecordingDc::Rectangle(int l, int t, int r, int b) { Add("Rectangle", {l, t, r, b}); }
void RecordingDc::Ellipse(int l, int t, int r, int b) { Add("Ellipse", {l, t, r, b}); }

void RecordingDc::Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    Add("Arc", {l, t, r, b, xs, ys, xe, ye});
}

void RecordingDc::Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    Add("Pie", {l, t, r, b, xs, ys, xe, ye});
}

void RecordingDc::Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    Add("Chord", {l, t, r, b, xs, ys, xe, ye});
}

void RecordingDc::PolyBezier(const std::vector<Point>& points) { Add("PolyBezier", Flat(points)); }

void RecordingDc::PolyBezierTo(const std::vector<Point>& points)
{
    Add("PolyBezierTo", Flat(points));
    if (points.size() >= 3) state_.currentPos = points[(points.size() / 3) * 3 - 1];
}

void RecordingDc::SetPixel(int x, int y, COLORREF c) { Add("SetPixel", {x, y, c}); }

void RecordingDc::FillRect(const Rect& r, const Brush& b)
{
    Add("FillRect", {r.left, r.top, r.right, r.bottom, int(b.style), b.color, int(b.hatch)});
}

void RecordingDc::TextOut(int x, int y, const QString& text) { Add("TextOut", {x, y}, text); }

void RecordingDc::BeginPath() { Add("BeginPath", {}); Dc::BeginPath(); }
void RecordingDc::EndPath() { Add("EndPath", {}); Dc::EndPath(); }
void RecordingDc::CloseFigure() { Add("CloseFigure", {}); Dc::CloseFigure(); }
void RecordingDc::AbortPath() { Add("AbortPath", {}); Dc::AbortPath(); }
void RecordingDc::StrokePath() { Add("StrokePath", {}); TakePath(); }
void RecordingDc::FillPath() { Add("FillPath", {}); TakePath(); }
void RecordingDc::StrokeAndFillPath() { Add("StrokeAndFillPath", {}); TakePath(); }

void RecordingDc::BitBlt(int x, int y, int w, int h, const QImage& source, int sx, int sy, std::uint32_t rop)
{
    Add("BitBlt", {x, y, w, h, source.width(), source.height(), sx, sy, rop});
}

void RecordingDc::PatBlt(int x, int y, int w, int h, std::uint32_t rop) { Add("PatBlt", {x, y, w, h, rop}); }

void RecordingDc::DrawImage(const Rect& d, const QImage& image, float colorScale, float opacity)
{
    Add("DrawImage", {d.left, d.top, d.right, d.bottom, image.width(), image.height(),
                      std::lround(colorScale * 100), std::lround(opacity * 100)});
}

} // namespace platform

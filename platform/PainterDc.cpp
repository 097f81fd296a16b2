#include "platform/PainterDc.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainterPath>

#include <algorithm>
#include <numbers>
#include <cmath>

namespace platform {

namespace {

QColor ToQColor(COLORREF c)
{
    c = ResolveColor(c);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QPainter::CompositionMode CompositionFor(Rop2 rop)
{
    switch (rop) {
    case Rop2::NotXorPen: return QPainter::RasterOp_NotSourceXorDestination;
    case Rop2::XorPen: return QPainter::RasterOp_SourceXorDestination;
    case Rop2::Not: return QPainter::RasterOp_NotDestination;
    case Rop2::MaskPen: return QPainter::RasterOp_SourceAndDestination;
    case Rop2::MergePen: return QPainter::RasterOp_SourceOrDestination;
    case Rop2::NotCopyPen: return QPainter::RasterOp_NotSource;
    case Rop2::Black: return QPainter::CompositionMode_Clear;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

QPolygon ToQPolygon(const std::vector<Point>& pts)
{
    QPolygon poly;
    poly.reserve(qsizetype(pts.size()));
    for (const Point& p : pts) poly << QPoint(p.x, p.y);
    return poly;
}

// The hatch as an 8 x 8 texture: lines in the brush colour, the rest in the
// background colour or transparent.
QImage HatchTexture(HatchStyle hatch, COLORREF color, bool opaque, COLORREF background)
{
    QImage tex(8, 8, QImage::Format_ARGB32);
    const QRgb on = ToQColor(color).rgb();
    const QRgb off = opaque ? ToQColor(background).rgb() : qRgba(0, 0, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) tex.setPixel(x, y, HatchBit(hatch, x, y) ? on : off);
    return tex;
}

std::vector<Point> BoxCorners(const Rect& r)
{
    return {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
}

} // namespace

PainterDc::PainterDc(QImage& image) : image_(&image), device_(&image)
{
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_RGB32);
}

PainterDc::PainterDc(QPaintDevice& device) : device_(&device)
{
    printing_ = device.devType() == QInternal::Printer;
}

PainterDc::~PainterDc() { Flush(); }

void PainterDc::Flush()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

Rect PainterDc::DeviceRect() const { return {0, 0, device_->width(), device_->height()}; }

int PainterDc::GetDeviceCaps(DeviceCap cap) const
{
    switch (cap) {
    case DeviceCap::HorzRes: return device_->width();
    case DeviceCap::VertRes: return device_->height();
    case DeviceCap::LogPixelsX: return device_->logicalDpiX();
    case DeviceCap::LogPixelsY: return device_->logicalDpiY();
    case DeviceCap::HorzSize: return device_->widthMM();
    case DeviceCap::VertSize: return device_->heightMM();
    }
    return 0;
}

Rect PainterDc::ClipRect() const
{
    const Rect dev = DeviceRect();
    return state_.hasClip ? state_.clip.Intersected(dev) : dev;
}

ImageRaster PainterDc::MakeRaster() const { return ImageRaster(*image_, ClipRect()); }

std::vector<Point> PainterDc::ToDevice(const std::vector<Point>& points) const
{
    std::vector<Point> out;
    out.reserve(points.size());
    for (const Point& p : points) out.push_back(LPtoDP(p));
    return out;
}

Rect PainterDc::BoxToDevice(int left, int top, int right, int bottom) const
{
    const Point a = LPtoDP({left, top});
    const Point b = LPtoDP({right, bottom});
    return Rect{a.x, a.y, b.x, b.y}.Normalized();
}

FillSpec PainterDc::BrushFill(const Brush& brush) const
{
    FillSpec f;
    f.color = ToPixel(brush.color);
    f.hatched = brush.style == BrushStyle::Hatched;
    f.hatch = brush.hatch;
    f.opaqueBackground = state_.bkMode == BkMode::Opaque;
    f.background = ToPixel(state_.bkColor);
    return f;
}

std::int64_t PainterDc::GapColor() const
{
    return state_.bkMode == BkMode::Opaque ? std::int64_t(ToPixel(state_.bkColor)) : -1;
}

QPen PainterDc::QtPen() const
{
    const Pen& pen = state_.pen;
    QPen qp(ToQColor(pen.color));
    if (pen.IsCosmetic()) {
        qp.setWidth(0);
        qp.setCosmetic(true);
        const DashPattern d = CosmeticDashes(pen.style);
        if (d.count) {
            QList<qreal> pattern;
            for (int i = 0; i < d.count; ++i) pattern << d.runs[i];
            qp.setDashPattern(pattern);
        }
        qp.setCapStyle(Qt::FlatCap);
    } else {
        qp.setWidth(std::max(1, LengthToDevice(pen.width)));
        switch (pen.style) {
        case PenStyle::Dash: qp.setStyle(Qt::DashLine); break;
        case PenStyle::Dot: qp.setStyle(Qt::DotLine); break;
        case PenStyle::DashDot: qp.setStyle(Qt::DashDotLine); break;
        case PenStyle::DashDotDot: qp.setStyle(Qt::DashDotDotLine); break;
        default: qp.setStyle(Qt::SolidLine); break;
        }
        qp.setCapStyle(pen.cap == PenCap::Flat ? Qt::FlatCap : pen.cap == PenCap::Square ? Qt::SquareCap : Qt::RoundCap);
        qp.setJoinStyle(pen.join == PenJoin::Miter ? Qt::MiterJoin : pen.join == PenJoin::Bevel ? Qt::BevelJoin : Qt::RoundJoin);
    }
    return qp;
}

QPainter& PainterDc::Painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(device_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    return *painter_;
}

void PainterDc::PreparePainter(QPainter& p, bool forText)
{
    // Only what differs is set: every change of clip or mode costs a vector
    // device (a PDF page, a printer) a state save and restore of its own.
    if (!p.transform().isIdentity())
        p.resetTransform();
    if (state_.hasClip) {
        const Rect c = state_.clip;
        const QRect clip(c.left, c.top, c.Width(), c.Height());
        if (!p.hasClipping() || !appliedClip_ || *appliedClip_ != clip) {
            p.setClipRect(clip);
            appliedClip_ = clip;
        }
    } else if (p.hasClipping()) {
        p.setClipping(false);
        appliedClip_.reset();
    }
    const bool rasterOps = device_->devType() == QInternal::Image || device_->devType() == QInternal::Pixmap;
    const QPainter::CompositionMode mode =
        forText || !rasterOps ? QPainter::CompositionMode_SourceOver : CompositionFor(state_.rop2);
    if (p.compositionMode() != mode)
        p.setCompositionMode(mode);
    if (p.brushOrigin() != QPoint(0, 0))
        p.setBrushOrigin(0, 0);
}

void PainterDc::Touch(const Rect& device)
{
    // Grown by the pen on every side; right and bottom are exclusive.
    const int w = state_.pen.IsCosmetic() ? 1 : LengthToDevice(state_.pen.width) / 2 + 2;
    const Rect r = device.Normalized();
    touched_ = touched_.United({r.left - w, r.top - w, r.right + w + 1, r.bottom + w + 1});
}

void PainterDc::TouchPoints(const std::vector<Point>& device)
{
    if (device.empty()) return;
    Rect r{device[0].x, device[0].y, device[0].x, device[0].y};
    for (const Point& p : device)
        r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x), std::max(r.bottom, p.y)};
    Touch(r);
}

// ---- outline and fill --------------------------------------------------------------

QPainter& PainterDc::PenPainter()
{
    QPainter& p = Painter();
    PreparePainter(p, false);
    p.setPen(QtPen());
    p.setBrush(Qt::NoBrush);
    if (state_.bkMode == BkMode::Opaque && p.background().color() != ToQColor(state_.bkColor))
        p.setBackground(ToQColor(state_.bkColor));
    const Qt::BGMode bgMode = state_.bkMode == BkMode::Opaque ? Qt::OpaqueMode : Qt::TransparentMode;
    if (p.backgroundMode() != bgMode)
        p.setBackgroundMode(bgMode);
    return p;
}

void PainterDc::Stroke(const std::vector<Point>& pts, bool closed)
{
    const Pen& pen = state_.pen;
    if (pen.style == PenStyle::Null || pts.empty()) return;
    TouchPoints(pts);
    if (CosmeticRaster()) {
        ImageRaster r = MakeRaster();
        const DashPattern d = CosmeticDashes(pen.style);
        if (closed && pts.size() > 1) {
            std::vector<Point> ring(pts);
            ring.push_back(pts.front());
            r.Polyline(ring, ToPixel(pen.color), state_.rop2, d, GapColor());
        } else {
            r.Polyline(pts, ToPixel(pen.color), state_.rop2, d, GapColor());
        }
        return;
    }
    QPainter& p = PenPainter();
    const QPolygon poly = ToQPolygon(pts);
    if (pts.size() == 1) {
        p.drawPoint(poly.first());
    } else if (closed) {
        p.drawPolygon(poly);
    } else {
        p.drawPolyline(poly);
    }
}

void PainterDc::FillWithBrush(const std::vector<std::vector<Point>>& contours, const Brush& brush, Rop2 rop)
{
    if (brush.style == BrushStyle::Null) return;
    for (const auto& c : contours) TouchPoints(c);
    if (Raster()) {
        MakeRaster().FillContours(contours, state_.polyFillMode == PolyFillMode::Winding, BrushFill(brush), rop);
        return;
    }
    QPainterPath path;
    path.setFillRule(state_.polyFillMode == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    for (const auto& c : contours) {
        if (c.size() < 2) continue;
        path.addPolygon(QPolygonF(ToQPolygon(c)));
        path.closeSubpath();
    }
    QPainter& p = Painter();
    PreparePainter(p, false);
    p.setPen(Qt::NoPen);
    if (brush.style == BrushStyle::Hatched)
        p.setBrush(QBrush(HatchTexture(brush.hatch, brush.color, state_.bkMode == BkMode::Opaque, state_.bkColor)));
    else
        p.setBrush(ToQColor(brush.color));
    p.drawPath(path);
}

void PainterDc::Fill(const std::vector<std::vector<Point>>& contours)
{
    FillWithBrush(contours, state_.brush, state_.rop2);
}

// ---- lines ------------------------------------------------------------------------

Point PainterDc::MoveTo(int x, int y)
{
    linePhase_.Reset(CosmeticDashes(state_.pen.style));
    return Dc::MoveTo(x, y);
}

void PainterDc::LineTo(int x, int y)
{
    const Point from = LPtoDP(state_.currentPos);
    const Point to = LPtoDP({x, y});
    state_.currentPos = {x, y};
    if (InPath()) {
        PathLineTo(to);
        return;
    }
    if (state_.pen.style == PenStyle::Null) return;
    if (CosmeticRaster()) {
        TouchPoints({from, to});
        const DashPattern d = CosmeticDashes(state_.pen.style);
        if (d.count && linePhase_.remaining <= 0) linePhase_.Reset(d);
        MakeRaster().Line(from, to, ToPixel(state_.pen.color), state_.rop2, d, linePhase_, GapColor());
        return;
    }
    Stroke({from, to}, false);
}

void PainterDc::Polyline(const std::vector<Point>& points)
{
    if (points.empty()) return;
    const auto dev = ToDevice(points);
    if (InPath()) {
        PathAddFigure(dev, false);
        return;
    }
    Stroke(dev, false);
}

void PainterDc::PolylineTo(const std::vector<Point>& points)
{
    if (points.empty()) return;
    std::vector<Point> dev{LPtoDP(state_.currentPos)};
    for (const Point& p : points) dev.push_back(LPtoDP(p));
    state_.currentPos = points.back();
    if (InPath()) {
        for (size_t i = 1; i < dev.size(); ++i) PathLineTo(dev[i]);
        return;
    }
    Stroke(dev, false);
}

void PainterDc::Polygon(const std::vector<Point>& points)
{
    if (points.size() < 2) return;
    const auto dev = ToDevice(points);
    if (InPath()) {
        PathAddFigure(dev, true);
        return;
    }
    Fill({dev});
    Stroke(dev, true);
}

void PainterDc::PolyBezier(const std::vector<Point>& points)
{
    if (points.size() < 4) return;
    const auto dev = ToDevice(points);
    std::vector<Point> flat{dev.front()};
    for (size_t i = 1; i + 2 < dev.size(); i += 3) FlattenBezier(dev[i - 1], dev[i], dev[i + 1], dev[i + 2], flat);
    if (InPath()) {
        PathAddFigure(flat, false);
        return;
    }
    Stroke(flat, false);
}

void PainterDc::PolyBezierTo(const std::vector<Point>& points)
{
    if (points.size() < 3) return;
    std::vector<Point> dev{LPtoDP(state_.currentPos)};
    for (const Point& p : points) dev.push_back(LPtoDP(p));
    state_.currentPos = points[(points.size() / 3) * 3 - 1];
    std::vector<Point> flat;
    for (size_t i = 1; i + 2 < dev.size(); i += 3) FlattenBezier(dev[i - 1], dev[i], dev[i + 1], dev[i + 2], flat);
    if (InPath()) {
        for (const Point& p : flat) PathLineTo(p);
        return;
    }
    flat.insert(flat.begin(), dev.front());
    Stroke(flat, false);
}

// ---- closed figures -------------------------------------------------------------

void PainterDc::Rectangle(int left, int top, int right, int bottom)
{
    const Rect b = BoxToDevice(left, top, right, bottom);
    if (b.Width() < 1 || b.Height() < 1) return;
    // The outline runs through the last included column and row.
    const Rect edge{b.left, b.top, b.right - 1, b.bottom - 1};
    if (InPath()) {
        PathAddFigure(BoxCorners(edge), true);
        return;
    }
    const bool noPen = state_.pen.style == PenStyle::Null;
    if (noPen) {
        // Without a pen the brush covers the box less one column and row.
        Fill({BoxCorners(edge)});
        return;
    }
    if (CosmeticRaster()) {
        if (b.Width() > 2 && b.Height() > 2) Fill({BoxCorners({b.left + 1, b.top + 1, b.right - 1, b.bottom - 1})});
        if (b.Width() == 1 || b.Height() == 1) {
            // A one-pixel-thin box: its pixels once each.
            FillWithBrush({BoxCorners(b)}, Brush::Solid(state_.pen.color), state_.rop2);
            return;
        }
        Stroke(BoxCorners(edge), true);
        return;
    }
    Fill({BoxCorners(edge)});
    Stroke(BoxCorners(edge), true);
}

void PainterDc::Ellipse(int left, int top, int right, int bottom)
{
    const Rect b = BoxToDevice(left, top, right, bottom);
    if (b.Width() < 1 || b.Height() < 1) return;
    const Point east{b.right + 1, (b.top + b.bottom - 1) / 2};
    if (InPath()) {
        PathAddFigure(ArcPolyline(b, east, east, false), true);
        return;
    }
    if (Raster() && (state_.pen.IsCosmetic() || state_.pen.style == PenStyle::Null)) {
        Touch(b);
        const FillSpec fill = BrushFill(state_.brush);
        const bool brush = state_.brush.style != BrushStyle::Null;
        MakeRaster().Ellipse(b, brush ? &fill : nullptr, state_.pen.style != PenStyle::Null,
                             ToPixel(state_.pen.color), state_.rop2, CosmeticDashes(state_.pen.style), GapColor());
        return;
    }
    auto ring = ArcPolyline(b, east, east, false);
    Fill({ring});
    Stroke(ring, true);
}

void PainterDc::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    const Rect b = BoxToDevice(left, top, right, bottom);
    if (b.Width() < 1 || b.Height() < 1) return;
    const Point s = LPtoDP({xStart, yStart});
    const Point e = LPtoDP({xEnd, yEnd});
    const bool clockwise = state_.arcDirection == ArcDirection::Clockwise;
    if (InPath()) {
        PathAddFigure(ArcPolyline(b, s, e, clockwise), false);
        return;
    }
    if (state_.pen.style == PenStyle::Null) return;
    if (CosmeticRaster()) {
        Touch(b);
        const DashPattern d = CosmeticDashes(state_.pen.style);
        DashPhase phase;
        phase.Reset(d);
        MakeRaster().Arc(b, s, e, clockwise, ToPixel(state_.pen.color), state_.rop2, d, phase, GapColor());
        return;
    }
    if (!Raster()) {
        // A printer or a PDF page takes the arc as curves, not as a polyline
        // of its own fine device units.
        Touch(b);
        const ArcSpan a = ArcSpanOf(b, s, e, clockwise);
        const QRectF ellipse(a.cx - a.rx, a.cy - a.ry, 2 * a.rx, 2 * a.ry);
        const double start = a.t0 * 180.0 / std::numbers::pi, sweep = a.sweep * 180.0 / std::numbers::pi;
        QPainterPath path;
        path.arcMoveTo(ellipse, start);
        path.arcTo(ellipse, start, sweep);
        PenPainter().drawPath(path);
        return;
    }
    Stroke(ArcPolyline(b, s, e, clockwise), false);
}

void PainterDc::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    const Rect b = BoxToDevice(left, top, right, bottom);
    if (b.Width() < 1 || b.Height() < 1) return;
    auto ring = ArcPolyline(b, LPtoDP({xStart, yStart}), LPtoDP({xEnd, yEnd}),
                            state_.arcDirection == ArcDirection::Clockwise);
    ring.push_back({(b.left + b.right - 1) / 2, (b.top + b.bottom - 1) / 2});
    if (InPath()) {
        PathAddFigure(ring, true);
        return;
    }
    Fill({ring});
    Stroke(ring, true);
}

void PainterDc::Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    const Rect b = BoxToDevice(left, top, right, bottom);
    if (b.Width() < 1 || b.Height() < 1) return;
    auto ring = ArcPolyline(b, LPtoDP({xStart, yStart}), LPtoDP({xEnd, yEnd}),
                            state_.arcDirection == ArcDirection::Clockwise);
    if (InPath()) {
        PathAddFigure(ring, true);
        return;
    }
    Fill({ring});
    Stroke(ring, true);
}

// ---- paths ------------------------------------------------------------------------

void PainterDc::StrokePath()
{
    for (const PathFigure& f : TakePath()) Stroke(f.points, f.closed);
}

void PainterDc::FillPath()
{
    std::vector<std::vector<Point>> contours;
    for (PathFigure& f : TakePath()) contours.push_back(std::move(f.points));
    Fill(contours);
}

void PainterDc::StrokeAndFillPath()
{
    const DevicePath path = TakePath();
    std::vector<std::vector<Point>> contours;
    for (const PathFigure& f : path) contours.push_back(f.points);
    Fill(contours);
    for (const PathFigure& f : path) Stroke(f.points, true);
}

// ---- pixels and blits ----------------------------------------------------------

void PainterDc::SetPixel(int x, int y, COLORREF color)
{
    const Point d = LPtoDP({x, y});
    Touch({d.x, d.y, d.x, d.y});
    if (Raster()) {
        MakeRaster().Plot(d.x, d.y, ToPixel(color), Rop2::CopyPen);
        return;
    }
    QPainter& p = Painter();
    PreparePainter(p, true);
    p.setPen(QPen(ToQColor(color), 0));
    p.drawPoint(d.x, d.y);
}

void PainterDc::FillRect(const Rect& rect, const Brush& brush)
{
    const Rect b = BoxToDevice(rect.left, rect.top, rect.right, rect.bottom);
    if (b.IsEmpty()) return;
    FillWithBrush({BoxCorners(b)}, brush, Rop2::CopyPen);
}

void PainterDc::BitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy, std::uint32_t rop)
{
    const Rect dest = BoxToDevice(x, y, x + width, y + height);
    const int w = dest.Width();
    const int h = dest.Height();
    if (w <= 0 || h <= 0) return;
    Touch({dest.left, dest.top, dest.right - 1, dest.bottom - 1});
    if (Raster()) {
        QImage src = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                         ? source
                         : source.convertToFormat(QImage::Format_RGB32);
        const Rect clip = ClipRect();
        const FillSpec pat = BrushFill(state_.brush);
        const std::int64_t stride = image_->bytesPerLine();
        uchar* bits = image_->bits();
        for (int j = 0; j < h; ++j) {
            const int dy = dest.top + j;
            const int syy = sy + j;
            if (dy < clip.top || dy >= clip.bottom || syy < 0 || syy >= src.height()) continue;
            auto* drow = reinterpret_cast<std::uint32_t*>(bits + dy * stride);
            const auto* srow = reinterpret_cast<const std::uint32_t*>(src.constScanLine(syy));
            for (int i = 0; i < w; ++i) {
                const int dx = dest.left + i;
                const int sxx = sx + i;
                if (dx < clip.left || dx >= clip.right || sxx < 0 || sxx >= src.width()) continue;
                std::uint32_t p = pat.color;
                if (pat.hatched && !HatchBit(pat.hatch, dx, dy)) p = pat.background;
                drow[dx] = 0xFF000000u | (MixRop3(rop, srow[sxx] & 0x00FFFFFFu, drow[dx], p) & 0x00FFFFFFu);
            }
        }
        return;
    }
    QPainter& p = Painter();
    PreparePainter(p, true);
    if (rop == rop3::SrcInvert) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(QPoint(dest.left, dest.top), source, QRect(sx, sy, w, h));
}

void PainterDc::PatBlt(int x, int y, int width, int height, std::uint32_t rop)
{
    const Rect dest = BoxToDevice(x, y, x + width, y + height);
    if (dest.IsEmpty()) return;
    Touch({dest.left, dest.top, dest.right - 1, dest.bottom - 1});
    if (Raster()) {
        const Rect r = dest.Intersected(ClipRect());
        const FillSpec pat = BrushFill(state_.brush);
        for (int yy = r.top; yy < r.bottom; ++yy) {
            auto* row = reinterpret_cast<std::uint32_t*>(image_->scanLine(yy));
            for (int xx = r.left; xx < r.right; ++xx) {
                std::uint32_t p = pat.color;
                if (pat.hatched && !HatchBit(pat.hatch, xx, yy)) p = pat.background;
                row[xx] = 0xFF000000u | (MixRop3(rop, 0, row[xx], p) & 0x00FFFFFFu);
            }
        }
        return;
    }
    if (rop == rop3::PatCopy) FillWithBrush({BoxCorners(dest)}, state_.brush, Rop2::CopyPen);
    else if (rop == rop3::Blackness) FillWithBrush({BoxCorners(dest)}, Brush::Solid(0), Rop2::CopyPen);
    else if (rop == rop3::Whiteness) FillWithBrush({BoxCorners(dest)}, Brush::Solid(Rgb(255, 255, 255)), Rop2::CopyPen);
}

void PainterDc::DrawImage(const Rect& dest, const QImage& image, float colorScale, float opacity)
{
    const Rect d = BoxToDevice(dest.left, dest.top, dest.right, dest.bottom);
    if (d.IsEmpty() || image.isNull()) return;
    Touch({d.left, d.top, d.right - 1, d.bottom - 1});
    QImage src = image;
    if (colorScale != 1.0f) {
        src = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < src.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(src.scanLine(y));
            for (int x = 0; x < src.width(); ++x) {
                const QRgb c = row[x];
                row[x] = qRgba(int(qRed(c) * colorScale), int(qGreen(c) * colorScale), int(qBlue(c) * colorScale),
                               qAlpha(c));
            }
        }
    }
    QPainter& p = Painter();
    PreparePainter(p, true);
    p.setOpacity(opacity);
    p.drawImage(QRect(d.left, d.top, d.Width(), d.Height()), src);
    p.setOpacity(1.0);
}

// ---- text -------------------------------------------------------------------------

const PainterDc::RealizedFont& PainterDc::Realize() const
{
    const Font& f = state_.font;
    const int deviceHeight = LengthToDevice(f.height);
    if (fontKey_ && fontKey_->first == f && fontKey_->second == deviceHeight) return font_;
    QFont q;
    if (!f.face.isEmpty()) q.setFamilies({f.face});
    q.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    q.setHintingPreference(QFont::PreferFullHinting);
    if (f.weight > 0) q.setWeight(QFont::Weight(std::clamp(f.weight, 1, 1000)));
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeOut);
    if (f.pitchAndFamily & 1) q.setFixedPitch(true);
    int em = deviceHeight == 0 ? 16 : std::abs(deviceHeight);
    if (deviceHeight > 0) {
        // A positive height is the cell: ascent plus descent.
        QFont probe(q);
        probe.setPixelSize(100);
        QFontMetricsF m(probe);
        const double cell = m.ascent() + m.descent();
        if (cell > 0) em = std::max(1, int(std::lround(deviceHeight * 100.0 / cell)));
    }
    q.setPixelSize(em);
    if (f.width > 0) {
        const int deviceWidth = std::max(1, LengthToDevice(f.width));
        QFontMetricsF m(q);
        const double avg = m.horizontalAdvance(QLatin1Char('x')) > 0 ? m.horizontalAdvance(QLatin1Char('x')) : em / 2.0;
        q.setStretch(std::clamp(int(std::lround(100.0 * deviceWidth / avg)), 1, 4000));
    }
    QFontMetricsF m(q);
    font_ = {q, m.ascent(), m.descent()};
    fontKey_ = {f, deviceHeight};
    return font_;
}

Size PainterDc::GetTextExtent(const QString& text) const
{
    const RealizedFont& rf = Realize();
    QFontMetricsF m(rf.font);
    const Point o = DPtoLP({0, 0});
    const Point e = DPtoLP({int(std::lround(m.horizontalAdvance(text))), int(std::lround(rf.ascent + rf.descent))});
    return {std::abs(e.x - o.x), std::abs(e.y - o.y)};
}

void PainterDc::TextOut(int x, int y, const QString& text)
{
    if (InPath() || text.isEmpty()) return;
    const int align = state_.textAlign;
    Point ref{x, y};
    if (align & textalign::UpdateCp) ref = state_.currentPos;
    const Point d = LPtoDP(ref);
    const RealizedFont& rf = Realize();
    QPainter& p = Painter();
    PreparePainter(p, true);
    p.setFont(rf.font);
    QFontMetricsF m(rf.font);
    const double width = m.horizontalAdvance(text);
    {
        // Whatever the alignment and turn, the text lies within this square.
        const int reach = int(std::ceil(width + rf.ascent + rf.descent)) + 2;
        Touch({d.x - reach, d.y - reach, d.x + reach, d.y + reach});
    }
    double dx = 0;
    if ((align & textalign::Center) == textalign::Center) dx = -width / 2;
    else if (align & textalign::Right) dx = -width;
    double baseline = rf.ascent;
    if ((align & textalign::Baseline) == textalign::Baseline) baseline = 0;
    else if (align & textalign::Bottom) baseline = -rf.descent;
    p.translate(d.x, d.y);
    if (state_.font.escapement != 0) p.rotate(-state_.font.escapement / 10.0);
    if (state_.bkMode == BkMode::Opaque)
        p.fillRect(QRectF(dx, baseline - rf.ascent, width, rf.ascent + rf.descent), ToQColor(state_.bkColor));
    p.setPen(ToQColor(state_.textColor));
    p.drawText(QPointF(dx, baseline), text);
    p.resetTransform();
    if (align & textalign::UpdateCp) {
        const Size ext = GetTextExtent(text);
        state_.currentPos.x += ext.cx;
    }
}

} // namespace platform

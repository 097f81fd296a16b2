// A device context that draws with Qt, antialiasing off.
//
// On a 32-bit QImage the one-pixel lines, fills, ellipses and arcs are
// rasterised here pixel by pixel (exact end-pixel rules and raster mixes);
// text, wide pens and images go through QPainter. On any other paint device
// (QPixmap, QPrinter) everything goes through QPainter.
#pragma once

#include "platform/Dc.h"
#include "platform/Raster.h"

#include <QFont>
#include <QPainter>

#include <memory>
#include <optional>

class QPaintDevice;

namespace platform {

class PainterDc : public Dc {
public:
    // The image is drawn into directly; it is turned into Format_RGB32 when
    // it has another format.
    explicit PainterDc(QImage& image);
    explicit PainterDc(QPaintDevice& device);
    ~PainterDc() override;

    // Marks the context as a printer (or not), whatever its device is.
    void SetPrinting(bool printing) { printing_ = printing; }

    Rect DeviceRect() const override;
    int GetDeviceCaps(DeviceCap cap) const override;
    bool IsPrinting() const override { return printing_; }
    const QImage* Image() const override { return image_; }

    Point MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const std::vector<Point>& points) override;
    void PolylineTo(const std::vector<Point>& points) override;
    void Polygon(const std::vector<Point>& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    void Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    void Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    void PolyBezier(const std::vector<Point>& points) override;
    void PolyBezierTo(const std::vector<Point>& points) override;
    void SetPixel(int x, int y, COLORREF color) override;
    void FillRect(const Rect& rect, const Brush& brush) override;
    void TextOut(int x, int y, const QString& text) override;
    Size GetTextExtent(const QString& text) const override;
    void StrokePath() override;
    void FillPath() override;
    void StrokeAndFillPath() override;
    void BitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy, std::uint32_t rop) override;
    using Dc::BitBlt;
    void PatBlt(int x, int y, int width, int height, std::uint32_t rop) override;
    void DrawImage(const Rect& dest, const QImage& image, float colorScale, float opacity) override;

    // Ends the painter so the device can be used elsewhere (the next drawing
    // call begins it again).
    void Flush();
    // Begins painting now rather than at the first drawing call: a printed
    // page exists even when nothing falls on it.
    void Begin() { Painter(); }

    // The device pixels drawn since the last ResetTouched (an overestimate
    // by at most the pen width), cut to the device.
    Rect Touched() const { return touched_.Intersected(DeviceRect()); }
    void ResetTouched() { touched_ = {}; }

private:
    // The painter set up to stroke with the pen (no brush).
    QPainter& PenPainter();
    bool Raster() const { return image_ != nullptr; }
    bool CosmeticRaster() const { return Raster() && state_.pen.IsCosmetic(); }
    ImageRaster MakeRaster() const;
    Rect ClipRect() const;
    std::vector<Point> ToDevice(const std::vector<Point>& points) const;
    Rect BoxToDevice(int left, int top, int right, int bottom) const;
    FillSpec BrushFill(const Brush& brush) const;
    std::int64_t GapColor() const;

    // Outline through device points (closed joins the last to the first).
    void Stroke(const std::vector<Point>& pts, bool closed);
    // Fills device contours with the current brush and fill mode.
    void Fill(const std::vector<std::vector<Point>>& contours);
    void FillWithBrush(const std::vector<std::vector<Point>>& contours, const Brush& brush, Rop2 rop);

    QPainter& Painter();
    void PreparePainter(QPainter& p, bool forText);
    QPen QtPen() const;
    struct RealizedFont {
        QFont font;
        double ascent = 0;
        double descent = 0;
    };
    const RealizedFont& Realize() const;

    void Touch(const Rect& device);
    void TouchPoints(const std::vector<Point>& device);

    QImage* image_ = nullptr;
    Rect touched_;
    QPaintDevice* device_ = nullptr;
    std::unique_ptr<QPainter> painter_;
    std::optional<QRect> appliedClip_;  // the clip last given to painter_
    bool printing_ = false;
    DashPhase linePhase_;
    mutable std::optional<std::pair<Font, int>> fontKey_;
    mutable RealizedFont font_;
};

} // namespace platform

// Pixel-exact drawing into a 32-bit QImage: one-pixel lines with dash
// patterns, span fills with solid and hatch brushes, polygon scan conversion,
// ellipse and arc outlines. Every pixel of one figure is touched once, so a
// mix such as not-XOR drawn twice restores the image.
#pragma once

#include "platform/Dc.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace platform {

// The on/off runs of a cosmetic pen style, or none for a solid pen.
struct DashPattern {
    const int* runs = nullptr;
    int count = 0;
};
DashPattern CosmeticDashes(PenStyle style);

// The position in a dash pattern; carried from segment to segment of one
// figure.
struct DashPhase {
    int index = 0;
    int remaining = 0;
    void Reset(const DashPattern& p) { index = 0; remaining = p.count ? p.runs[0] : 0; }
};

// What a fill paints: a solid colour or a hatch with an optional background.
struct FillSpec {
    std::uint32_t color = 0;       // 0x00RRGGBB
    bool hatched = false;
    HatchStyle hatch = HatchStyle::Horizontal;
    bool opaqueBackground = false;
    std::uint32_t background = 0;  // 0x00RRGGBB
};

// 0x00BBGGRR (palette indexes resolved) to the image's 0x00RRGGBB.
std::uint32_t ToPixel(COLORREF c);
COLORREF FromPixel(std::uint32_t pixel);

class ImageRaster {
public:
    // 'clip' in device pixels; it is cut to the image.
    ImageRaster(QImage& image, const Rect& clip);

    void Plot(int x, int y, std::uint32_t rgb, Rop2 rop)
    {
        if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) return;
        std::uint32_t* p = reinterpret_cast<std::uint32_t*>(bits_ + qsizetype(y) * stride_) + x;
        if (rop == Rop2::CopyPen)
            *p = 0xFF000000u | rgb;
        else
            *p = 0xFF000000u | (MixRop2(rop, rgb, *p) & 0x00FFFFFFu);
    }
    // Pixels x0 <= x < x1 of row y.
    void Span(int y, int x0, int x1, const FillSpec& fill, Rop2 rop);

    // A one-pixel line from a to b, b left out. 'gap' < 0 leaves the gaps of
    // a dashed pen untouched; otherwise they are painted in that colour.
    // Costs in proportion to the pixels that can reach the clip; the dash
    // phase still moves on by the whole length of the line.
    void Line(Point a, Point b, std::uint32_t rgb, Rop2 rop, const DashPattern& dashes, DashPhase& phase,
              std::int64_t gap);
    // Consecutive lines through the points (each end left out).
    void Polyline(const std::vector<Point>& pts, std::uint32_t rgb, Rop2 rop, const DashPattern& dashes,
                  std::int64_t gap);

    // Scan conversion of closed contours: a pixel is filled when its centre
    // lies inside, or on a left or top edge.
    void FillContours(const std::vector<std::vector<Point>>& contours, bool winding, const FillSpec& fill, Rop2 rop);

    // The pixels of the ellipse inscribed in 'box' (right column and bottom row
    // left out): each row's span. rows[i] covers y = box.top + i; an empty
    // span has x0 > x1.
    struct RowSpan {
        int x0;
        int x1; // inclusive
    };
    static std::vector<RowSpan> EllipseRows(const Rect& box);
    // The outline pixels of those rows (a pixel of the ellipse with a
    // 4-neighbour outside it), and the interior spans.
    static void EllipseOutline(const Rect& box, const std::vector<RowSpan>& rows, std::vector<Point>& outline,
                               std::vector<RowSpan>& interior);

    // Outline pixels of the ellipse in 'box', ordered along the curve from the
    // ray through 'start' to the ray through 'end' (start equal to end: the
    // whole ellipse from that ray on).
    static std::vector<Point> ArcPixels(const Rect& box, Point start, Point end, bool clockwise);

    // The ellipse in 'box' drawn straight into the clip: the interior spans
    // with 'fill' (none: left alone), the outline with the pen when 'pen' is
    // set (a dashed outline starts at the east ray and runs counter-clockwise,
    // as ArcPixels orders it). Costs in proportion to the rows and pixels
    // that can reach the clip, bar the dash phase of a dashed outline.
    void Ellipse(const Rect& box, const FillSpec* fill, bool pen, std::uint32_t rgb, Rop2 rop,
                 const DashPattern& dashes, std::int64_t gap);
    // The pixels of ArcPixels(box, start, end, clockwise) plotted in order with
    // a dash pattern; only what lands in the clip is touched.
    void Arc(const Rect& box, Point start, Point end, bool clockwise, std::uint32_t rgb, Rop2 rop,
             const DashPattern& dashes, DashPhase& phase, std::int64_t gap);

    // Plots pixels in order with a dash pattern.
    void PlotRun(const std::vector<Point>& pts, std::uint32_t rgb, Rop2 rop, const DashPattern& dashes,
                 DashPhase& phase, std::int64_t gap);

    const Rect& Clip() const { return clip_; }

private:
    uchar* bits_;
    qsizetype stride_;
    Rect clip_;
};

} // namespace platform

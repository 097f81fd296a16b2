#pragma once
// The mapping between model millimetres and the logical pixels of a view,
// as a value: the screen keeps one in its view, and printing, the preview
// and image or metafile output make their own without touching the screen's.
//
// x pixel = trunc(zoom * x / scale + 0.5) - scrollX
// y pixel = clientH + scrollY - trunc(zoom * y / scale + 0.5)
// with a scale or zoom that is not a usable divisor counted as 1 and pixels
// clamped to +-2^27 before they become integers.

#include "platform/Dc.h"

#include <cstdint>

struct ViewMapping {
    double scale = 0;     // the drawing's scale denominator
    double zoom = 0;      // pixels per paper millimetre
    int32_t scrollX = 0, scrollY = 0;
    int32_t clientW = 0, clientH = 0;
    int32_t areaW = 0, areaH = 0;
    double paperW = 0, paperH = 0;

    // The divisors the formulas use: scale and zoom, or 1 where that is
    // not a usable divisor.
    double MappingScale() const;
    double MappingZoom() const;

    // Model to logical pixels.
    int XToDevice(double x) const;
    int YToDevice(double y) const;
    platform::Point ToPixel(double x, double y) const { return {XToDevice(x), YToDevice(y)}; }
    // Logical pixels to model (exact inverse, no rounding).
    double XToModel(int xd) const;
    double YToModel(int yd) const;

    // The model rectangle the drawing area (areaW x areaH) shows.
    struct Rect {
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    };
    Rect VisibleRect() const;

    bool operator==(const ViewMapping&) const = default;
};

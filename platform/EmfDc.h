// A device context that writes an enhanced metafile: each call becomes its
// metafile record (objects are created, selected and deleted as the calls
// select them). The header describes a reference screen of the given size
// and resolution; Finish() closes the file and returns its bytes.
#pragma once

#include "platform/Dc.h"

#include <cstdint>
#include <vector>

namespace platform {

class EmfDc : public Dc {
public:
    explicit EmfDc(int deviceWidth = 1920, int deviceHeight = 1080, int dpi = 96);

    // Writes the end record and the final header. Further drawing is ignored.
    std::vector<std::uint8_t> Finish();

    Rect DeviceRect() const override { return {0, 0, width_, height_}; }
    int GetDeviceCaps(DeviceCap cap) const override;

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Font SelectFont(const Font& font) override;
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF SetBkColor(COLORREF color) override;
    BkMode SetBkMode(BkMode mode) override;
    Rop2 SetRop2(Rop2 rop) override;
    PolyFillMode SetPolyFillMode(PolyFillMode mode) override;
    ArcDirection SetArcDirection(ArcDirection direction) override;
    int SetTextAlign(int align) override;
    MapMode SetMapMode(MapMode mode) override;
    Point SetWindowOrg(int x, int y) override;
    Size SetWindowExt(int cx, int cy) override;
    Point SetViewportOrg(int x, int y) override;
    Size SetViewportExt(int cx, int cy) override;
    void IntersectClipRect(int left, int top, int right, int bottom) override;
    void ResetClip() override;
    int SaveDc() override;
    bool RestoreDc(int level = -1) override;

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
    void BeginPath() override;
    void EndPath() override;
    void CloseFigure() override;
    void AbortPath() override;
    void StrokePath() override;
    void FillPath() override;
    void StrokeAndFillPath() override;
    // Raster blits have no place in the exported drawing; they are left out.
    void BitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy, std::uint32_t rop) override;
    using Dc::BitBlt;
    void PatBlt(int x, int y, int width, int height, std::uint32_t rop) override;
    void DrawImage(const Rect& dest, const QImage& image, float colorScale, float opacity) override;

private:
    struct Handles {
        std::uint32_t pen = 0;   // 0: the stock object the context starts with
        std::uint32_t brush = 0;
        std::uint32_t font = 0;
    };

    // Record writing.
    size_t Begin(std::uint32_t type);
    void End(size_t start);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(std::uint32_t(v)); }
    void U16(std::uint16_t v);
    void F32(float v);
    void RectL(const Rect& r);
    void Simple(std::uint32_t type, std::initializer_list<std::int32_t> values);
    void Points(std::uint32_t type16, std::uint32_t type32, const std::vector<Point>& points);
    void BoxRecord(std::uint32_t type, int left, int top, int right, int bottom, const std::vector<Point>& extra);

    // Bounds of what was drawn, in device pixels (inclusive).
    Rect DeviceBounds(const std::vector<Point>& logical) const;
    void Touch(const Rect& deviceInclusive);

    std::uint32_t NewHandle();
    void Release(std::uint32_t handle);
    void Replace(std::uint32_t Handles::*slot, std::uint32_t handle);
    void DeleteNow(std::uint32_t handle);
    void ReleaseDeferred();

    int width_;
    int height_;
    int dpi_;
    bool finished_ = false;
    std::vector<std::uint8_t> out_;
    std::uint32_t records_ = 0;
    std::vector<bool> used_{true}; // index 0 is reserved
    Handles cur_;
    std::vector<Handles> savedHandles_;
    std::vector<std::uint32_t> deferred_;
    bool hasBounds_ = false;
    Rect bounds_;
};

} // namespace platform

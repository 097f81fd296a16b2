// A device context that draws nothing and records every call, for tests:
// each record has the operation's name, its integer arguments in call order
// and its text, and reads as e.g. "LineTo(10,20)".
#pragma once

#include "platform/Dc.h"

#include <string>
#include <vector>

namespace platform {

struct DcRecord {
    std::string op;
    std::vector<long long> args;
    QString text;
    std::string ToString() const;
};

class RecordingDc : public Dc {
public:
    // A device of the given size and resolution; 'printing' makes it report
    // itself as a printer.
    explicit RecordingDc(int width = 1000, int height = 1000, int dpi = 96, bool printing = false);

    const std::vector<DcRecord>& Records() const { return records_; }
    // The records as text, one per call.
    std::vector<std::string> Lines() const;
    // How many records carry this operation name.
    int Count(const std::string& op) const;
    void Clear() { records_.clear(); }

    Rect DeviceRect() const override { return {0, 0, width_, height_}; }
    int GetDeviceCaps(DeviceCap cap) const override;
    bool IsPrinting() const override { return printing_; }

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
    void BitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy, std::uint32_t rop) override;
    using Dc::BitBlt;
    void PatBlt(int x, int y, int width, int height, std::uint32_t rop) override;
    void DrawImage(const Rect& dest, const QImage& image, float colorScale, float opacity) override;

private:
    void Add(std::string op, std::vector<long long> args, QString text = {});
    static std::vector<long long> Flat(const std::vector<Point>& points);

    int width_;
    int height_;
    int dpi_;
    bool printing_;
    std::vector<DcRecord> records_;
};

} // namespace platform

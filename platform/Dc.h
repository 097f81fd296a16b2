// The drawing surface: an abstract device context.
//
// Coordinates are integers. Logical coordinates go through the mapping
// (map mode, window and viewport origins and extents) to device pixels, with
// y growing downwards. Drawing follows the classic raster rules the drawing
// code was written against:
//  - a line covers its first pixel and leaves out its last one;
//  - Rectangle and Ellipse cover their box without its right column and
//    bottom row;
//  - cosmetic pens (width 0 or 1) are one pixel wide and carry the classic
//    dash lengths; wider pens are geometric (caps and joins);
//  - a figure drawn twice with the not-XOR mix leaves the pixels as they were.
//
// Objects (pens, brushes, fonts) are plain values: SelectPen returns the pen
// that was selected before, and selecting it again restores it.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QImage;

namespace platform {

// A colour: 0x00BBGGRR, or 0x01000000 | index for an entry of the default
// 20-colour palette.
using COLORREF = std::uint32_t;

constexpr COLORREF Rgb(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr COLORREF PaletteIndex(int index) { return 0x01000000u | COLORREF(index & 0xFFFF); }
constexpr int RedOf(COLORREF c) { return int(c & 0xFF); }
constexpr int GreenOf(COLORREF c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF c) { return int((c >> 16) & 0xFF); }

// A palette-index colour becomes the RGB value of that entry of the default
// palette (indexes past 19 count as black); an RGB colour stays as it is.
COLORREF ResolveColor(COLORREF c);

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle that includes left/top and leaves out right/bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    Rect Normalized() const;
    Rect Intersected(const Rect& other) const;
    Rect United(const Rect& other) const; // an empty operand is ignored
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Numeric values follow the classic enumerations, so files and records can
// carry them as they are.
enum class PenStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };
enum class PenCap : int { Round = 0, Square = 1, Flat = 2 };
enum class PenJoin : int { Round = 0, Bevel = 1, Miter = 2 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;             // logical units; 0 and 1 make a cosmetic pen
    COLORREF color = 0;
    bool geometric = false;    // made with explicit caps and joins
    PenCap cap = PenCap::Round;
    PenJoin join = PenJoin::Round;

    // A pen as the plain pen constructor makes it: width 0 or 1 is
    // cosmetic, wider pens are geometric with round caps and joins.
    static Pen Make(PenStyle style, int width, COLORREF color);
    // A geometric pen with explicit end caps and joins (solid brush).
    static Pen Geometric(PenStyle style, int width, COLORREF color, PenCap cap, PenJoin join);
    bool IsCosmetic() const { return !geometric && width <= 1; }
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle : int { Solid = 0, Null = 1, Hatched = 2 };
enum class HatchStyle : int { Horizontal = 0, Vertical = 1, ForwardDiagonal = 2, BackwardDiagonal = 3, Cross = 4, DiagonalCross = 5 };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    COLORREF color = Rgb(255, 255, 255);
    HatchStyle hatch = HatchStyle::Horizontal;

    static Brush Solid(COLORREF color) { return {BrushStyle::Solid, color, HatchStyle::Horizontal}; }
    static Brush Hatched(HatchStyle hatch, COLORREF color) { return {BrushStyle::Hatched, color, hatch}; }
    static Brush NullBrush() { return {BrushStyle::Null, 0, HatchStyle::Horizontal}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

// Whether hatch brush pixel (x, y) in device coordinates is a hatch line.
// The 8 x 8 pattern is aligned to the device origin.
bool HatchBit(HatchStyle hatch, int x, int y);

struct Font {
    // Positive: cell height (ascent + descent); negative: character height
    // (the em size); 0: a default size.
    int height = 0;
    int width = 0;           // average character width; 0 keeps the face's own
    int escapement = 0;      // tenths of a degree, counter-clockwise
    int orientation = 0;
    int weight = 0;          // 0 default, 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 128;      // 128 Shift-JIS, 0 ANSI, 1 default
    std::uint8_t pitchAndFamily = 0; // 1 fixed pitch, 2 variable pitch
    QString face;                    // the face name as Unicode

    // Face names held in the model are code page 932 bytes.
    static QString FaceFromCp932(std::string_view bytes);
    friend bool operator==(const Font&, const Font&) = default;
};

enum class Rop2 : int {
    Black = 1, NotMergePen = 2, MaskNotPen = 3, NotCopyPen = 4, MaskPenNot = 5, Not = 6,
    XorPen = 7, NotMaskPen = 8, MaskPen = 9, NotXorPen = 10, Nop = 11, MergeNotPen = 12,
    CopyPen = 13, MergePenNot = 14, MergePen = 15, White = 16,
};
// The pen or brush colour 'pen' mixed with the pixel 'dst' (both 0x00RRGGBB
// or 0x00BBGGRR alike: the mix is bitwise).
std::uint32_t MixRop2(Rop2 rop, std::uint32_t pen, std::uint32_t dst);

// Ternary raster operations of the blits (source, destination, pattern).
namespace rop3 {
constexpr std::uint32_t SrcCopy = 0x00CC0020;
constexpr std::uint32_t SrcPaint = 0x00EE0086;
constexpr std::uint32_t SrcAnd = 0x008800C6;
constexpr std::uint32_t SrcInvert = 0x00660046;
constexpr std::uint32_t NotSrcCopy = 0x00330008;
constexpr std::uint32_t DstInvert = 0x00550009;
constexpr std::uint32_t PatCopy = 0x00F00021;
constexpr std::uint32_t PatInvert = 0x005A0049;
constexpr std::uint32_t Blackness = 0x00000042;
constexpr std::uint32_t Whiteness = 0x00FF0062;
} // namespace rop3
std::uint32_t MixRop3(std::uint32_t rop, std::uint32_t src, std::uint32_t dst, std::uint32_t pat);

enum class BkMode : int { Transparent = 1, Opaque = 2 };
enum class PolyFillMode : int { Alternate = 1, Winding = 2 };
enum class ArcDirection : int { CounterClockwise = 1, Clockwise = 2 };
enum class MapMode : int { Text = 1, LoMetric = 2, HiMetric = 3, LoEnglish = 4, HiEnglish = 5, Twips = 6, Isotropic = 7, Anisotropic = 8 };

// Text alignment flags (combine one horizontal and one vertical flag).
namespace textalign {
constexpr int Left = 0;
constexpr int Right = 2;
constexpr int Center = 6;
constexpr int Top = 0;
constexpr int Bottom = 8;
constexpr int Baseline = 24;
constexpr int UpdateCp = 1;
} // namespace textalign

enum class DeviceCap : int {
    HorzSize = 4,    // width of the display surface in millimetres
    VertSize = 6,
    HorzRes = 8,     // width in pixels
    VertRes = 10,
    LogPixelsX = 88, // pixels per inch
    LogPixelsY = 90,
};

// Everything SaveDc keeps.
struct DcState {
    Pen pen;
    Brush brush;
    Font font;
    COLORREF textColor = 0;
    COLORREF bkColor = Rgb(255, 255, 255);
    BkMode bkMode = BkMode::Opaque;
    Rop2 rop2 = Rop2::CopyPen;
    PolyFillMode polyFillMode = PolyFillMode::Alternate;
    ArcDirection arcDirection = ArcDirection::CounterClockwise;
    int textAlign = 0;
    MapMode mapMode = MapMode::Text;
    Point windowOrg;
    Size windowExt{1, 1};
    Point viewportOrg;
    Size viewportExt{1, 1};
    Point brushOrg;
    Point currentPos;     // logical
    bool hasClip = false;
    Rect clip;            // device pixels, valid when hasClip
};

// A path as built between BeginPath and EndPath, in device coordinates.
struct PathFigure {
    std::vector<Point> points;
    bool closed = false;
};
using DevicePath = std::vector<PathFigure>;

class Dc {
public:
    Dc();
    virtual ~Dc();
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;

    // ---- objects and attributes --------------------------------------
    virtual Pen SelectPen(const Pen& pen);
    virtual Brush SelectBrush(const Brush& brush);
    virtual Font SelectFont(const Font& font);
    const Pen& CurrentPen() const { return state_.pen; }
    const Brush& CurrentBrush() const { return state_.brush; }
    const Font& CurrentFont() const { return state_.font; }

    virtual COLORREF SetTextColor(COLORREF color);
    virtual COLORREF SetBkColor(COLORREF color);
    virtual BkMode SetBkMode(BkMode mode);
    virtual Rop2 SetRop2(Rop2 rop);
    virtual PolyFillMode SetPolyFillMode(PolyFillMode mode);
    virtual ArcDirection SetArcDirection(ArcDirection direction);
    virtual int SetTextAlign(int align);
    COLORREF GetTextColor() const { return state_.textColor; }
    COLORREF GetBkColor() const { return state_.bkColor; }
    BkMode GetBkMode() const { return state_.bkMode; }
    Rop2 GetRop2() const { return state_.rop2; }
    PolyFillMode GetPolyFillMode() const { return state_.polyFillMode; }
    ArcDirection GetArcDirection() const { return state_.arcDirection; }
    int GetTextAlign() const { return state_.textAlign; }

    // ---- mapping -----------------------------------------------------
    virtual MapMode SetMapMode(MapMode mode);
    virtual Point SetWindowOrg(int x, int y);
    virtual Size SetWindowExt(int cx, int cy);
    virtual Point SetViewportOrg(int x, int y);
    virtual Size SetViewportExt(int cx, int cy);
    MapMode GetMapMode() const { return state_.mapMode; }
    Point GetWindowOrg() const { return state_.windowOrg; }
    Point GetViewportOrg() const { return state_.viewportOrg; }
    Size GetWindowExt() const;
    Size GetViewportExt() const;
    Point LPtoDP(Point p) const;
    Point DPtoLP(Point p) const;
    // A logical length along x as device pixels (pen widths, font sizes).
    int LengthToDevice(int logical) const;

    // ---- clipping ----------------------------------------------------
    // Limits drawing to the given logical rectangle (intersected with any
    // clip already set).
    virtual void IntersectClipRect(int left, int top, int right, int bottom);
    // Removes the clip rectangle.
    virtual void ResetClip();
    // The logical rectangle that can be drawn into.
    Rect GetClipBox() const;

    // ---- state stack ---------------------------------------------------
    virtual int SaveDc();
    // level > 0: restore that level; level < 0: relative (-1 the last one).
    virtual bool RestoreDc(int level = -1);

    // ---- device --------------------------------------------------------
    virtual int GetDeviceCaps(DeviceCap cap) const;
    virtual bool IsPrinting() const { return false; }
    // The device rectangle (0, 0, width, height) in pixels.
    virtual Rect DeviceRect() const = 0;
    // The pixels behind this context when it draws into an image.
    virtual const QImage* Image() const { return nullptr; }

    // ---- drawing (logical coordinates) --------------------------------------
    virtual Point MoveTo(int x, int y);
    virtual void LineTo(int x, int y) = 0;
    Point GetCurrentPosition() const { return state_.currentPos; }
    virtual void Polyline(const std::vector<Point>& points) = 0;
    virtual void PolylineTo(const std::vector<Point>& points) = 0;
    virtual void Polygon(const std::vector<Point>& points) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // A rectangle whose corners are quarters of an ellipse ellipseWidth by
    // ellipseHeight, outlined with the pen and filled with the brush; drawn
    // as a polygon of the rounded outline.
    virtual void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    // An elliptic arc on the box, from the ray through (xStart, yStart) to the
    // ray through (xEnd, yEnd), in the arc direction.
    virtual void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual void Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual void Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
    // 3n + 1 points: start, then (control, control, end) per piece.
    virtual void PolyBezier(const std::vector<Point>& points) = 0;
    // 3n points from the current position.
    virtual void PolyBezierTo(const std::vector<Point>& points) = 0;
    virtual void SetPixel(int x, int y, COLORREF color) = 0;
    // Fills the rectangle (right and bottom left out) with a brush; ignores
    // the pen and the mix.
    virtual void FillRect(const Rect& rect, const Brush& brush) = 0;
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // Width and height of the text in the current font (logical units).
    virtual Size GetTextExtent(const QString& text) const;

    // ---- paths -------------------------------------------------------------
    virtual void BeginPath();
    virtual void EndPath();
    virtual void CloseFigure();
    virtual void AbortPath();
    virtual void StrokePath() = 0;
    virtual void FillPath() = 0;
    virtual void StrokeAndFillPath() = 0;
    bool InPath() const { return pathOpen_; }

    // ---- blits (logical destination, source in the source's pixels) ------
    virtual void BitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy, std::uint32_t rop) = 0;
    void BitBlt(int x, int y, int width, int height, const Dc& source, int sx, int sy, std::uint32_t rop);
    // Fills with the current brush combined by 'rop' (PatCopy, PatInvert,
    // DstInvert, Blackness, Whiteness).
    virtual void PatBlt(int x, int y, int width, int height, std::uint32_t rop) = 0;
    // Stretches a whole image into the logical rectangle (normalised, never
    // mirrored); colourScale multiplies red, green and blue, opacity the alpha.
    virtual void DrawImage(const Rect& dest, const QImage& image, float colorScale = 1.0f, float opacity = 1.0f) = 0;

    const DcState& State() const { return state_; }

protected:
    // Path building for the implementations that draw: each primitive in path
    // mode calls these with device points.
    void PathMoveTo(Point device);
    void PathLineTo(Point device);
    void PathAddFigure(const std::vector<Point>& device, bool closed);
    DevicePath TakePath();
    const DevicePath& PathSoFar() const { return path_; }

    DcState state_;

private:
    std::vector<DcState> saved_;
    bool pathOpen_ = false;
    bool pathDone_ = false;
    DevicePath path_;
};

// ---- geometry shared by the implementations -------------------------------

// The points of a flattened cubic Bézier from p0 to p3 (p0 left out), in
// device coordinates.
void FlattenBezier(Point p0, Point p1, Point p2, Point p3, std::vector<Point>& out);

// Device-pixel outline of an elliptic arc on the box (right and bottom left
// out) from the ray through 'start' to the ray through 'end', as a polyline
// for wide pens and paths. Counter-clockwise on the screen unless clockwise.
// The ellipse inscribed in a box and the part of it from the ray through
// start to the ray through end: centre, half-axes (device units), the
// parameter of the start and the signed sweep (radians, y pointing up).
struct ArcSpan {
    double cx = 0, cy = 0, rx = 0, ry = 0;
    double t0 = 0, sweep = 0;
};
ArcSpan ArcSpanOf(const Rect& box, Point start, Point end, bool clockwise);
std::vector<Point> ArcPolyline(const Rect& box, Point start, Point end, bool clockwise);

} // namespace platform

// EntityRenderer: the drawers of texts and of texts with a leader.

#include "view/EntityRenderer.h"

#include "model/Settings.h"
#include "model/Utilities.h"
#include "platform/Encoding.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
// Longest face name a font description holds.
constexpr std::size_t MaxFaceBytes = 31;

double ValueAt(const CEntity* e, std::size_t i)
{
    return i < e->values.size() ? e->values[i] : 0.0;
}

int TruncPixels(double v)
{
    if (!(std::fabs(v) < 2e9))
        return v > 0 ? 2000000000 : v < 0 ? -2000000000 : 0;
    return static_cast<int>(v);
}

// Whether any of a text's body can show in the visible rectangle: the box of
// its cells (byteWidth model units a byte, h high, standing on the anchor and
// turned by its angle), with a cell to spare at the end for glyphs wider
// than their cell.
bool TextBodyMeets(const CEntity* e, double byteWidth, double vx0, double vy0, double vx1, double vy1)
{
    const double x = ValueAt(e, 0), y = ValueAt(e, 1), h = std::fabs(ValueAt(e, 2)), a = ValueAt(e, 4);
    const double len = MbcsByteLength(e->text) * std::fabs(byteWidth) + h;
    const double r = std::fabs(a) > 0.1 ? a * Pi / 180.0 : 0.0;
    const double c = std::cos(r), s = std::sin(r);
    const double xs[] = {x, x + len * c, x - h * s, x + len * c - h * s};
    const double ys[] = {y, y + len * s, y + h * c, y + len * s + h * c};
    const double x0 = *std::min_element(xs, xs + 4), x1 = *std::max_element(xs, xs + 4);
    const double y0 = *std::min_element(ys, ys + 4), y1 = *std::max_element(ys, ys + 4);
    // Written so that a NaN anywhere counts as not showing.
    return x1 >= vx0 && x0 <= vx1 && y1 >= vy0 && y0 <= vy1;
}

} // namespace

int EntityRenderer::TextPixelSize(double size) const
{
    return TruncPixels(MappingZoom() * size / MappingScale() + 0.5);
}

platform::Font EntityRenderer::TextFont(const CEntity* e, int height, int width) const
{
    platform::Font font;
    font.height = height;
    font.width = width;
    font.escapement = TruncPixels(ValueAt(e, 4) * 10.0);
    font.orientation = 0;
    font.weight = 0;
    font.charSet = 128;
    font.pitchAndFamily = 1;
    font.face = platform::Font::FaceFromCp932(platform::Cp932Truncate(e->font, MaxFaceBytes));
    return font;
}

void EntityRenderer::PaintTextBody(const CEntity* e, int state, int height, int width)
{
    const double x = ValueAt(e, 0), y = ValueAt(e, 1), h = ValueAt(e, 2), a = ValueAt(e, 4);
    double tx = x, ty = y + h;
    if (std::fabs(a) > 0.1) {
        const double r = a * Pi / 180.0;
        tx = x - h * std::sin(r);
        ty = y + h * std::cos(r);
    }
    const platform::Point p = ToPixel(tx, ty);
    // On screen the text is drawn transparently; metafile and clipboard text
    // keeps the DC's opaque background box.
    const bool transparent = exporting == 0;
    const platform::BkMode oldMode = transparent ? dc.SetBkMode(platform::BkMode::Transparent) : dc.GetBkMode();
    const platform::Font oldFont = dc.SelectFont(TextFont(e, height, width));
    const COLORREF oldColour = dc.SetTextColor(GetStateColor(EffectiveState(e, state), e->colour));
    dc.TextOut(p.x, p.y, FromCp932(e->text));
    dc.SetTextColor(oldColour);
    dc.SelectFont(oldFont);
    if (transparent)
        dc.SetBkMode(oldMode);
}

void EntityRenderer::DrawText(const CEntity* e, int state)
{
    const int height = TextPixelSize(ValueAt(e, 2));
    if (height <= 0)
        return;
    if (!TextBodyMeets(e, ValueAt(e, 2) / 2, visibleX0, visibleY0, visibleX1, visibleY1))
        return;
    PaintTextBody(e, state, height, height / 2);
}

void EntityRenderer::DrawLeaderText(const CEntity* e, int state)
{
    const int height = TextPixelSize(ValueAt(e, 2));
    if (height <= 0)
        return;
    // The text and its leader show each where they meet the view.
    if (TextBodyMeets(e, ValueAt(e, 3) / 2, visibleX0, visibleY0, visibleX1, visibleY1))
        PaintTextBody(e, state, height, TextPixelSize(ValueAt(e, 3)) / 2);

    const int shape = e->subtype / 10, kind = e->subtype % 10;
    double x1 = ValueAt(e, 5), y1 = ValueAt(e, 6), x2 = ValueAt(e, 7), y2 = ValueAt(e, 8);
    if (SegmentOutsideRect(x1, y1, x2, y2, visibleX0, visibleY0, visibleX1, visibleY1))
        return;
    const Look look = LookOf(e, state);
    const platform::Point a = ToPixel(x1, y1), b = ToPixel(x2, y2);
    const platform::Point c = ToPixel(ValueAt(e, 9), ValueAt(e, 10));
    if (look.printing) {
        PrintedOutline out(*this, dc, look);
        out.Start(a);
        out.LineTo(b);
        if (shape != 0)
            out.LineTo(c);
        out.Finish();
    } else {
        const platform::Pen old = SelectScreenPen(look, look.style);
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
        if (shape != 0)
            dc.LineTo(c.x, c.y);
        dc.SelectPen(old);
    }
    if (DimArrowScaleMode == 1)
        DrawTerminatorScaled(kind, 1, 1, look.state, e->colour, look.width, x1, y1, x2, y2);
    else
        DrawTerminator(kind, 1, 1, look.state, e->colour, look.width, x1, y1, x2, y2);
}

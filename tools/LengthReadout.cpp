// Length read-outs: the distance of a dragged segment painted beside it by
// an inverting copy of a black label holding the text.

#include "tools/LengthReadout.h"

#include "view/OrvikCadView.h"
#include "platform/Fonts.h"
#include "platform/PainterDc.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <QFontDatabase>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <numbers>

std::string FormatReadoutLength(double distance)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%0.1f", distance);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    return text;
}

namespace {

// The read-out of the segment from (x0, y0) to (x, y).
void ShowSegmentReadout(COrvikCadView* view, double x0, double y0, double x, double y)
{
    if (!view)
        return;
    const double dx = x - x0, dy = y - y0;
    float angle = static_cast<float>(std::atan2(dy, dx) * 180.0 / std::numbers::pi);
    if (angle < 0.0f)
        angle += 360.0f;
    if (x == x0 && y == y0)
        return;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (!(d >= 0.05))
        return;
    const double mx = x0 + dx / 2.0, my = y0 + dy / 2.0;
    const std::string text = FormatReadoutLength(d);
    int digits = 0;
    for (char c : text)
        digits += c != '.';

    // The label's bottom edge lies on the midpoint; a nearly horizontal
    // segment gets it moved left, off the line.
    int px = view->XToDevice(static_cast<float>(mx));
    int py = view->YToDevice(static_cast<float>(my)) - ReadoutLabelHeight;
    if (std::abs(angle) < 10.0f || std::abs(angle - 180.0f) < 10.0f)
        px -= 8 * digits;
    DrawReadoutLabel(view, px, py, text);
}

// Where the text stands in the label: centred on this x, its bottom on the
// label's bottom edge.
constexpr int LabelTextCentreX = 25;

// The font of the label: the desktop's small caption font.
platform::Font LabelFont()
{
    platform::Font font;
    font.height = -12;
    font.weight = 400;
    font.charSet = 128;
    font.face = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return font;
}

} // namespace

void ShowLengthReadout(CDrawTool& tool, COrvikCadView* view, double x, double y)
{
    ShowLengthReadoutFrom(tool, view, x, y, InputPointCount - 1);
}

void ShowLengthReadoutFrom(CDrawTool& tool, COrvikCadView* view, double x, double y, int index)
{
    if (index < 0 || index >= CDrawTool::MaxInputPoints)
        return;
    ShowSegmentReadout(view, tool.X[index], tool.Y[index], x, y);
}

void DrawLengthLabel(CDrawTool& tool, COrvikCadView* view, double x, double y, int orientation)
{
    const int i = InputPointCount - 1;
    if (i < 0 || i >= CDrawTool::MaxInputPoints)
        return;
    const double px = tool.X[i], py = tool.Y[i];
    if (orientation != 0)
        y = py;
    else
        x = px;
    ShowSegmentReadout(view, px, py, x, y);
}

void DrawReadoutLabel(COrvikCadView* view, int px, int py, const std::string& text)
{
    if (!view)
        return;
    QImage label(ReadoutLabelWidth, ReadoutLabelHeight, QImage::Format_RGB32);
    label.fill(Qt::black);
    {
        platform::PainterDc memory(label);
        memory.SelectFont(LabelFont());
        memory.SetTextAlign(platform::textalign::Center | platform::textalign::Bottom);
        memory.SetBkMode(platform::BkMode::Transparent);
        memory.SetTextColor(platform::PaletteIndex(15));
        memory.TextOut(LabelTextCentreX, ReadoutLabelHeight, QString::fromStdString(text));
    }
    auto dc = view->GetClientDc();
    dc->BitBlt(px, py, ReadoutLabelWidth, ReadoutLabelHeight, label, 0, 0, platform::rop3::SrcInvert);
}

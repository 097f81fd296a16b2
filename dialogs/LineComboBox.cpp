#include "dialogs/LineComboBox.h"

namespace {

constexpr long EntityLineCodes[] = {0, 2, 1, 3, 4, 30001, 30002, 30003};
constexpr long PointWeightCodes[] = {40001, 40002, 40003, 40004};

} // namespace

platform::Pen LineSamplePen(long data, COLORREF colour)
{
    switch (data) {
    case 30001: return platform::Pen::Make(platform::PenStyle::Solid, 2, colour);
    case 30002: return platform::Pen::Make(platform::PenStyle::Solid, 4, colour);
    case 30003: return platform::Pen::Make(platform::PenStyle::Solid, 8, colour);
    case 40001: return platform::Pen::Make(platform::PenStyle::Solid, 1, colour);
    case 40002: return platform::Pen::Make(platform::PenStyle::Solid, 2, colour);
    case 40003: return platform::Pen::Make(platform::PenStyle::Solid, 4, colour);
    case 40004: return platform::Pen::Make(platform::PenStyle::Solid, 8, colour);
    default:
        if (data >= 0 && data <= 4)
            return platform::Pen::Make(static_cast<platform::PenStyle>(data), 1, colour);
        return platform::Pen::Make(platform::PenStyle::Solid, 1, colour);
    }
}

COLORREF FillLineItemBackground(platform::Dc& dc, const OwnerDrawItem& item)
{
    if (item.selected) {
        dc.FillRect(item.rect, platform::Brush::Solid(HighlightColour()));
        return HighlightTextColour();
    }
    dc.FillRect(item.rect, platform::Brush::Solid(platform::Rgb(255, 255, 255)));
    return MenuTextColour();
}

void DrawLineSample(platform::Dc& dc, const platform::Rect& r)
{
    const int y1 = (r.top + r.bottom) / 2;
    const int y2 = (r.top + r.bottom + 2) / 2;
    dc.MoveTo(r.left, y1);
    dc.LineTo(r.right, y1);
    dc.MoveTo(r.left, y2);
    dc.LineTo(r.right, y2);
}

void CLineComboBox::FillEntityLineTypes()
{
    clear();
    for (long code : EntityLineCodes)
        AddItemData(code);
    setCurrentIndex(-1);
}

void CLineComboBox::FillPointWeights()
{
    clear();
    for (long code : PointWeightCodes)
        AddItemData(code);
    setCurrentIndex(-1);
}

void CLineComboBox::DrawItem(platform::Dc& dc, const OwnerDrawItem& item) const
{
    if (!(item.action & (OwnerDrawItem::DrawEntire | OwnerDrawItem::Select | OwnerDrawItem::Focus)))
        return;
    const COLORREF colour = FillLineItemBackground(dc, item);
    const int saved = dc.SaveDc();
    dc.SelectPen(LineSamplePen(item.data, colour));
    dc.SelectBrush(platform::Brush::Solid(colour));
    dc.SetBkMode(platform::BkMode::Transparent);
    const platform::Rect& r = item.rect;
    if (item.data < 40000) {
        DrawLineSample(dc, r);
    } else {
        const int cx = r.left + (r.right - r.left) / 2;
        const int cy = (r.top + r.bottom) / 2;
        dc.Rectangle(cx - 2, cy - 2, cx + 2, cy + 2);
    }
    dc.RestoreDc(saved);
}

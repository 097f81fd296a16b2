#include "dialogs/GridLineComboBox.h"

#include "dialogs/LineComboBox.h"

void CGridLineComboBox::FillGridLooks()
{
    clear();
    for (long code : {0L, 2L, 1L, 3L, 4L, 50001L, 50002L})
        AddItemData(code);
}

void CGridLineComboBox::FillGridLineTypes()
{
    clear();
    for (long code : {0L, 2L, 1L, 3L, 4L})
        AddItemData(code);
}

void CGridLineComboBox::DrawItem(platform::Dc& dc, const OwnerDrawItem& item) const
{
    if (!(item.action & (OwnerDrawItem::DrawEntire | OwnerDrawItem::Select | OwnerDrawItem::Focus)))
        return;
    FillLineItemBackground(dc, item);
    const COLORREF grey = platform::Rgb(0x99, 0x99, 0x99);
    const int saved = dc.SaveDc();
    dc.SelectPen(LineSamplePen(item.data, grey));
    dc.SelectBrush(platform::Brush::Solid(item.selected ? HighlightTextColour() : platform::Rgb(0, 0, 0)));
    dc.SetBkMode(platform::BkMode::Transparent);
    const platform::Rect& r = item.rect;
    const int cx = r.left + (r.right - r.left) / 2;
    const int cy = (r.top + r.bottom) / 2;
    if (item.data <= 39999) {
        DrawLineSample(dc, r);
    } else if (item.data == 50001) {
        for (int x : {cx - 25, cx, cx + 25})
            dc.Rectangle(x - 2, cy - 2, x + 2, cy + 2);
    } else if (item.data == 50002) {
        for (int x : {cx - 25, cx, cx + 25}) {
            dc.MoveTo(x - 3, cy);
            dc.LineTo(x + 4, cy);
            dc.MoveTo(x, cy - 3);
            dc.LineTo(x, cy + 4);
        }
    }
    dc.RestoreDc(saved);
}

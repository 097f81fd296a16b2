#include "dialogs/PenComboBox.h"

#include "model/Settings.h"

int CPenComboBox::AddString(COLORREF colour)
{
    return AddItemData(static_cast<long>(colour));
}

void CPenComboBox::FillFromPenColors()
{
    clear();
    for (COLORREF colour : PenColors)
        AddString(colour);
}

void CPenComboBox::DrawItem(platform::Dc& dc, const OwnerDrawItem& item) const
{
    const COLORREF colour = static_cast<COLORREF>(item.data) & 0xFFFFFF;
    const COLORREF inverse = colour ^ 0xFFFFFF;
    if (item.action & OwnerDrawItem::DrawEntire)
        dc.FillRect(item.rect, platform::Brush::Solid(colour));
    const auto frame = [&](COLORREF c) {
        const platform::Rect& r = item.rect;
        const platform::Brush brush = platform::Brush::Solid(c);
        dc.FillRect({r.left, r.top, r.right, r.top + 1}, brush);
        dc.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, brush);
        dc.FillRect({r.left, r.top, r.left + 1, r.bottom}, brush);
        dc.FillRect({r.right - 1, r.top, r.right, r.bottom}, brush);
    };
    if (item.selected && (item.action & (OwnerDrawItem::DrawEntire | OwnerDrawItem::Select)))
        frame(inverse);
    else if (!item.selected && (item.action & OwnerDrawItem::Select))
        frame(colour);
    if (item.index < 0 || item.index > 7)
        return;
    dc.SetBkMode(platform::BkMode::Transparent);
    dc.SetTextColor(inverse);
    dc.TextOut(item.rect.left + 5, item.rect.top + 3, QStringLiteral("Pen №%1").arg(item.index + 1));
}

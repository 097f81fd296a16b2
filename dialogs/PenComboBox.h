#pragma once
// The pen list: one item per pen, painted in the pen's colour with its label
// "Pen №n" in the inverse colour.

#include "dialogs/OwnerDrawCombo.h"

class CPenComboBox : public COwnerDrawCombo {
    Q_OBJECT
public:
    using COwnerDrawCombo::COwnerDrawCombo;

    // Adds a pen of the given colour; the new item's index.
    virtual int AddString(COLORREF colour);
    // The eight PenColors entries.
    void FillFromPenColors();

    void DrawItem(platform::Dc& dc, const OwnerDrawItem& item) const override;
};

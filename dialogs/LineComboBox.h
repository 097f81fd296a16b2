#pragma once
// The line-type list: each item is a sample of the line its data names.
// Data 0-4 are the pen styles solid, dash, dot, dash-dot, dash-dot-dot;
// 30001-30003 solid lines 2, 4 and 8 pixels wide (both drawn as a double
// line); 40001-40004 point sizes, drawn as squares with a pen 1, 2, 4 or 8
// pixels wide.

#include "dialogs/OwnerDrawCombo.h"

class CLineComboBox : public COwnerDrawCombo {
    Q_OBJECT
public:
    using COwnerDrawCombo::COwnerDrawCombo;

    // The eight line types of entities, the item index being the line type.
    void FillEntityLineTypes();
    // The four point weights.
    void FillPointWeights();

    void DrawItem(platform::Dc& dc, const OwnerDrawItem& item) const override;
};

// The pen an item's data asks for, in colour.
platform::Pen LineSamplePen(long data, COLORREF colour);
// Fills the item's background, selected or not, and gives the drawing colour.
COLORREF FillLineItemBackground(platform::Dc& dc, const OwnerDrawItem& item);
// The two-pixel band of a line sample across the item.
void DrawLineSample(platform::Dc& dc, const platform::Rect& r);

#pragma once
// The grid-look list: line samples in grey (data 0-4 as in the line-type
// list), 50001 a row of dots and 50002 a row of crosses.

#include "dialogs/OwnerDrawCombo.h"

class CGridLineComboBox : public COwnerDrawCombo {
    Q_OBJECT
public:
    using COwnerDrawCombo::COwnerDrawCombo;

    // The grid bar's looks: five line grids, the dot grid and the cross grid.
    void FillGridLooks();
    // The five line types of a line grid.
    void FillGridLineTypes();

    void DrawItem(platform::Dc& dc, const OwnerDrawItem& item) const override;
};

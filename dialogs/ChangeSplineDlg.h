#pragma once
// The curve property dialog: line type, pen and colour of a control-point
// or freehand curve, with a fixed sketch of a wavy curve.

#include "dialogs/PropertyDialog.h"

inline constexpr unsigned IDD_CHANGE_SPLINE = 210;

class CChangeSplineDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_PREVIEW = 1236;
    static constexpr int IDC_LINE_TYPE = 1237;
    static constexpr int IDC_COLOR = 1238;
    static constexpr int IDC_PEN = 1411;

    explicit CChangeSplineDlg(QWidget* parent = nullptr);

protected:
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;
};

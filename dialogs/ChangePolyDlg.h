#pragma once
// The polygon property dialog: line type, pen and colour.

#include "dialogs/PropertyDialog.h"

inline constexpr unsigned IDD_CHANGE_POLY = 223;

class CChangePolyDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_LINE_TYPE = 1283;
    static constexpr int IDC_COLOR = 1284;
    static constexpr int IDC_PEN = 1410;

    explicit CChangePolyDlg(QWidget* parent = nullptr);
};

#pragma once
// The one-value numeric input dialog: a label chosen by the quantity asked
// for, and a field that takes a short arithmetic expression.

#include "platform/Dialog.h"

#include <QString>

class QLabel;
class QLineEdit;

inline constexpr unsigned IDD_INPUTNUM = 227;

class CInputNumDlg : public CDialog {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int IDC_LABEL = 1303;
    static constexpr int IDC_EXPRESSION = 1151;

    explicit CInputNumDlg(QWidget* parent = nullptr);

    // The label of a mode; any mode not listed asks for a length.
    static QString LabelForMode(int mode);

    QString label;        // the field's label: the mode's own unless the caller set one
    QString expression;   // the expression typed
    short mode = 0;       // the quantity asked for; set by the caller
    double value = 0.0;   // in: shown at the start for modes 10 and 13; out: the result

protected:
    bool OnInitDialog() override;

private:
    QLabel* m_label;
    QLineEdit* m_edit;
};

#pragma once
// The two-value numeric input dialog: a length and an angle (or an
// ellipse's major axis and inclination), or an X and a Y offset, with a
// switch between the two kinds.

#include "platform/Dialog.h"

#include <QString>

class QLabel;
class QLineEdit;
class QRadioButton;

inline constexpr unsigned IDD_LINEINPUT = 238;

class CLineInputDlg : public CDialog {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int IDC_VALUE1 = 1139;
    static constexpr int IDC_VALUE2 = 1167;
    static constexpr int IDC_LABEL1 = 1338;
    static constexpr int IDC_LABEL2 = 1339;
    static constexpr int IDC_LENGTH_ANGLE = 1336;
    static constexpr int IDC_XY = 1337;

    explicit CLineInputDlg(QWidget* parent = nullptr);

    QString expression1;      // first field
    QString expression2;      // second field
    QString label1;
    QString label2;
    short inputKind = 0;      // 0 length and angle, 1 X and Y; in and out
    short ellipseVariant = 0; // 1: an ellipse's major axis and its inclination
    double value1 = 0.0;      // in: shown at the start; out: length, major axis or X offset
    double value2 = 0.0;      // in: shown at the start; out: angle, inclination or Y offset

protected:
    bool OnInitDialog() override;

private:
    void SetKindLabels();
    void OnLengthAngle();
    void OnXy();

    QLabel* m_label1;
    QLabel* m_label2;
    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    QRadioButton* m_lengthAngle;
    QRadioButton* m_xy;
};

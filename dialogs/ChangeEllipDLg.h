#pragma once
// The ellipse and elliptic-arc property dialog: centre, axes, tilt, the
// arc's angles, ellipse or elliptic arc, line type, pen and colour.

#include "dialogs/PropertyDialog.h"

#include <QString>

class QLineEdit;
class QRadioButton;

inline constexpr unsigned IDD_CHANGE_ELLIPSE = 176;

class CChangeEllipDLg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_CENTER_X = 1026;
    static constexpr int IDC_CENTER_Y = 1027;
    static constexpr int IDC_MAJOR = 1028;
    static constexpr int IDC_MINOR = 1029;
    static constexpr int IDC_START_ANGLE = 1031;
    static constexpr int IDC_END_ANGLE = 1032;
    static constexpr int IDC_ELLIPSE = 1037;
    static constexpr int IDC_ELLIPTIC_ARC = 1038;
    static constexpr int IDC_PREVIEW = 1042;
    static constexpr int IDC_LINE_TYPE = 1043;
    static constexpr int IDC_PEN = 1044;
    static constexpr int IDC_COLOR = 1045;
    static constexpr int IDC_TILT = 1046;

    explicit CChangeEllipDLg(QWidget* parent = nullptr);

    int kind = 0;  // 0 ellipse, 1 elliptic arc
    double centerX = 0, centerY = 0;  // relative to the drawing origin
    double majorAxis = 0, minorAxis = 0, tiltAngle = 0, startAngle = 0, endAngle = 0;

    void OnEllipse();
    void OnEllipticArc();

protected:
    bool OnInitDialog() override;
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    // The angle fields are in use for an elliptic arc only.
    void EnableAngles();

    QLineEdit* m_angles[2];    // start, end
    QRadioButton* m_kinds[2];  // ellipse, elliptic arc
};

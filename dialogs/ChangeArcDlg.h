#pragma once
// The circle and arc property dialog: centre, radius, the arc's angles and
// direction, circle or arc, line type, pen and colour.

#include "dialogs/PropertyDialog.h"

#include <QString>

class QLineEdit;
class QRadioButton;

inline constexpr unsigned IDD_CHANGE_ARC = 225;

class CChangeArcDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_PREVIEW = 1003;
    static constexpr int IDC_CIRCLE = 1005;
    static constexpr int IDC_ARC = 1007;
    static constexpr int IDC_CENTER_X = 1009;
    static constexpr int IDC_CENTER_Y = 1011;
    static constexpr int IDC_RADIUS = 1013;
    static constexpr int IDC_LINE_TYPE = 1015;
    static constexpr int IDC_PEN = 1017;
    static constexpr int IDC_COLOR = 1019;
    static constexpr int IDC_START_ANGLE = 1021;
    static constexpr int IDC_END_ANGLE = 1023;
    static constexpr int IDC_CLOCKWISE = 1025;
    static constexpr int IDC_COUNTERCLOCKWISE = 1027;

    explicit CChangeArcDlg(QWidget* parent = nullptr);

    int kind = 0;       // 0 circle, 1 arc
    int direction = 0;  // -1 clockwise, 1 counter-clockwise, 0 not set
    double centerX = 0, centerY = 0;  // relative to the drawing origin
    double radius = 0, startAngle = 0, endAngle = 0;

    void OnCircle();
    void OnArc();
    void EnableArcControls(int kind);
    void OnClockwise();
    void OnCounterClockwise();

protected:
    bool OnInitDialog() override;
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    QLineEdit* m_angles[2];           // start, end
    QRadioButton* m_kinds[2];         // circle, arc
    QRadioButton* m_directions[2];    // clockwise, counter-clockwise
};

// The sketch of the circle and ellipse dialogs' preview: the full figure,
// or three quarters of it for an arc.
void DrawEllipsePreview(platform::Dc& dc, const platform::Rect& r, int kind);

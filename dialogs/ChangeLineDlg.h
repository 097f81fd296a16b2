#pragma once
// The line property dialog: the two end points, the kind (free line,
// horizontal or vertical infinite line), line type, pen and colour.

#include "dialogs/PropertyDialog.h"

#include <QString>

class QLabel;
class QLineEdit;
class QRadioButton;

inline constexpr unsigned IDD_CHANGE_LINE = 208;

class CChangeLineDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_START_X = 1145;
    static constexpr int IDC_END_X = 1187;
    static constexpr int IDC_START_Y = 1171;
    static constexpr int IDC_END_Y = 1198;
    static constexpr int IDC_FREE = 1226;
    static constexpr int IDC_HORIZONTAL = 1227;
    static constexpr int IDC_VERTICAL = 1228;
    static constexpr int IDC_LINE_TYPE = 1229;
    static constexpr int IDC_COLOR = 1230;
    static constexpr int IDC_PREVIEW = 1231;
    static constexpr int IDC_PEN = 1406;

    explicit CChangeLineDlg(QWidget* parent = nullptr);

    int kind = 0;   // 0 free line, 1 horizontal, 2 vertical
    double startX = 0, startY = 0, endX = 0, endY = 0;  // relative to the drawing origin

    void OnFreeLine();
    void OnHorizontalLine();
    void OnVerticalLine();
    void EnableCoordinates(int kind);

protected:
    bool OnInitDialog() override;
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    // Start x, start y, end x, end y, and their labels.
    QLineEdit* m_edits[4];
    QLabel* m_labels[4];
    QRadioButton* m_kinds[3];
};

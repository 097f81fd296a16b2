#pragma once
// The text property dialogs: a text's string, height, width, angle, position,
// font, pen and colour; a text with a leader's string, height, width ratio,
// angle, font, arrowhead, leader shape, pen and colour.

#include "dialogs/PropertyDialog.h"

#include <QString>

#include <string>

class QRadioButton;

inline constexpr unsigned IDD_CHANGE_TEXT = 214;
inline constexpr unsigned IDD_CHANGE_LINE_TEXT = 216;

class CChangeTextDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_STRING = 1146;
    static constexpr int IDC_HEIGHT = 1172;
    static constexpr int IDC_WIDTH = 1188;
    static constexpr int IDC_ANGLE = 1200;
    static constexpr int IDC_FONT = 1247;
    static constexpr int IDC_X = 1248;
    static constexpr int IDC_Y = 1249;
    static constexpr int IDC_COLOR = 1250;
    static constexpr int IDC_PEN = 1412;

    explicit CChangeTextDlg(QWidget* parent = nullptr);

    QString text;
    double height = 0, width = 0, angle = 0;
    double posX = 0, posY = 0;  // relative to the drawing origin
    std::string fontName;       // code page 932
};

class CChangeLineTextDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_STRING = 1147;
    static constexpr int IDC_HEIGHT = 1173;
    static constexpr int IDC_X_SCALE = 1189;
    static constexpr int IDC_ANGLE = 1201;
    static constexpr int IDC_FONT = 1251;
    static constexpr int IDC_FREE_LINE = 1252;
    static constexpr int IDC_GUIDE_LINE = 1253;
    static constexpr int IDC_UNDERLINE = 1254;
    static constexpr int IDC_ARROWHEAD = 1255;
    static constexpr int IDC_COLOR = 1256;
    static constexpr int IDC_PREVIEW = 1257;
    static constexpr int IDC_PEN = 1407;

    explicit CChangeLineTextDlg(QWidget* parent = nullptr);

    QString text;
    int arrowhead = 0;    // 0 none, 1 black dot, 2 half arrow, 3 arrow
    int leaderShape = 0;  // 0 free line, 1 with a guide line, 2 with an underline
    double height = 0, xScale = 0, angle = 0;
    std::string fontName;  // code page 932

    void OnLeaderShape(int shape);
    void OnSelchangeArrowhead(int index);

protected:
    bool OnInitDialog() override;
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    QRadioButton* m_shapes[3];
};

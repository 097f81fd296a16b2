#pragma once
// The hatch and fill property dialogs: a hatch's pattern, spacings, angle,
// pen and colour; a fill's pattern, pen, fill colour and outline colour.

#include "dialogs/PropertyDialog.h"

class QRadioButton;

inline constexpr unsigned IDD_CHANGE_PAINT = 219;
inline constexpr unsigned IDD_CHANGE_HAT = 220;

class CChangeHatDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_SPACING_Y = 1149;
    static constexpr int IDC_SPACING_X = 1175;
    static constexpr int IDC_ANGLE = 1191;
    static constexpr int IDC_VERTICAL = 1266;  // the first of four pattern radios
    static constexpr int IDC_COLOR = 1270;
    static constexpr int IDC_PREVIEW = 1271;
    static constexpr int IDC_PEN = 1405;

    explicit CChangeHatDlg(QWidget* parent = nullptr);

    int pattern = 0;  // 0 vertical lines, 1 horizontal lines, 2 grid, 3 brick
    double spacingX = 0, spacingY = 0, angle = 0;

    void OnPattern(int chosen);

protected:
    bool OnInitDialog() override;
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    QRadioButton* m_patterns[4];
};

// The fill colour is the dialog's colour: a pen choice sets it too.
class CChangePaintDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_FILL_COLOR = 1264;
    static constexpr int IDC_PREVIEW = 1265;
    static constexpr int IDC_PEN = 1408;
    static constexpr int IDC_SOLID = 1471;  // the first of seven pattern radios
    static constexpr int IDC_OUTLINE_COLOR = 1483;

    explicit CChangePaintDlg(QWidget* parent = nullptr);

    COLORREF outlineColour = 0;
    int pattern = 0;  // 0 solid, 1..6 the hatch brushes

    void OnOutlineColorButton();
    // The colour the outline button shows.
    COLORREF OutlineButtonColour() const { return m_outlineShown; }

protected:
    bool OnInitDialog() override;
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    void PaintOutlineButton();

    QPushButton* m_outlineButton = nullptr;
    COLORREF m_outlineShown = 0;
    QRadioButton* m_patterns[7];
};

#pragma once
// The ten pages of the settings dialog (CInitialSetDlg): scale and paper,
// grid, dimensions, dimension prefixes, texts, hatching, screen colours,
// pens, thick lines and the parts folder.

#include "dialogs/InitPage.h"
#include "dialogs/OpeAnnotationBoxes.h"
#include "model/Entity.h"

#include <array>

class CLineComboBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Scale, paper and units of new drawings.
class CInitScaleDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 240;
    enum : int {
        IDC_SCALE = 1140,
        IDC_PAPER = 1342,
        IDC_UNITS_MM = 1343,
        IDC_UNITS_PT = 1344,
        IDC_SOURCE_PAPER = 1484,
        IDC_SOURCE_PRINTER = 1485,
        IDC_PAPER_LABEL = 1486,
    };
    explicit CInitScaleDlg(QWidget* parent = nullptr);
    void Refresh() override;

protected:
    void OnInitDialog() override;

private:
    void ShowChoices();
    void EnablePaperList(bool on);

    QLineEdit* m_editScale;
    QListWidget* m_listPaper;
    QLabel* m_labelPaper;
    QRadioButton* m_radioSource[2];
    QRadioButton* m_radioUnits[2];
};

// Grid of new drawings and the snap sensitivity.
class CInitGridDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 243;
    enum : int {
        IDC_PITCH = 1365,
        IDC_SENSITIVITY = 1366,
        IDC_KIND_LINES = 1367,
        IDC_KIND_POINTS = 1368,
        IDC_KIND_CROSSES = 1349,
        IDC_LINE_TYPE = 1441,
        IDC_LINE_TYPE_LABEL = 1487,
    };
    explicit CInitGridDlg(QWidget* parent = nullptr);
    void Refresh() override;

protected:
    void OnInitDialog() override;

private:
    void ShowChoices();
    void OnKind(int kind);

    QLineEdit* m_editPitch;
    QLineEdit* m_editSensitivity;
    QRadioButton* m_radioKind[3];
    CLineComboBox* m_listLineType;
    QLabel* m_labelLineType;
};

// Dimension font, sizes, decimals and arrowhead mode.
class CInitDimDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 244;
    enum : int {
        IDC_FONT = 1384,
        IDC_SIZE = 1361,
        IDC_UPPER = 1362,
        IDC_LOWER = 1186,
        IDC_DECIMALS = 1197,
        IDC_UNIT_SIZE = 1350,
        IDC_UNIT_UPPER = 1351,
        IDC_UNIT_LOWER = 1352,
        IDC_ARROW_FIXED = 1502,
        IDC_ARROW_SCALED = 1503,
    };
    explicit CInitDimDlg(QWidget* parent = nullptr);
    void Refresh() override;
    // The font list's names, as listed.
    const std::vector<std::string>& FontNames() const { return m_fontNames.Names(); }

protected:
    void OnInitDialog() override;

private:
    void FillFontList();
    void OnSelchangeFont(int position);

    QComboBox* m_listFont;
    QRadioButton* m_radioArrow[2];
    CFontNameList m_fontNames;
};

// Head texts of the eight dimension kinds.
class CInitAtamaMojiDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 247;
    // Distance, horizontal, vertical, perimeter, radius, diameter, angle, area.
    static constexpr std::array<int, 8> IDC_PREFIX{1130, 1160, 1181, 1194, 1380, 1381, 1382, 1383};
    explicit CInitAtamaMojiDlg(QWidget* parent = nullptr);
};

// Text sizes.
class CInitTextDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 241;
    enum : int { IDC_HEIGHT = 1363, IDC_WIDTH = 1364, IDC_UNIT_HEIGHT = 1345, IDC_UNIT_WIDTH = 1346 };
    explicit CInitTextDlg(QWidget* parent = nullptr);
};

// Hatch spacings.
class CInitHatDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 242;
    enum : int { IDC_SPACING_Y = 1369, IDC_SPACING_X = 1168, IDC_UNIT_Y = 1347, IDC_UNIT_X = 1348 };
    explicit CInitHatDlg(QWidget* parent = nullptr);
};

// Eight colour buttons, each showing its colour and choosing a new one.
class CColorButtonPage : public CInitPage {
    Q_OBJECT
public:
    // The colour the k-th button shows.
    COLORREF ButtonColour(int k) const;
    QPushButton* ColourButton(int k) const { return m_buttons[std::size_t(k)]; }
    // Fills the k-th button's picture with colour and redraws it at once.
    void PaintColorButton(int k, COLORREF colour);
    void Refresh() override;

protected:
    // The page carries colours, one per button.
    CColorButtonPage(unsigned resourceId, std::array<COLORREF, 8> CParameterBlock::*colours, QWidget* parent);
    // Makes the k-th button, id given.
    QPushButton* MakeColourButton(int k, int id);
    void OnInitDialog() override;

private:
    void OnColourButton(int k);

    std::array<COLORREF, 8>& m_colours;
    std::array<QPushButton*, 8> m_buttons{};
};

// Screen colours.
class CInitColorDlg : public CColorButtonPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 245;
    // Background, grid, highlight, instruction line, emphasis, zoom-range
    // line, output-range line, layer off.
    static constexpr std::array<int, 8> IDC_COLOUR{1353, 1354, 1355, 1356, 1357, 1358, 1359, 1360};
    explicit CInitColorDlg(QWidget* parent = nullptr);
};

// Pen colours and printed widths.
class CInitPenDlg : public CColorButtonPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 258;
    static constexpr std::array<int, 8> IDC_WIDTH{1134, 1163, 1184, 1196, 1428, 1429, 1430, 1431};
    static constexpr std::array<int, 8> IDC_COLOUR{1420, 1421, 1422, 1423, 1424, 1425, 1426, 1427};
    explicit CInitPenDlg(QWidget* parent = nullptr);
};

// Printed widths of the thick line types.
class CInitHutosenDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 296;
    // Thick, middle-thick, extra-thick.
    static constexpr std::array<int, 3> IDC_WIDTH{1128, 1158, 1180};
    explicit CInitHutosenDlg(QWidget* parent = nullptr);
};

// The parts library's folder.
class CInitBuhinDlg : public CInitPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 282;
    enum : int { IDC_FOLDER = 1137, IDC_BROWSE = 1490 };
    explicit CInitBuhinDlg(QWidget* parent = nullptr);

private:
    void OnBrowse();

    QLineEdit* m_editFolder;
};

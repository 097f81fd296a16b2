#pragma once
// Option panels of hatching, dimensions, texts and texts with a leader. Their
// size labels read "㎜" or "pt." by the units setting.

#include "dialogs/OperationBox.h"

#include <string>
#include <vector>

class QComboBox;

// Kind 11: hatching pattern, spacings and angle.
class COpeHatBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 171;
    static constexpr int IDC_VERTICAL = 1061, IDC_HORIZONTAL = 1062, IDC_GRID = 1063, IDC_BRICK = 1064;
    static constexpr int IDC_SPACING_X = 1065, IDC_SPACING_Y = 1066, IDC_ANGLE = 1067;
    static constexpr int IDC_UNIT_X = 1444, IDC_UNIT_Y = 1445;

    explicit COpeHatBox(QWidget* parent = nullptr);

    float m_fSpacingX;
    float m_fSpacingY;
    float m_fAngle;
    QString m_strUnitX, m_strUnitY;

protected:
    bool OnInitDialog() override;
};

// Kind 12: dimensions. The size list keeps one size for the arrowhead kinds
// without a point (none, black dot) and one for the arrows.
class COpeDimBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 167;
    static constexpr int IDC_TEXT_SIZE = 1052, IDC_DECIMALS = 1053, IDC_UPPER = 1054, IDC_LOWER = 1055;
    static constexpr int IDC_UNIT_SIZE = 1446, IDC_UNIT_UPPER = 1447, IDC_UNIT_LOWER = 1448;
    static constexpr int IDC_ARROWHEAD = 1051, IDC_ARROW_SIZE = 1499, IDC_TOLERANCE = 1379;

    explicit COpeDimBox(QWidget* parent = nullptr);

    float m_fTextSize;
    int m_nDecimals;
    float m_fUpper;
    float m_fLower;
    int m_nArrowhead;
    int m_nArrowSize;   // remembered size of the current arrowhead's group
    int m_nTolerance;   // list position; positions 3 and 7 are types 7 and 3
    QString m_strUnitSize, m_strUnitUpper, m_strUnitLower;

protected:
    bool OnInitDialog() override;
};

// The font list shared by the two text panels: the installed families, at most
// 512, in the order they are reported; the entry that matches the text font is
// selected.
class CFontNameList {
public:
    static constexpr std::size_t kMaxNames = 512;

    // Fills the table and the list; returns the position to select.
    int Fill(QComboBox* list);
    // The same for the face current instead of the text font.
    int Fill(QComboBox* list, const std::string& current);
    // The name at position cut to a face name's 47 bytes; empty outside the
    // table.
    std::string Name(int position) const;
    // The position of the last name that begins with current, both compared
    // without ASCII and ideographic blanks; 0 when none does.
    static int Match(const std::vector<std::string>& table, const std::string& current);
    // Copies the name at position into the text font (at most 47 bytes).
    void Choose(int position) const;
    const std::vector<std::string>& Names() const { return m_FontNameTable; }

private:
    std::vector<std::string> m_FontNameTable; // cp932
};

// Kind 13: texts.
class COpeTextBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 181;
    static constexpr int IDC_SIZE = 1086, IDC_ANGLE = 1087, IDC_FONT = 1088, IDC_UNIT = 1442;

    explicit COpeTextBox(QWidget* parent = nullptr);

    float m_fSize;
    float m_fAngle;
    int m_nFont;
    QString m_strUnit;
    CFontNameList m_FontNames;

protected:
    bool OnInitDialog() override;
};

// Kind 14: texts with a leader.
class COpeTextPlusBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 183;
    static constexpr int IDC_SIZE = 1089, IDC_ARROWHEAD = 1491, IDC_SHAPE = 1492, IDC_FONT = 1090, IDC_UNIT = 1443;

    explicit COpeTextPlusBox(QWidget* parent = nullptr);

    float m_fSize;
    int m_nArrowhead;
    int m_nShape;
    int m_nFont;
    QString m_strUnit;
    CFontNameList m_FontNames;

protected:
    bool OnInitDialog() override;
};

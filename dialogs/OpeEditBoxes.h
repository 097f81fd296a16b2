#pragma once
// Option panels of the editing commands: move and copy, stretch, enlarge and
// reduce, offset, and the pattern of fills.

#include "dialogs/OperationBox.h"

#include <QImage>

// Kind 10: copy between drawings, with a scale and a turn.
class COpeMoveBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 175;
    static constexpr int IDC_SCALE = 1069, IDC_ANGLE = 1070;

    explicit COpeMoveBox(QWidget* parent = nullptr);

    float m_fScale;
    float m_fAngle;
};

// Kind 24: move and copy, to a clicked point or by typed offsets.
class COpeMoveZahyoDlg : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 262;
    static constexpr int IDC_BY_MOUSE = 1488, IDC_BY_COORDINATES = 1489;
    static constexpr int IDC_SCALE = 1135, IDC_ANGLE = 1164;

    explicit COpeMoveZahyoDlg(QWidget* parent = nullptr);

    float m_fScale;
    float m_fAngle;
};

// Kind 19: stretch.
class COpeStretchBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 255;
    static constexpr int IDC_WHOLE = 1414, IDC_PART = 1415, IDC_PART_LINKED = 1416;

    explicit COpeStretchBox(QWidget* parent = nullptr);
};

// Kind 20: enlarge and reduce about a base point of the selection.
class COpeKakudaiBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 256;
    static constexpr int IDC_CENTRE = 1417, IDC_LOWER_LEFT = 1418, IDC_UPPER_LEFT = 1419;

    explicit COpeKakudaiBox(QWidget* parent = nullptr);
};

// Kind 21: offset.
class COpeOffsetBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 257;
    static constexpr int IDC_DISTANCE = 1133;

    explicit COpeOffsetBox(QWidget* parent = nullptr);

    float m_fDistance;
};

// Kind 23: the pattern of new fills, one picture button per pattern.
class COpePaintBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 260;
    static constexpr int IDC_FIRST_PATTERN = 1464;  // 1464..1470: patterns 0..6
    static constexpr int kPatterns = 7;
    static constexpr int IDI_FIRST_PATTERN = 176;   // pictures 176, 178, ... 188

    explicit COpePaintBox(QWidget* parent = nullptr);

    // The picture of fill pattern 0..6: solid, or the hatch brush of that
    // pattern, in black on white.
    static QImage PatternPicture(int pattern);
};

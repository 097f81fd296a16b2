#pragma once
// Option panels of the line tool: plain lines, continuous lines, lines with
// width, infinite lines, parallel lines and angle-moved lines.

#include "dialogs/OperationBox.h"

// Kind 17: plain lines. A free or horizontal/vertical line, an optional fixed
// length and, for free lines, an optional fixed angle.
class COpeLineBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 233;
    static constexpr int IDC_FREE = 1318, IDC_HV = 1319;
    static constexpr int IDC_LENGTH_GIVEN = 1371, IDC_LENGTH = 1141, IDC_LENGTH_UNIT = 1449;
    static constexpr int IDC_ANGLE_GIVEN = 1372, IDC_ANGLE = 1169;

    explicit COpeLineBox(QWidget* parent = nullptr);

    float m_fLineLength;
    int m_bLineLengthGiven;
    float m_fLineAngle;
    int m_bLineAngleGiven;

protected:
    void ApplyRules() override;
};

// Kind 18: continuous lines.
class COpeRenzokuLineBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 235;
    static constexpr int IDC_POLYLINE = 1321, IDC_HV = 1322;
    static constexpr int IDC_LENGTH_GIVEN = 1373, IDC_LENGTH = 1142, IDC_LENGTH_UNIT = 1453;

    explicit COpeRenzokuLineBox(QWidget* parent = nullptr);

    float m_fLineLength;
    int m_bLineLengthGiven;

protected:
    void ApplyRules() override;
};

// Kind 4: lines with width (two parallel lines, optionally with the centre line).
class OpeHabatukiBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 169;
    static constexpr int IDC_POLYLINE = 1056, IDC_HV = 1057;
    static constexpr int IDC_LEFT_GAP = 1059, IDC_RIGHT_GAP = 1060, IDC_CENTRE = 1058;
    static constexpr int IDC_LENGTH_GIVEN = 1374, IDC_LENGTH = 1143, IDC_LENGTH_UNIT = 1452;

    explicit OpeHabatukiBox(QWidget* parent = nullptr);

    float m_fLineLength;
    int m_bLineLengthGiven;
    float m_fLeftGap;
    float m_fRightGap;
    int m_bCentre;

protected:
    void ApplyRules() override;
};

// Kind 15: infinite lines, horizontal, vertical or at a fixed angle.
class COpeMugenBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 231;
    static constexpr int IDC_HORIZONTAL = 1311, IDC_VERTICAL = 1312, IDC_AT_ANGLE = 1313;
    static constexpr int IDC_ANGLE_LABEL = 1314, IDC_ANGLE = 1153;

    explicit COpeMugenBox(QWidget* parent = nullptr);

    float m_fAngle;

protected:
    void ApplyRules() override;
};

// Kind 16: parallel lines, optionally at a fixed distance and several at once.
class COpeParallelBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 232;
    static constexpr int IDC_DISTANCE_GIVEN = 1315, IDC_DISTANCE = 1154, IDC_DISTANCE_UNIT = 1450;
    static constexpr int IDC_COUNT_LABEL = 1317, IDC_COUNT = 1177;

    explicit COpeParallelBox(QWidget* parent = nullptr);

    float m_fDistance;
    int m_bDistanceGiven;
    int m_nCount;

protected:
    void ApplyRules() override;
};

// Kind 3: angle-moved lines.
class COpeAngleBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 159;
    static constexpr int IDC_ANGLE = 1032, IDC_LENGTH_GIVEN = 1376, IDC_LENGTH = 1033, IDC_LENGTH_UNIT = 1451;

    explicit COpeAngleBox(QWidget* parent = nullptr);

    float m_fAngle;
    int m_bLengthGiven;
    float m_fLineLength;

protected:
    void ApplyRules() override;
};

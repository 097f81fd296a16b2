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

#pragma once
// Option panels of boxes, regular polygons and corners.

#include "dialogs/OperationBox.h"

// Kind 7: boxes of a fixed size and angle about a chosen base point.
class COpeRectBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 179;
    static constexpr int IDC_SIZE_GIVEN = 1077, IDC_WIDTH = 1078, IDC_HEIGHT = 1079, IDC_ANGLE = 1080;
    static constexpr int IDC_BASE = 1081;
    static constexpr int IDC_WIDTH_LABEL = 1082, IDC_HEIGHT_LABEL = 1083, IDC_ANGLE_LABEL = 1084;
    static constexpr int IDC_BASE_LABEL = 1085, IDC_WIDTH_UNIT = 1454, IDC_HEIGHT_UNIT = 1455;

    explicit COpeRectBox(QWidget* parent = nullptr);

    int m_bSizeGiven;
    float m_fWidth;
    float m_fHeight;
    float m_fAngle;
    int m_nBase;

protected:
    void ApplyRules() override;
};

// Kind 8: regular polygons.
class COpePolyBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 177;
    static constexpr int IDC_VERTICES = 1072, IDC_SIZE_GIVEN = 1071, IDC_DISTANCE = 1073, IDC_DISTANCE_UNIT = 1456;
    static constexpr int IDC_ANGLE_LABEL = 1076, IDC_ANGLE = 1074;

    explicit COpePolyBox(QWidget* parent = nullptr);

    int m_nVertices;
    int m_bSizeGiven;
    float m_fDistance;
    float m_fAngle;

protected:
    void ApplyRules() override;
};

// Kind 9: corners, plain, chamfered or rounded, trimming either line.
class COpeCornerBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 165;
    static constexpr int IDC_TRIM1 = 1044, IDC_TRIM2 = 1045;
    static constexpr int IDC_PLAIN = 1046, IDC_CHAMFER = 1047, IDC_ROUND = 1048;
    static constexpr int IDC_DISTANCE_LABEL = 1050, IDC_DISTANCE = 1049, IDC_DISTANCE_UNIT = 1459;

    explicit COpeCornerBox(QWidget* parent = nullptr);

    int m_bTrim1;
    int m_bTrim2;
    float m_fDistance;

protected:
    void ApplyRules() override;
};

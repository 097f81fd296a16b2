#pragma once
// Option panels of the circle tool: circles and arcs of a fixed radius.

#include "dialogs/OperationBox.h"

// Kind 5: circles by radius.
class COpeCircleBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 163;
    static constexpr int IDC_RADIUS_GIVEN = 1042, IDC_RADIUS = 1043, IDC_RADIUS_UNIT = 1457;

    explicit COpeCircleBox(QWidget* parent = nullptr);

    float m_fRadius;
    int m_bRadiusGiven;

protected:
    void ApplyRules() override;
};

// Kind 6: arcs by radius, with fixed start and end angles and direction.
class COpeArcBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 161;
    static constexpr int IDC_RADIUS_GIVEN = 1034, IDC_RADIUS = 1035, IDC_RADIUS_UNIT = 1458;
    static constexpr int IDC_START_LABEL = 1040, IDC_START = 1036, IDC_END_LABEL = 1041, IDC_END = 1037;
    static constexpr int IDC_CLOCKWISE = 1038, IDC_COUNTER_CLOCKWISE = 1039;

    explicit COpeArcBox(QWidget* parent = nullptr);

    float m_fRadius;
    int m_bRadiusGiven;
    float m_fStartAngle;
    float m_fEndAngle;

protected:
    void ApplyRules() override;
};

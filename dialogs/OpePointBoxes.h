#pragma once
// Option panels of the point commands: a point by typed coordinates, a point
// moved along an entity, and free, intersection and constituent points. Each
// chooses the shape of the point marker.

#include "dialogs/OperationBox.h"

// Kind 1: a point at typed coordinates.
class COpeZahyoBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 185;
    static constexpr int IDC_POINT = 1438, IDC_CIRCLE = 1439, IDC_RECT = 1440;
    static constexpr int IDC_X = 1091, IDC_Y = 1092;

    explicit COpeZahyoBox(QWidget* parent = nullptr);

    float m_fX;
    float m_fY;
};

// Kind 2: a point at a distance along an entity.
class COpeKyoriBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 173;
    static constexpr int IDC_POINT = 1435, IDC_CIRCLE = 1436, IDC_RECT = 1437;
    static constexpr int IDC_DISTANCE = 1068;

    explicit COpeKyoriBox(QWidget* parent = nullptr);

    float m_fDistance;
};

// Kind 22: free points, intersection points and constituent points.
class COpePointBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 259;
    static constexpr int IDC_POINT = 1432, IDC_CIRCLE = 1433, IDC_RECT = 1434;

    explicit COpePointBox(QWidget* parent = nullptr);
};

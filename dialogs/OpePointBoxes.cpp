#include "dialogs/OpePointBoxes.h"

#include "model/Settings.h"

namespace {

const QString kPoint = QStringLiteral("点形状");
const QString kCircle = QStringLiteral("円形状");
const QString kRect = QStringLiteral("矩形形状");

} // namespace

COpeZahyoBox::COpeZahyoBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　座標指定　"), parent), m_fX(PointCoordX), m_fY(PointCoordY)
{
    AddRadios({{IDC_POINT, kPoint}, {IDC_CIRCLE, kCircle}, {IDC_RECT, kRect}}, PointShape);
    AddLabel(QStringLiteral("X座標"));
    AddRealEdit(IDC_X, m_fX, [this] { PointCoordX = m_fX; });
    AddLabel(QStringLiteral("Y座標"));
    AddRealEdit(IDC_Y, m_fY, [this] { PointCoordY = m_fY; });
    AddStretch();
}

COpeKyoriBox::COpeKyoriBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　距離指定 "), parent), m_fDistance(PointOptionDistance)
{
    AddRadios({{IDC_POINT, kPoint}, {IDC_CIRCLE, kCircle}, {IDC_RECT, kRect}}, PointShape);
    AddLabel(QStringLiteral("距離"));
    AddRealEdit(IDC_DISTANCE, m_fDistance, [this] { PointOptionDistance = m_fDistance; });
    AddLabel(QStringLiteral("㎜"));
    AddStretch();
}

COpePointBox::COpePointBox(QWidget* parent) : COperationBox(IDD, QStringLiteral("　点指定 "), parent)
{
    AddRadios({{IDC_POINT, kPoint}, {IDC_CIRCLE, kCircle}, {IDC_RECT, kRect}}, PointShape);
    AddStretch();
}

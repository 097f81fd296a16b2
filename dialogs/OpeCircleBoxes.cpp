#include "dialogs/OpeCircleBoxes.h"

#include "model/Settings.h"

COpeCircleBox::COpeCircleBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　円指定 "), parent),
      m_fRadius(CircleRadius),
      m_bRadiusGiven(CircleRadiusGiven)
{
    AddCheck(IDC_RADIUS_GIVEN, QStringLiteral("半径指定"), m_bRadiusGiven, CircleRadiusGiven);
    AddRealEdit(IDC_RADIUS, m_fRadius, [this] { CircleRadius = m_fRadius; });
    AddLabel(QStringLiteral("㎜"), IDC_RADIUS_UNIT);
    AddStretch();
}

void COpeCircleBox::ApplyRules()
{
    EnableControls({IDC_RADIUS, IDC_RADIUS_UNIT}, IsChecked(IDC_RADIUS_GIVEN));
}

COpeArcBox::COpeArcBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　円弧指定 "), parent),
      m_fRadius(CircleRadius),
      m_bRadiusGiven(CircleRadiusGiven),
      m_fStartAngle(ArcStartAngle),
      m_fEndAngle(ArcEndAngle)
{
    AddCheck(IDC_RADIUS_GIVEN, QStringLiteral("半径指定"), m_bRadiusGiven, CircleRadiusGiven);
    AddRealEdit(IDC_RADIUS, m_fRadius, [this] { CircleRadius = m_fRadius; });
    AddLabel(QStringLiteral("㎜"), IDC_RADIUS_UNIT);
    AddLabel(QStringLiteral("始角"), IDC_START_LABEL);
    AddRealEdit(IDC_START, m_fStartAngle, [this] { ArcStartAngle = m_fStartAngle; });
    AddLabel(QStringLiteral("終角"), IDC_END_LABEL);
    AddRealEdit(IDC_END, m_fEndAngle, [this] { ArcEndAngle = m_fEndAngle; });
    AddRadios({{IDC_CLOCKWISE, QStringLiteral("時計回り")}, {IDC_COUNTER_CLOCKWISE, QStringLiteral("反時計回り")}},
              ArcDirection);
    AddStretch();
}

void COpeArcBox::ApplyRules()
{
    EnableControls({IDC_RADIUS, IDC_RADIUS_UNIT, IDC_START_LABEL, IDC_START, IDC_END_LABEL, IDC_END, IDC_CLOCKWISE,
                    IDC_COUNTER_CLOCKWISE},
                   IsChecked(IDC_RADIUS_GIVEN));
}

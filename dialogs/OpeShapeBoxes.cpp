#include "dialogs/OpeShapeBoxes.h"

#include "model/Settings.h"

#include <QComboBox>

namespace {

QString Mm()
{
    return QStringLiteral("㎜");
}

} // namespace

COpeRectBox::COpeRectBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　BOX指定 "), parent),
      m_bSizeGiven(ShapeSizeGiven),
      m_fWidth(RectWidth),
      m_fHeight(RectHeight),
      m_fAngle(ShapeAngle),
      m_nBase(RectBasePoint)
{
    AddCheck(IDC_SIZE_GIVEN, QStringLiteral("数値指定"), m_bSizeGiven, ShapeSizeGiven);
    AddLabel(QStringLiteral("X寸法"), IDC_WIDTH_LABEL);
    AddRealEdit(IDC_WIDTH, m_fWidth, [this] { RectWidth = m_fWidth; });
    AddLabel(Mm(), IDC_WIDTH_UNIT);
    AddLabel(QStringLiteral("Y寸法"), IDC_HEIGHT_LABEL);
    AddRealEdit(IDC_HEIGHT, m_fHeight, [this] { RectHeight = m_fHeight; });
    AddLabel(Mm(), IDC_HEIGHT_UNIT);
    AddLabel(QStringLiteral("角度"), IDC_ANGLE_LABEL);
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { ShapeAngle = m_fAngle; });
    AddLabel(QStringLiteral("基準点"), IDC_BASE_LABEL);
    AddList(IDC_BASE, {QStringLiteral(" 中心基準"), QStringLiteral(" 左下基準")}, m_nBase, [this] {
        if (m_nBase >= 0) {
            RectBasePoint = int16_t(m_nBase);
        }
    });
    AddStretch();
}

void COpeRectBox::ApplyRules()
{
    EnableControls({IDC_WIDTH, IDC_HEIGHT, IDC_ANGLE, IDC_BASE, IDC_WIDTH_LABEL, IDC_HEIGHT_LABEL, IDC_ANGLE_LABEL,
                    IDC_BASE_LABEL, IDC_WIDTH_UNIT, IDC_HEIGHT_UNIT},
                   IsChecked(IDC_SIZE_GIVEN));
}

// ---------------------------------------------------------------------------

COpePolyBox::COpePolyBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　多角形指定 "), parent),
      m_nVertices(PolygonVertexCount),
      m_bSizeGiven(ShapeSizeGiven),
      m_fDistance(PolygonDistance),
      m_fAngle(ShapeAngle)
{
    AddLabel(QStringLiteral("頂点数"));
    AddIntegerEdit(IDC_VERTICES, m_nVertices, [this] { PolygonVertexCount = int16_t(m_nVertices); }, Range{3, 24});
    AddCheck(IDC_SIZE_GIVEN, QStringLiteral("距離指定"), m_bSizeGiven, ShapeSizeGiven);
    AddRealEdit(IDC_DISTANCE, m_fDistance, [this] { PolygonDistance = m_fDistance; });
    AddLabel(Mm(), IDC_DISTANCE_UNIT);
    AddLabel(QStringLiteral("角度"), IDC_ANGLE_LABEL);
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { ShapeAngle = m_fAngle; }, Range{-360, 360});
    AddStretch();
}

void COpePolyBox::ApplyRules()
{
    EnableControls({IDC_DISTANCE, IDC_DISTANCE_UNIT, IDC_ANGLE_LABEL, IDC_ANGLE}, IsChecked(IDC_SIZE_GIVEN));
}

// ---------------------------------------------------------------------------

COpeCornerBox::COpeCornerBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　角指定 "), parent),
      m_bTrim1(CornerTrimLine1),
      m_bTrim2(CornerTrimLine2),
      m_fDistance(CornerDistance)
{
    AddCheck(IDC_TRIM1, QStringLiteral("線１トリミング"), m_bTrim1, CornerTrimLine1);
    AddCheck(IDC_TRIM2, QStringLiteral("線２トリミング"), m_bTrim2, CornerTrimLine2);
    AddRadios({{IDC_PLAIN, QStringLiteral("なし")}, {IDC_CHAMFER, QStringLiteral("面取")}, {IDC_ROUND, QStringLiteral("角丸")}},
              CornerMode);
    AddLabel(QStringLiteral("距離"), IDC_DISTANCE_LABEL);
    AddRealEdit(IDC_DISTANCE, m_fDistance, [this] { CornerDistance = m_fDistance; });
    AddLabel(Mm(), IDC_DISTANCE_UNIT);
    AddStretch();
}

void COpeCornerBox::ApplyRules()
{
    EnableControls({IDC_DISTANCE, IDC_DISTANCE_LABEL, IDC_DISTANCE_UNIT}, CornerMode != 0);
}

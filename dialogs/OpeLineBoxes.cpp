#include "dialogs/OpeLineBoxes.h"

#include "model/Settings.h"

namespace {

const COperationBox::Range kAngleRange{-360, 360};

QString Mm()
{
    return QStringLiteral("㎜");
}

} // namespace

// ---------------------------------------------------------------------------

COpeLineBox::COpeLineBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　直線指定 "), parent),
      m_fLineLength(LineLength),
      m_bLineLengthGiven(LineLengthGiven),
      m_fLineAngle(LineAngle),
      m_bLineAngleGiven(LineAngleGiven)
{
    AddRadios({{IDC_FREE, QStringLiteral("任意線")}, {IDC_HV, QStringLiteral("水平垂直線")}}, LineMode);
    AddCheck(IDC_LENGTH_GIVEN, QStringLiteral("長さ指定"), m_bLineLengthGiven, LineLengthGiven);
    AddRealEdit(IDC_LENGTH, m_fLineLength, [this] { LineLength = m_fLineLength; });
    AddLabel(Mm(), IDC_LENGTH_UNIT);
    AddCheck(IDC_ANGLE_GIVEN, QStringLiteral("角度指定"), m_bLineAngleGiven, LineAngleGiven);
    AddRealEdit(IDC_ANGLE, m_fLineAngle, [this] { LineAngle = m_fLineAngle; }, kAngleRange);
    AddStretch();
}

void COpeLineBox::ApplyRules()
{
    EnableControls({IDC_LENGTH, IDC_LENGTH_UNIT}, IsChecked(IDC_LENGTH_GIVEN));
    // A fixed angle only makes sense for free lines.
    bool free = LineMode == 0;
    EnableControls({IDC_ANGLE_GIVEN}, free);
    EnableControls({IDC_ANGLE}, free && IsChecked(IDC_ANGLE_GIVEN));
}

// ---------------------------------------------------------------------------

COpeRenzokuLineBox::COpeRenzokuLineBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　連続線指定 "), parent),
      m_fLineLength(LineLength),
      m_bLineLengthGiven(LineLengthGiven)
{
    AddRadios({{IDC_POLYLINE, QStringLiteral("折れ線")}, {IDC_HV, QStringLiteral("水平垂直線")}}, ContinuousLineMode);
    AddCheck(IDC_LENGTH_GIVEN, QStringLiteral("長さ指定"), m_bLineLengthGiven, LineLengthGiven);
    AddRealEdit(IDC_LENGTH, m_fLineLength, [this] { LineLength = m_fLineLength; });
    AddLabel(Mm(), IDC_LENGTH_UNIT);
    AddStretch();
}

void COpeRenzokuLineBox::ApplyRules()
{
    EnableControls({IDC_LENGTH, IDC_LENGTH_UNIT}, IsChecked(IDC_LENGTH_GIVEN));
}

// ---------------------------------------------------------------------------

OpeHabatukiBox::OpeHabatukiBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　幅付き線 "), parent),
      m_fLineLength(LineLength),
      m_bLineLengthGiven(LineLengthGiven),
      m_fLeftGap(DoubleLineLeftGap),
      m_fRightGap(DoubleLineRightGap),
      m_bCentre(DoubleLineCentre)
{
    AddRadios({{IDC_POLYLINE, QStringLiteral("折れ線")}, {IDC_HV, QStringLiteral("水平垂直線")}}, DoubleLineMode);
    AddLabel(QStringLiteral("左側間隔"));
    AddRealEdit(IDC_LEFT_GAP, m_fLeftGap, [this] { DoubleLineLeftGap = m_fLeftGap; });
    AddLabel(QStringLiteral("右側間隔"));
    AddRealEdit(IDC_RIGHT_GAP, m_fRightGap, [this] { DoubleLineRightGap = m_fRightGap; });
    AddCheck(IDC_CENTRE, QStringLiteral("中心線"), m_bCentre, DoubleLineCentre);
    AddCheck(IDC_LENGTH_GIVEN, QStringLiteral("長さ指定"), m_bLineLengthGiven, LineLengthGiven);
    AddRealEdit(IDC_LENGTH, m_fLineLength, [this] { LineLength = m_fLineLength; });
    AddLabel(Mm(), IDC_LENGTH_UNIT);
    AddStretch();
}

void OpeHabatukiBox::ApplyRules()
{
    EnableControls({IDC_LENGTH, IDC_LENGTH_UNIT}, IsChecked(IDC_LENGTH_GIVEN));
}

// ---------------------------------------------------------------------------

COpeMugenBox::COpeMugenBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　無限線指定 "), parent), m_fAngle(InfiniteLineAngle)
{
    AddRadios({{IDC_HORIZONTAL, QStringLiteral("水平線")},
               {IDC_VERTICAL, QStringLiteral("垂直線")},
               {IDC_AT_ANGLE, QStringLiteral("角度指定")}},
              InfiniteLineMode);
    AddLabel(QStringLiteral("角度"), IDC_ANGLE_LABEL);
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { InfiniteLineAngle = m_fAngle; }, kAngleRange);
    AddStretch();
}

void COpeMugenBox::ApplyRules()
{
    EnableControls({IDC_ANGLE, IDC_ANGLE_LABEL}, InfiniteLineMode == 2);
}

// ---------------------------------------------------------------------------

COpeParallelBox::COpeParallelBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　平行線指定 "), parent),
      m_fDistance(ParallelDistance),
      m_bDistanceGiven(ParallelDistanceGiven),
      m_nCount(ParallelCount)
{
    AddCheck(IDC_DISTANCE_GIVEN, QStringLiteral("距離指定"), m_bDistanceGiven, ParallelDistanceGiven);
    AddRealEdit(IDC_DISTANCE, m_fDistance, [this] { ParallelDistance = m_fDistance; });
    AddLabel(Mm(), IDC_DISTANCE_UNIT);
    AddLabel(QStringLiteral("連続数"), IDC_COUNT_LABEL);
    AddIntegerEdit(IDC_COUNT, m_nCount, [this] { ParallelCount = int16_t(m_nCount); }, Range{1, 100});
    AddStretch();
}

void COpeParallelBox::ApplyRules()
{
    EnableControls({IDC_DISTANCE, IDC_DISTANCE_UNIT, IDC_COUNT_LABEL, IDC_COUNT}, IsChecked(IDC_DISTANCE_GIVEN));
}

// ---------------------------------------------------------------------------

COpeAngleBox::COpeAngleBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　角度指定 "), parent),
      m_fAngle(AngleBoxAngle),
      m_bLengthGiven(AngleBoxLengthGiven),
      m_fLineLength(LineLength)
{
    AddLabel(QStringLiteral("角度"));
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { AngleBoxAngle = m_fAngle; });
    AddCheck(IDC_LENGTH_GIVEN, QStringLiteral("長さ指定"), m_bLengthGiven, AngleBoxLengthGiven);
    AddRealEdit(IDC_LENGTH, m_fLineLength, [this] { LineLength = m_fLineLength; });
    AddLabel(Mm(), IDC_LENGTH_UNIT);
    AddStretch();
}

void COpeAngleBox::ApplyRules()
{
    EnableControls({IDC_LENGTH, IDC_LENGTH_UNIT}, IsChecked(IDC_LENGTH_GIVEN));
}

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

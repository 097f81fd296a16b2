// CTextTool: the edit box, the leader's clicks and rubber band, and the
// texts made on Enter.

#include "tools/TextTool.h"

#include "view/OrvikCadView.h"
#include "model/Settings.h"
#include "model/Utilities.h"
#include "platform/Encoding.h"
#include "tools/SubModeSteps.h"
#include "tools/ToolEdit.h"
#include "model/EntityKinds.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <cmath>

namespace {

// The edge of a sunken edit control, in pixels.
constexpr int EditEdge = 2;

} // namespace

CTextTool::CTextTool() : CDrawTool(ToolId::Text)
{
}

// ---- the edit box ----

bool CTextTool::PlaceTextBox(COrvikCadView* view, platform::Point at)
{
    QLineEdit* box = view ? view->textEdit : nullptr;
    if (!box)
        return false;
    const int h = QFontMetrics(box->font()).height();
    int x = at.x, y = at.y;
    view->LogicalToDevice(x, y);
    box->setGeometry(x, y - h - 2 * EditEdge - 2, 300, h + 2 * EditEdge + 3);
    box->setEnabled(true);
    box->setFocus();
    view->update();
    TextBoxOpen = 1;
    Prompt("文字を入力後、[Enter]キーで作図します。");
    return true;
}

void CTextTool::HideTextBox(COrvikCadView* view)
{
    if (!view || !view->textEdit)
        return;
    view->textEdit->setGeometry(0, 0, 0, 0);
    view->textEdit->setEnabled(false);
    view->update();
}

// ---- the sub-modes ----

// What each sub-mode does with the view's calls.
struct CTextTool::SubModeRow {
    SubModeStep<CTextTool> step;  // right button: the text box or the leader goes
    ViewHandler reset = nullptr;  // Reset (another tool, the cancel command)
};

const CTextTool::SubModeRow* CTextTool::RowOf(int subMode)
{
    using T = CTextTool;
    static constexpr SubModeRow rows[] = {
        // Plain
        {{"文字列を作図します。作図位置を指示して下さい。", &T::OpenTextBox, nullptr, &T::CancelTextBox}, nullptr},
        // Leader
        {{"指示線付き文字列を作図します。作図位置を指示して下さい。", &T::AddLeaderPoint, &T::MoveLeaderStep,
          &T::CancelLeaderStep},
         &T::ResetLeaderStep},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CTextTool::FirstPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->step.prompt : "";
}

void CTextTool::MoveLeaderStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount <= 0)
        return;
    if (XorPreviewShown == 1)
        corner = p;
    ShowBand(view, anchor, corner);
    XorPreviewShown = 1;
}

void CTextTool::CancelTextBox(COrvikCadView* view)
{
    HideTextBox(view);
    InputPointCount = 0;
    TextBoxOpen = 0;
}

void CTextTool::CancelLeaderStep(COrvikCadView*)
{
    if (InputPointCount == 0)
        return;
    Prompt(FirstPrompt(TextToolMode::Leader));
    EraseBandAndCross();
    InputPointCount = 0;
    OperationRestarted = 1;
}

void CTextTool::ResetLeaderStep(COrvikCadView*)
{
    // A leader begun and given up takes its figures with it.
    if (InputPointCount == 0)
        return;
    EraseBandAndCross();
    InputPointCount = 0;
    XorPreviewShown = 0;
    OperationRestarted = 1;
}

// ---- the view's calls ----

void CTextTool::FocusOptionBox(COrvikCadView*)
{
    FocusMainOptionBox();
}

void CTextTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    RecordRop2(view);
}

void CTextTool::OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (view && point && row)
        RunStep(*this, row->step.click, view, *point);
    XorPreviewShown = 0;
    CDrawTool::OnLButtonUp(view, flags, point);
}

void CTextTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.move, view, *point);
    UpdateMagnetMarker(view, *point);
}

void CTextTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.cancel, view);
}

void CTextTool::Reset(COrvikCadView* view)
{
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->reset, view);
}

void CTextTool::ErasePreview(COrvikCadView*)
{
    EraseBandAndCross();
}

// ---- clicks ----

void CTextTool::OpenTextBox(COrvikCadView* view, platform::Point point)
{
    if (!view->textEdit)
        return;
    platform::Point at = point;
    if (magnetKind != 0) {
        X[0] = markerPoint[0];
        Y[0] = markerPoint[1];
        at = markerDevice;
    } else {
        X[0] = view->XToModel(point.x);
        Y[0] = view->YToModel(point.y);
    }
    PlaceTextBox(view, at);
    view->textEdit->clear();
    InputPointCount = 1;
}

void CTextTool::AddLeaderPoint(COrvikCadView* view, platform::Point point)
{
    if (!view->textEdit)
        return;
    TextBoxOpen = 0;
    const TakenPoint taken = TakePoint(view, point);
    const double x = taken.x, y = taken.y;
    const platform::Point at = taken.view;
    const int i = InputPointCount == 0 ? 0 : 1;
    X[i] = x;
    Y[i] = y;
    if (i == 0) {
        anchor = corner = at;
        EraseBandAndCross();
        ShowCross(view, anchor);
        InputPointCount = 1;
        Prompt("指示線の終端を指示して下さい。");
        return;
    }
    InputPointCount = 0;
    EraseBandAndCross();
    if (at.x == anchor.x && at.y == anchor.y)
        return;
    // The box keeps the text of the previous input.
    PlaceTextBox(view, at);
}

// ---- Enter ----

std::vector<double> CTextTool::LeaderValues(int shape, double x0, double y0, double x1, double y1,
                                            std::string_view text, double h, double height, double width,
                                            double angle)
{
    const double nb = MbcsByteLength(text);
    const double nc = CountMbcsChars(text);
    const bool left = x0 > x1;
    double tx = 0.0, ty = 0.0, gx = 0.0, gy = y1;
    switch (shape) {
    case 1:
        gx = left ? x1 - h : x1 + h;
        tx = left ? gx - nb * h / 2 - h / 2 : gx + h / 2;
        ty = y1 - h / 2;
        break;
    case 2:
        gx = left ? x1 - (nb + 1) * h / 2 : x1 + (nb + 1) * h / 2;
        tx = left ? x1 - nb * h / 2 - h / 2 : x1 + h / 2;
        ty = y1 + h / 2;
        break;
    default:
        tx = left ? x1 - nc * h - h / 2 : x1 + h / 2;
        ty = y1 - h / 2;
        break;
    }
    std::vector<double> v{tx, ty, height, width, angle, x0, y0, x1, y1};
    if (shape == 1 || shape == 2) {
        v.push_back(gx);
        v.push_back(gy);
    }
    return v;
}

void CTextTool::OnEnterKey(COrvikCadView* view)
{
    if (TextBoxOpen != 1)
        return;
    TextBoxOpen = 0;
    if (!view || !view->textEdit)
        return;
    const std::string typed = platform::ToCp932(view->textEdit->text());
    HideTextBox(view);
    InputPointCount = 0;
    const std::string text = platform::Cp932Truncate(typed, MaxTextBytes);

    const double factor = UnitsMode == 1 ? view->MappingScale() : 1.0;
    const double height = TextHeight * factor, width = TextWidth * factor;
    const double angle = TextAngle;
    if (ToolSubMode == TextToolMode::Plain) {
        Prompt(FirstPrompt(TextToolMode::Plain));
        const int16_t* codes = FixedCodes(EntityType::Text).data();
        const double values[5] = {X[0], Y[0], height, width, angle};
        ToolEdit edit(view);
        edit.Add(edit.Header(EntityType::Text, TextSubtype, 5), codes, values, text, TextFontName);
        return;
    }
    if (ToolSubMode != TextToolMode::Leader)
        return;
    Prompt(FirstPrompt(TextToolMode::Leader));
    const int16_t* codes = FixedCodes(EntityType::LeaderText).data();
    const std::vector<double> values =
        LeaderValues(LeaderShape, X[0], Y[0], X[1], Y[1], text, height, height, width, angle);
    ToolEdit edit(view);
    const int16_t subtype = static_cast<int16_t>(LeaderShape * 10 + ArrowheadKind);
    edit.Add(edit.Header(EntityType::LeaderText, subtype, static_cast<int16_t>(values.size())), codes,
             values.data(), text, TextFontName);
}

// ---- figures drawn with the not-XOR mix ----

void CTextTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (!view)
        return;
    band_.Redraw(view, dc);
    cross_.Redraw(view, dc);
}

void CTextTool::ShowBand(COrvikCadView* view, platform::Point a, platform::Point b)
{
    band_.ShowLine(view, xorColor, a, b);
}

void CTextTool::ShowCross(COrvikCadView* view, platform::Point at)
{
    cross_.ShowCross(view, xorColor, at);
}

void CTextTool::EraseBandAndCross()
{
    band_.Erase();
    cross_.Erase();
}

// Numeric input from the view: which dialog opens in which tool step, and
// how the typed values reach the step of the current tool.

#include "common/ToolHarness.h"

#include "resources/Resource.h"
#include "tools/InputNumDlg.h"
#include "tools/LineInputDlg.h"

#include "platform/Controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

using platform::control;

namespace {

// Stands in for the real tool of its id, ahead of it in ToolList, and
// records what the view asks of it. Its OnLButtonUp takes the typed values
// the way a tool step does: it reads them and clears NumericInputPending.
class RoutingProbe : public CDrawTool {
public:
    struct Call {
        std::string what;
        int pending = 0;
        double value = 0, value2 = 0;
        int kind = 0;
        int step = 0;
        platform::Point point{};
    };

    explicit RoutingProbe(int id) : CDrawTool(id)
    {
        order_.assign(ToolList.begin(), ToolList.end());
        std::vector<CDrawTool*> ahead{this};
        for (CDrawTool* t : order_)
            if (t != this)
                ahead.push_back(t);
        Rebuild(ahead);
    }
    ~RoutingProbe() override
    {
        std::vector<CDrawTool*> without;
        for (CDrawTool* t : order_)
            if (t != this)
                without.push_back(t);
        Rebuild(without);
    }

    void OnLButtonUp(COrvikCadView*, unsigned, platform::Point* point) override
    {
        Record("up", point);
        NumericInputPending = 0;
    }
    void Reset(COrvikCadView*) override
    {
        Record("reset");
        InputPointCount = 0;
    }
    void ErasePreview(COrvikCadView*) override
    {
        Record("erase");
        InputPointCount = stepSeenByErase;  // a tool may move the step while erasing
    }
    void EndSelection(COrvikCadView*) override { Record("end"); }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> out;
        for (const Call& c : calls)
            out.push_back(c.what);
        return out;
    }

    std::vector<Call> calls;
    int stepSeenByErase = 0;

private:
    void Record(const char* what, const platform::Point* point = nullptr)
    {
        calls.push_back({what, NumericInputPending, NumericInputValue, NumericInputValue2, NumericInputKind,
                         InputPointCount, point ? *point : platform::Point{}});
    }
    static void Rebuild(const std::vector<CDrawTool*>& tools)
    {
        std::vector<CDrawTool*> present(ToolList.begin(), ToolList.end());
        for (CDrawTool* t : present)
            ToolList.Remove(t);
        for (CDrawTool* t : tools)
            ToolList.AddTail(t);
    }
    std::vector<CDrawTool*> order_;
};

QString Label(QDialog& d, int id)
{
    QLabel* l = control<QLabel>(&d, id);
    return l ? l->text() : QStringLiteral("<no label %1>").arg(id);
}

QString Field(QDialog& d, int id)
{
    QLineEdit* e = control<QLineEdit>(&d, id);
    return e ? e->text() : QStringLiteral("<no field %1>").arg(id);
}

void Type(QDialog& d, int id, const QString& text)
{
    if (QLineEdit* e = control<QLineEdit>(&d, id))
        e->setText(text);
}

void Press(QDialog& d, int id)
{
    if (QPushButton* b = control<QPushButton>(&d, id))
        b->click();
}

class NumericInputRouting : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = {LineMode, ContinuousLineMode, LineLengthGiven, LineAngleGiven, ParallelDistanceGiven};
        savedLength = LineLength;
        savedAngle = LineAngle;
        LineMode = ContinuousLineMode = LineLengthGiven = LineAngleGiven = ParallelDistanceGiven = 0;
        BaseMarkerHidden = 0;
        NumericInputKind = 0;
        NumericInputValue = NumericInputValue2 = 0;
    }
    void TearDown() override
    {
        LineMode = saved[0];
        ContinuousLineMode = saved[1];
        LineLengthGiven = saved[2];
        LineAngleGiven = saved[3];
        ParallelDistanceGiven = saved[4];
        LineLength = savedLength;
        LineAngle = savedAngle;
        BaseMarkerHidden = 0;
        NumericInputKind = 0;
        NumericInputPending = 0;
    }

    void State(int tool, int subMode, int step)
    {
        CurrentToolId = tool;
        ToolSubMode = subMode;
        InputPointCount = step;
    }

    // Runs a command with one dialog answer; gives what the dialog showed.
    struct Shown {
        QString kind;  // "one" or "two"
        QString label1, label2, field1, field2;
    };
    Shown Run(unsigned command, const std::function<void(QDialog&)>& answer)
    {
        Shown s;
        h.Ui().dialog([&](QDialog& d) {
            if (control<QLineEdit>(&d, CInputNumDlg::IDC_EXPRESSION)) {
                s.kind = QStringLiteral("one");
                s.label1 = Label(d, CInputNumDlg::IDC_LABEL);
                s.field1 = Field(d, CInputNumDlg::IDC_EXPRESSION);
            } else {
                s.kind = QStringLiteral("two");
                s.label1 = Label(d, CLineInputDlg::IDC_LABEL1);
                s.label2 = Label(d, CLineInputDlg::IDC_LABEL2);
                s.field1 = Field(d, CLineInputDlg::IDC_VALUE1);
                s.field2 = Field(d, CLineInputDlg::IDC_VALUE2);
            }
            answer(d);
        });
        h.Command(command);
        return s;
    }
    static void Cancel(QDialog& d) { Press(d, IDCANCEL); }

    ToolHarness h;
    std::array<int16_t, 5> saved{};
    float savedLength = 0, savedAngle = 0;
};

} // namespace

TEST_F(NumericInputRouting, TypedLengthAndAngleReachTheStep)
{
    RoutingProbe line(ToolId::Line);
    State(ToolId::Line, 0, 1);
    line.stepSeenByErase = 1;
    const Shown s = Run(ID_SPACE_KEY, [](QDialog& d) {
        Type(d, CLineInputDlg::IDC_VALUE1, QStringLiteral("100/4"));
        Type(d, CLineInputDlg::IDC_VALUE2, QStringLiteral("45"));
        Press(d, IDOK);
    });
    EXPECT_EQ(s.kind, "two");
    EXPECT_EQ(s.label1, QStringLiteral("長さ入力 （mm）"));
    EXPECT_EQ(s.label2, QStringLiteral("角度入力(°)"));
    EXPECT_EQ(s.field1, QStringLiteral("0"));

    ASSERT_EQ(line.Names(), (std::vector<std::string>{"erase", "up"}));
    const RoutingProbe::Call& up = line.calls[1];
    EXPECT_EQ(up.pending, 1);
    EXPECT_DOUBLE_EQ(up.value, 25);
    EXPECT_DOUBLE_EQ(up.value2, 45);
    EXPECT_EQ(up.kind, 0);
    EXPECT_EQ(up.step, 1);
    EXPECT_EQ(up.point, (platform::Point{100, 100}));
    // The step that used the values cleared the flag.
    EXPECT_EQ(NumericInputPending, 0);
    EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join("; ").toStdString();
}

TEST_F(NumericInputRouting, SpaceOpensTheInputOnlyInItsSteps)
{
    RoutingProbe point(ToolId::Point), line(ToolId::Line), circle(ToolId::Circle), poly(ToolId::Poly);
    struct Case {
        const char* what;
        int tool, subMode, step;
        int16_t baseHidden, parallelGiven;
        bool opens;
    };
    const std::vector<Case> cases = {
        {"line before its first point", ToolId::Line, 0, 0, 0, 0, false},
        {"line", ToolId::Line, 0, 1, 0, 0, true},
        {"continuous line", ToolId::Line, 1, 3, 0, 0, true},
        {"perpendicular", ToolId::Line, 3, 1, 0, 0, true},
        {"perpendicular on an infinite line", ToolId::Line, 3, 1, 1, 0, false},
        {"line while the base marker is hidden", ToolId::Line, 0, 1, 1, 0, false},
        {"parallel without a distance", ToolId::Line, 4, 1, 0, 0, false},
        {"parallel with a distance", ToolId::Line, 4, 1, 0, 1, true},
        {"centre line, step 2", ToolId::Line, 5, 2, 0, 0, false},
        {"centre line, step 3", ToolId::Line, 5, 3, 0, 0, true},
        {"infinite line", ToolId::Line, 2, 1, 0, 0, false},
        {"circle by radius", ToolId::Circle, 0, 1, 0, 0, true},
        {"arc by radius", ToolId::Circle, 3, 2, 0, 0, true},
        {"arc by diameter", ToolId::Circle, 4, 1, 0, 0, true},
        {"circle by diameter", ToolId::Circle, 1, 1, 0, 0, false},
        {"ellipse", ToolId::Circle, 6, 1, 0, 0, false},
        {"polygon", ToolId::Poly, 2, 1, 0, 0, true},
        {"box", ToolId::Poly, 0, 1, 0, 0, false},
        {"point tool", ToolId::Point, 0, 1, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (RoutingProbe* p : {&point, &line, &circle, &poly}) {
            p->calls.clear();
            p->stepSeenByErase = c.step;
        }
        h.Ui().clear();
        State(c.tool, c.subMode, c.step);
        BaseMarkerHidden = c.baseHidden;
        ParallelDistanceGiven = c.parallelGiven;
        if (c.opens)
            h.Ui().dialog(IDCANCEL);
        h.Command(ID_SPACE_KEY);
        EXPECT_EQ(h.Ui().calls(platform::UiKind::Dialog).size(), c.opens ? 1u : 0u);
        auto* current = static_cast<RoutingProbe*>(ToolList.Find(c.tool));
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->Names(), c.opens ? (std::vector<std::string>{"erase", "reset"}) : std::vector<std::string>{});
    }
}

TEST_F(NumericInputRouting, OneValueDialogAsksByToolSubModeAndStep)
{
    RoutingProbe point(ToolId::Point), line(ToolId::Line), circle(ToolId::Circle), poly(ToolId::Poly);
    struct Case {
        int tool, subMode, step;
        int16_t lineMode;
        int mode;
    };
    const std::vector<Case> cases = {
        {ToolId::Line, 0, 1, 1, 0},  // horizontal / vertical lines
        {ToolId::Line, 3, 1, 0, 6},   {ToolId::Line, 3, 2, 0, 7},   {ToolId::Line, 3, 3, 0, 8},
        {ToolId::Line, 3, 4, 0, 0},   {ToolId::Line, 4, 1, 0, 0},   {ToolId::Circle, 3, 1, 0, 1},
        {ToolId::Circle, 4, 2, 0, 2}, {ToolId::Circle, 3, 3, 0, 3}, {ToolId::Circle, 3, 4, 0, 0},
        {ToolId::Circle, 6, 2, 0, 11}, {ToolId::Circle, 7, 3, 0, 3}, {ToolId::Circle, 9, 4, 0, 12},
        {ToolId::Circle, 8, 5, 0, 0}, {ToolId::Circle, 0, 1, 0, 1}, {ToolId::Circle, 2, 7, 0, 1},
        {ToolId::Poly, 2, 1, 0, 1},   {ToolId::Poly, 2, 2, 0, 4},   {ToolId::Poly, 2, 3, 0, 0},
        {ToolId::Poly, 0, 1, 0, 0},   {ToolId::Point, 0, 2, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tool " << c.tool << " sub-mode " << c.subMode << " step " << c.step);
        State(c.tool, c.subMode, c.step);
        LineMode = c.lineMode;
        for (RoutingProbe* p : {&point, &line, &circle, &poly}) {
            p->calls.clear();
            p->stepSeenByErase = c.step;
        }
        const Shown s = Run(ID_NUMERIC_INPUT, [](QDialog& d) {
            Type(d, CInputNumDlg::IDC_EXPRESSION, QStringLiteral("2+3*4"));
            Press(d, IDOK);
        });
        EXPECT_EQ(s.kind, "one");
        EXPECT_EQ(s.label1, CInputNumDlg::LabelForMode(c.mode));
        EXPECT_EQ(s.field1, QString());
        EXPECT_DOUBLE_EQ(NumericInputValue, 20);
    }
}

TEST_F(NumericInputRouting, TwoValueDialogOpensWithTheLineOptions)
{
    RoutingProbe line(ToolId::Line), circle(ToolId::Circle);
    line.stepSeenByErase = 1;
    State(ToolId::Line, 0, 1);
    LineLengthGiven = 1;
    LineLength = 50;
    Shown s = Run(ID_NUMERIC_INPUT, [](QDialog& d) {
        // The user switches to X and Y; the kind is kept for the next time.
        if (QRadioButton* xy = control<QRadioButton>(&d, CLineInputDlg::IDC_XY))
            xy->click();
        Type(d, CLineInputDlg::IDC_VALUE1, QStringLiteral("0"));
        Type(d, CLineInputDlg::IDC_VALUE2, QStringLiteral("-7"));
        Press(d, IDOK);
    });
    EXPECT_EQ(s.field1, QStringLiteral("50"));
    EXPECT_EQ(s.field2, QStringLiteral("0"));
    EXPECT_EQ(NumericInputKind, 1);
    ASSERT_EQ(line.Names(), (std::vector<std::string>{"erase", "up"}));
    EXPECT_EQ(line.calls[1].kind, 1);
    EXPECT_DOUBLE_EQ(line.calls[1].value2, -7);

    // A continuous polyline opens in the kind chosen last, with the angle.
    State(ToolId::Line, 1, 2);
    line.stepSeenByErase = 2;
    LineLengthGiven = 0;
    LineAngleGiven = 1;
    LineAngle = 30;
    s = Run(ID_SPACE_KEY, Cancel);
    EXPECT_EQ(s.kind, "two");
    EXPECT_EQ(s.label1, QStringLiteral("Ｘ座標移動値（mm）"));
    EXPECT_EQ(s.field1, QStringLiteral("0"));
    EXPECT_EQ(s.field2, QStringLiteral("30"));

    // Ellipses: the major axis and its inclination at step 1.
    NumericInputKind = 0;
    State(ToolId::Circle, 6, 1);
    circle.stepSeenByErase = 1;
    s = Run(ID_NUMERIC_INPUT, Cancel);
    EXPECT_EQ(s.kind, "two");
    EXPECT_EQ(s.label1, QStringLiteral("長軸入力 （mm）"));
    EXPECT_EQ(s.label2, QStringLiteral("傾斜角度入力(°)"));
}

TEST_F(NumericInputRouting, CancelPutsTheStepBackAndResetsTheTool)
{
    RoutingProbe circle(ToolId::Circle);
    State(ToolId::Circle, 3, 2);
    circle.stepSeenByErase = 5;  // the erase moved the step
    const Shown s = Run(ID_SPACE_KEY, Cancel);
    EXPECT_EQ(s.label1, QStringLiteral("開始角度  (°) "));
    ASSERT_EQ(circle.Names(), (std::vector<std::string>{"erase", "reset"}));
    EXPECT_EQ(circle.calls[1].step, 2) << "the step is put back before the reset";
    EXPECT_EQ(circle.calls[1].pending, 0);
    EXPECT_EQ(NumericInputPending, 0);
}

TEST_F(NumericInputRouting, OkPutsTheStepBackBeforeFeedingTheClick)
{
    RoutingProbe poly(ToolId::Poly);
    State(ToolId::Poly, 2, 2);
    poly.stepSeenByErase = 0;
    Run(ID_SPACE_KEY, [](QDialog& d) {
        Type(d, CInputNumDlg::IDC_EXPRESSION, QStringLiteral("30"));
        Press(d, IDOK);
    });
    ASSERT_EQ(poly.Names(), (std::vector<std::string>{"erase", "up"}));
    EXPECT_EQ(poly.calls[1].step, 2);
    EXPECT_DOUBLE_EQ(poly.calls[1].value, 30);
}

TEST_F(NumericInputRouting, ScaleByNumber)
{
    RoutingProbe transform(ToolId::Transform);
    State(ToolId::Transform, 0, 0);
    Shown s = Run(ID_NUMERIC_SCALE, [](QDialog& d) {
        Type(d, CInputNumDlg::IDC_EXPRESSION, QStringLiteral("3/2"));
        Press(d, IDOK);
    });
    EXPECT_EQ(s.label1, QStringLiteral("拡大・縮小倍率　[１：等倍]"));
    EXPECT_EQ(s.field1, QString());
    ASSERT_EQ(transform.Names(), (std::vector<std::string>{"end"}));
    EXPECT_DOUBLE_EQ(transform.calls[0].value, 1.5);

    transform.calls.clear();
    Run(ID_NUMERIC_SCALE, Cancel);
    EXPECT_EQ(transform.Names(), (std::vector<std::string>{"reset"}));
    EXPECT_DOUBLE_EQ(NumericInputValue, 1.5);
}

TEST_F(NumericInputRouting, WithoutAToolTheValuesAreStillSet)
{
    State(199, 0, 3);
    const Shown s = Run(ID_NUMERIC_INPUT, [](QDialog& d) {
        Type(d, CInputNumDlg::IDC_EXPRESSION, QStringLiteral("8"));
        Press(d, IDOK);
    });
    EXPECT_EQ(s.label1, QStringLiteral("長さ入力 （mm）"));
    EXPECT_DOUBLE_EQ(NumericInputValue, 8);
    EXPECT_EQ(NumericInputPending, 1);
    EXPECT_EQ(InputPointCount, 3);
}

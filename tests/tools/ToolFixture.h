#pragma once
// The stage the drawing tools' tests share: the tool harness, every setting
// put back before the drawing goes (it stores the settings as they are
// then, and the next test's drawing loads them), point entities a click
// takes exactly, clicks on snap points, the numeric input as the view feeds
// it, and the check that nothing is left on screen.
//
//     class CircleToolTestBase : public ToolTestBase<CCircleTool, ToolId::Circle> { ... };

#include "../common/ToolHarness.h"

#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "tools/InputNumDlg.h"
#include "tools/LineInputDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

// A straight segment of the drawing: a line, or a side of a shape.
struct Seg {
    double x1, y1, x2, y2;
};

inline bool Near(const Seg& a, const Seg& b, double tol = 1e-9)
{
    return std::abs(a.x1 - b.x1) <= tol && std::abs(a.y1 - b.y1) <= tol && std::abs(a.x2 - b.x2) <= tol &&
           std::abs(a.y2 - b.y2) <= tol;
}

inline std::ostream& operator<<(std::ostream& os, const Seg& s)
{
    return os << "(" << s.x1 << ", " << s.y1 << ")-(" << s.x2 << ", " << s.y2 << ")";
}

template <class ToolClass, int Id>
class ToolTestBase : public ::testing::Test {
protected:
    // Before the drawing goes.
    ~ToolTestBase() override { saved_.Restore(); }

    ToolClass& Tool() { return *static_cast<ToolClass*>(ToolList.Find(Id)); }

    // A point entity, so that a click near it takes it exactly.
    void AddPoint(double x, double y)
    {
        const int16_t codes[2] = {10, 20};
        const double values[2] = {x, y};
        ASSERT_EQ(h.Doc().list.AddEntity({EntityType::Point, 0, 0, 0, 2}, codes, 0, values), 0);
        h.Doc().snaps.AddEntityPoints(h.Doc().list.last);
        h.View().RedrawNow();
    }

    // A click that takes the snap point at (x, y): the mouse first goes
    // where nothing snaps, so the marker is drawn afresh at the point.
    void ClickExact(double x, double y)
    {
        h.Move(x + 150, y + 150);
        h.Move(x, y);
        h.Click(x, y);
    }
    // Two moves, so that the rubber band follows the mouse, then the click.
    void MoveAndClick(double x, double y)
    {
        h.Move(x, y);
        h.Move(x, y);
        h.Click(x, y);
    }

    // Values typed into the view's numeric input: the two-value dialog
    // (kind 0 length and angle, 1 X and Y) or the one-value dialog, as the
    // view chooses for the step.
    void Type(double v1, double v2 = 0.0, int kind = 0)
    {
        h.Ui().dialog([=](QDialog& d) {
            if (auto* first = platform::control<QLineEdit>(&d, CLineInputDlg::IDC_VALUE1)) {
                platform::control<QRadioButton>(&d, kind ? CLineInputDlg::IDC_XY : CLineInputDlg::IDC_LENGTH_ANGLE)
                    ->click();
                first->setText(QString::number(v1, 'g', 17));
                platform::control<QLineEdit>(&d, CLineInputDlg::IDC_VALUE2)->setText(QString::number(v2, 'g', 17));
            } else {
                platform::control<QLineEdit>(&d, CInputNumDlg::IDC_EXPRESSION)->setText(QString::number(v1, 'g', 17));
            }
            platform::control<QPushButton>(&d, IDOK)->click();
        });
        h.View().OnNumericInput();
        EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join("\n").toStdString();
    }

    // The mouse goes where nothing snaps (the magnet marker goes with it);
    // then the screen must be what a repaint would draw.
    void ExpectClean()
    {
        h.Move(250, 180);
        EXPECT_TRUE(h.ScreenIsFreshRedraw());
    }

    ToolHarness h;

private:
    // Taken once the drawing has loaded the stored settings, before a
    // fixture or test sets its options.
    SettingsSnapshot saved_ = SettingsSnapshot::Capture();
};

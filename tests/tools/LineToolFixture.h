#pragma once
// A drawing stage for the line tool: the tool harness with the line tool's
// option values put back after each test, exact clicks on snap points, the
// numeric input as the view feeds it, and the lines of the drawing.

#include "../common/ToolHarness.h"

#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "tools/InputNumDlg.h"
#include "tools/LineInputDlg.h"
#include "tools/LineTool.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <vector>

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

class LineToolTestBase : public ::testing::Test {
protected:
    struct Options {
        int16_t lineMode = LineMode, lengthGiven = LineLengthGiven, angleGiven = LineAngleGiven;
        float length = LineLength, angle = LineAngle;
        int16_t continuousMode = ContinuousLineMode, doubleMode = DoubleLineMode, centre = DoubleLineCentre;
        float left = DoubleLineLeftGap, right = DoubleLineRightGap;
        int16_t readout = LengthReadoutEnabled, magnet = MagnetEnabled;
        void Restore() const
        {
            MagnetEnabled = magnet;
            LineMode = lineMode;
            LineLengthGiven = lengthGiven;
            LineAngleGiven = angleGiven;
            LineLength = length;
            LineAngle = angle;
            ContinuousLineMode = continuousMode;
            DoubleLineMode = doubleMode;
            DoubleLineCentre = centre;
            DoubleLineLeftGap = left;
            DoubleLineRightGap = right;
            LengthReadoutEnabled = readout;
        }
    };

    // The harness's drawing has loaded the stored settings by now; the
    // options are set after it.
    LineToolTestBase()
    {
        MagnetEnabled = 1;
        LineMode = 0;
        LineLengthGiven = 0;
        LineAngleGiven = 0;
        LineLength = 50.0f;
        LineAngle = 0.0f;
        ContinuousLineMode = 0;
        DoubleLineMode = 0;
        DoubleLineCentre = 0;
        DoubleLineLeftGap = 20.0f;
        DoubleLineRightGap = 20.0f;
        LengthReadoutEnabled = 0;
    }
    // Before the drawing goes (it stores the settings).
    ~LineToolTestBase() override { saved.Restore(); }

    CLineTool& Tool() { return *static_cast<CLineTool*>(ToolList.Find(ToolId::Line)); }

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

    std::vector<Seg> Lines()
    {
        std::vector<Seg> out;
        for (const CEntity* e : h.Entities(EntityType::Line))
            out.push_back({e->values[0], e->values[1], e->values[2], e->values[3]});
        return out;
    }

    Options saved;
    ToolHarness h;
};

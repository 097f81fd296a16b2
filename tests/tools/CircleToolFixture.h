#pragma once
// A drawing stage for the circle tool: the tool harness with the circle
// tool's option values put back after each test, exact clicks on point
// entities, the numeric input as the view feeds it, and the circles, arcs
// and ellipses of the drawing.

#include "../common/ToolHarness.h"

#include "model/EntityList.h"
#include "model/Settings.h"
#include "model/SnapPointList.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "tools/CircleTool.h"
#include "tools/InputNumDlg.h"
#include "tools/LineInputDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <vector>

class CircleToolTestBase : public ::testing::Test {
protected:
    struct Options {
        int16_t given = CircleRadiusGiven, direction = ArcDirection;
        float radius = CircleRadius, start = ArcStartAngle, end = ArcEndAngle;
        int16_t readout = LengthReadoutEnabled, magnet = MagnetEnabled;
        void Restore() const
        {
            CircleRadiusGiven = given;
            ArcDirection = direction;
            CircleRadius = radius;
            ArcStartAngle = start;
            ArcEndAngle = end;
            LengthReadoutEnabled = readout;
            MagnetEnabled = magnet;
        }
    };

    CircleToolTestBase()
    {
        MagnetEnabled = 1;
        CircleRadiusGiven = 0;
        CircleRadius = 20.0f;
        ArcStartAngle = 0.0f;
        ArcEndAngle = 0.0f;
        ArcDirection = 0;
        LengthReadoutEnabled = 0;
    }
    ~CircleToolTestBase() override { saved.Restore(); }

    CCircleTool& Tool() { return *static_cast<CCircleTool*>(ToolList.Find(ToolId::Circle)); }

    // A point entity, so that a click near it takes it exactly.
    void AddPoint(double x, double y)
    {
        const int16_t codes[2] = {10, 20};
        const double values[2] = {x, y};
        ASSERT_EQ(h.Doc().list.AddEntity({EntityType::Point, 0, 0, 0, 2}, codes, 0, values), 0);
        h.Doc().snaps.AddEntityPoints(h.Doc().list.last);
        h.View().RedrawNow();
    }

    // A click that takes the snap point at (x, y).
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
    // A value typed into the view's numeric input (the one-value dialog,
    // or the two-value dialog with kind 0 length and angle, 1 X and Y).
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
    // The numeric input opened and cancelled.
    void TypeCancelled()
    {
        h.Ui().dialog([](QDialog& d) { platform::control<QPushButton>(&d, IDCANCEL)->click(); });
        h.View().OnNumericInput();
    }

    std::vector<const CEntity*> Of(int type) { return h.Entities(type); }

    Options saved;
    ToolHarness h;
};

// The values of an entity, compared within tol.
inline ::testing::AssertionResult ValuesNear(const CEntity* e, std::vector<double> want, double tol = 1e-9)
{
    if (!e)
        return ::testing::AssertionFailure() << "no entity";
    if (e->values.size() != want.size())
        return ::testing::AssertionFailure() << e->values.size() << " values";
    for (std::size_t i = 0; i < want.size(); ++i)
        if (!(std::abs(e->values[i] - want[i]) <= tol))
            return ::testing::AssertionFailure() << "value " << i << " is " << e->values[i] << ", not " << want[i];
    return ::testing::AssertionSuccess();
}

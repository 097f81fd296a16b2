// Drawing lines end to end: a new drawing from the file menu, three lines by
// mouse and one by typed values, saved, opened again in a new window.

#include "AppFixture.h"
#include "ModelMouse.h"

#include "app/ChildFrame.h"
#include "view/DrawingDocument.h"
#include "app/OperateMsgBox.h"
#include "view/OrvikCadView.h"
#include "dialogs/PlanInfoDlg.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "resources/Resource.h"
#include "tools/LineInputDlg.h"
#include "view/ToolState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <vector>

namespace {

struct Seg {
    double x1, y1, x2, y2;
};

std::vector<Seg> LinesOf(const COrvikCadDoc& doc)
{
    std::vector<Seg> out;
    for (const CEntity* e = doc.list.first; e; e = e->next)
        if (e->type == EntityType::Line)
            out.push_back({e->values[0], e->values[1], e->values[2], e->values[3]});
    return out;
}

COrvikCadView* ViewOf(CChildFrame* child)
{
    return child ? dynamic_cast<COrvikCadView*>(child->GetActiveView()) : nullptr;
}

class LineEndToEnd : public AppTest {
protected:
    void SetUp() override
    {
        kept = {LineMode, LineLengthGiven, LineAngleGiven, MagnetEnabled};
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath(QStringLiteral("orvik_line_e2e.orv"));
    }
    void TearDown() override
    {
        LineMode = kept[0];
        LineLengthGiven = kept[1];
        LineAngleGiven = kept[2];
        MagnetEnabled = kept[3];
        AppTest::TearDown();
    }
    std::array<int16_t, 4> kept{};
    QTemporaryDir folder;
    QString path;
};

TEST_F(LineEndToEnd, DrawSaveAndOpenAgain)
{
    Start();
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        platform::control<QLineEdit>(&d, CPlanInfoDlg::IDC_PLAN_NAME)->setText(QStringLiteral("線の図"));
        d.accept();
    });
    frame->SendCommand(ID_FILE_NEW);
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    CChildFrame* child = frame->ChildFrames().first();
    auto* doc = dynamic_cast<CDrawingDocument*>(child->GetActiveDocument());
    COrvikCadView* view = ViewOf(child);
    ASSERT_NE(doc, nullptr);
    ASSERT_NE(view, nullptr);
    LineMode = 0;
    LineLengthGiven = 0;
    LineAngleGiven = 0;
    MagnetEnabled = 0;  // raw points: grid snapping only

    // The drawing menu's line.
    frame->SendCommand(32811);
    EXPECT_EQ(CurrentToolId, ToolId::Line);
    EXPECT_EQ(ToolSubMode, 0);

    ModelMouse mouse(*view);
    const double ox = doc->Drawing().DrawingOrigin[0], oy = doc->Drawing().DrawingOrigin[1];
    const Seg drawn[] = {{ox - 100, oy - 60, ox + 80, oy - 60},
                         {ox + 80, oy - 60, ox + 20, oy + 70},
                         {ox + 20, oy + 70, ox - 100, oy - 60}};
    for (const Seg& s : drawn) {
        mouse.Click(s.x1, s.y1);
        EXPECT_EQ(frame->PromptBox()->PromptText(),
                  QStringLiteral("終端を指示して下さい。[マウス右：数値入力／中止]"));
        mouse.Move((s.x1 + s.x2) / 2, (s.y1 + s.y2) / 2);
        mouse.Click(s.x2, s.y2);
    }
    // The fourth by typed values: 100 long at 45 degrees.
    mouse.Click(ox - 50, oy + 20);
    mouse.Move(ox, oy + 40);
    ui.dialog([](QDialog& d) {
        platform::control<QRadioButton>(&d, CLineInputDlg::IDC_LENGTH_ANGLE)->click();
        platform::control<QLineEdit>(&d, CLineInputDlg::IDC_VALUE1)->setText(QStringLiteral("100"));
        platform::control<QLineEdit>(&d, CLineInputDlg::IDC_VALUE2)->setText(QStringLiteral("45"));
        platform::control<QPushButton>(&d, IDOK)->click();
    });
    frame->SendCommand(ID_SPACE_KEY);
    QApplication::processEvents();

    const std::vector<Seg> lines = LinesOf(doc->Drawing());
    ASSERT_EQ(lines.size(), 4u);
    // Mouse points are as exact as a pixel (or a grid point) makes them.
    const double pixel = 1.0 / view->MappingZoom() * view->MappingScale();
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(lines[i].x1, drawn[i].x1, 10 * pixel);
        EXPECT_NEAR(lines[i].y2, drawn[i].y2, 10 * pixel);
    }
    EXPECT_NEAR(lines[3].x2 - lines[3].x1, 100 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(lines[3].y2 - lines[3].y1, 100 * std::sqrt(0.5), 1e-9);
    EXPECT_TRUE(doc->IsModified());

    // What the window shows.
    view->Buffer().Validate();
    const QImage shot = child->grab().toImage();
    EXPECT_TRUE(shot.save(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("line_end_to_end.png"))));

    // Saved, and opened again in a window of its own.
    ui.path(path);
    ASSERT_TRUE(doc->DoSave(QString()));
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(QFile::exists(path));
    delete child;
    QApplication::processEvents();
    ASSERT_TRUE(frame->ChildFrames().isEmpty());
    ASSERT_NE(AfxGetApp().OpenDocumentFile(path), nullptr);
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    auto* reopened = dynamic_cast<CDrawingDocument*>(frame->ChildFrames().first()->GetActiveDocument());
    ASSERT_NE(reopened, nullptr);
    const std::vector<Seg> again = LinesOf(reopened->Drawing());
    ASSERT_EQ(again.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(again[i].x1, lines[i].x1);
        EXPECT_EQ(again[i].y1, lines[i].y1);
        EXPECT_EQ(again[i].x2, lines[i].x2);
        EXPECT_EQ(again[i].y2, lines[i].y2);
    }
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

} // namespace

// The grid bar's pitch in the running program: Enter or a click on the
// drawing applies a typed pitch, and the drawing counts as modified.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "view/DrawingDocument.h"
#include "app/MainFrame.h"
#include "view/OrvikCadView.h"
#include "dialogs/GrigBarDlg.h"
#include "model/Settings.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

class GridPitchTest : public AppTest {
protected:
    void SetUp() override { keptPitch = GridPitch; }
    void TearDown() override
    {
        AppTest::TearDown();
        GridPitch = keptPitch;
    }

    // A new drawing in a shown, active frame.
    void StartWithDrawing()
    {
        Start();
        platform::UiScript ui;
        ui.dialog(IDOK);
        frame->SendCommand(ID_FILE_NEW);
        frame->show();
        frame->activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), frame);
        ASSERT_EQ(frame->ChildFrames().size(), 1);
        CChildFrame* child = frame->ChildFrames().first();
        doc = dynamic_cast<CDrawingDocument*>(child->GetActiveDocument());
        view = dynamic_cast<COrvikCadView*>(child->GetActiveView());
        ASSERT_NE(doc, nullptr);
        ASSERT_NE(view, nullptr);
        doc->SetModifiedFlag(false);
    }
    // Puts the caret into the pitch box and types text there.
    QComboBox* TypePitch(const QString& text)
    {
        QComboBox* box = frame->GridBarPanel()->PitchCombo();
        box->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        EXPECT_TRUE(box->hasFocus());
        box->lineEdit()->selectAll();
        box->lineEdit()->insert(text);
        return box;
    }
    double StoredPitch() const
    {
        for (CEntity* e = doc->Drawing().list.first; e; e = e->next)
            if (e->type == EntityType::Grid && e->values.size() > 2)
                return e->values[2];
        return -1;
    }

    CDrawingDocument* doc = nullptr;
    COrvikCadView* view = nullptr;
    float keptPitch = 0;
};

TEST_F(GridPitchTest, EnterAppliesThePitchAndModifiesTheDrawing)
{
    StartWithDrawing();
    ASSERT_NE(StoredPitch(), 7.0);
    QComboBox* box = TypePitch(QStringLiteral("7"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : box, &press);
    QApplication::processEvents();
    EXPECT_EQ(StoredPitch(), 7.0);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(GridPitchTest, ClickOnTheDrawingAppliesThePitch)
{
    StartWithDrawing();
    TypePitch(QStringLiteral("12.5"));
    const QPointF p(view->width() / 2.0, view->height() / 2.0);
    QMouseEvent down(QEvent::MouseButtonPress, p, view->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, p, view->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &up);
    QApplication::processEvents();
    EXPECT_EQ(StoredPitch(), 12.5);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(GridPitchTest, LookChangeModifiesTheDrawing)
{
    StartWithDrawing();
    QComboBox* looks = frame->GridBarPanel()->LookCombo();
    looks->setCurrentIndex(5);
    emit looks->activated(5);
    QApplication::processEvents();
    EXPECT_TRUE(doc->IsModified());
}

} // namespace

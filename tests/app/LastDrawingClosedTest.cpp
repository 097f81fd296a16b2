// When the last drawing window closes, no drawing prompt is left behind and
// no tool can be chosen until a drawing is open again.

#include "AppFixture.h"
#include "app/ChildFrame.h"
#include "app/OperateMsgBox.h"
#include "platform/UiScript.h"
#include "view/Document.h"

#include <QApplication>
#include <QDialog>

TEST_F(AppTest, ClosingTheLastDrawingClearsThePrompt)
{
    Start();
    platform::UiScript ui;
    ui.dialog([](QDialog& d) { d.accept(); });
    CChildFrame* first = AfxGetApp().OnFileNew();
    ui.dialog([](QDialog& d) { d.accept(); });
    CChildFrame* second = AfxGetApp().OnFileNew();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    QApplication::processEvents();
    auto prompt = [this] { return frame->PromptBox()->PromptText(); };
    // A closed window is deleted later; let that happen, then what follows it.
    auto settle = [] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    };
    ASSERT_FALSE(prompt().isEmpty());

    second->close();
    settle();
    EXPECT_FALSE(prompt().isEmpty()) << "a drawing is still open";

    first->close();
    settle();
    EXPECT_TRUE(prompt().isEmpty()) << prompt().toStdString();
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    // No tool can be chosen without a drawing; a new drawing brings them back.
    ASSERT_NE(frame->DrawPalette(), nullptr);
    EXPECT_FALSE(frame->DrawPalette()->isEnabled());
    ui.dialog([](QDialog& d) { d.accept(); });
    CChildFrame* third = AfxGetApp().OnFileNew();
    ASSERT_NE(third, nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(frame->DrawPalette()->isEnabled());
    third->close();
    settle();
}

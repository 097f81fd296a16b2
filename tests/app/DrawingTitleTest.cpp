// The drawing keeps the window's title: what the drawing-information dialog
// shows as the file name follows a save under a new name.

#include "AppFixture.h"
#include "app/ChildFrame.h"
#include "platform/Encoding.h"
#include "platform/UiScript.h"
#include "view/DrawingDocument.h"

#include <QDialog>
#include <QTemporaryDir>

TEST_F(AppTest, SavedDrawingIsNoLongerUntitled)
{
    Start();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    platform::UiScript ui;
    ui.dialog([](QDialog& d) { d.accept(); });
    CChildFrame* f = AfxGetApp().OnFileNew();
    ASSERT_NE(f, nullptr);
    auto* doc = dynamic_cast<CDrawingDocument*>(f->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(platform::FromCp932(doc->Drawing().title).startsWith(QStringLiteral("名称未設定")));

    const QString path = dir.filePath(QStringLiteral("plan.orv"));
    ASSERT_TRUE(doc->OnSaveDocument(path));
    doc->SetPathName(path, false);
    EXPECT_EQ(platform::FromCp932(doc->Drawing().title), QStringLiteral("plan.orv"));
    doc->SetModifiedFlag(false);
    f->close();
}

// "図面送信": the drawing handed to the desktop's mail program as an
// attachment, and a message when no mail program takes it.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "model/Document.h"
#include "platform/Programs.h"
#include "resources/Resource.h"
#include "view/DrawingDocument.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <vector>

namespace {

struct Started {
    QString program;
    QStringList arguments;
};

// Records every program started and answers it with `ok`.
class FakeRunner {
public:
    explicit FakeRunner(bool ok)
    {
        previous = platform::setProgramRunner(
            [this, ok](const QString& program, const QStringList& arguments, std::function<void(bool)> finished) {
                started.push_back({program, arguments});
                if (finished)
                    finished(ok);
            });
    }
    ~FakeRunner() { platform::setProgramRunner(previous); }
    FakeRunner(const FakeRunner&) = delete;
    FakeRunner& operator=(const FakeRunner&) = delete;

    std::vector<Started> started;

private:
    platform::ProgramRunner previous;
};

class SendMailTest : public AppTest {
protected:
    CDrawingDocument* NewDrawing()
    {
        ui.dialog([](QDialog& d) { d.accept(); });
        frame->SendCommand(ID_FILE_NEW);
        QApplication::processEvents();
        if (frame->ChildFrames().isEmpty())
            return nullptr;
        return dynamic_cast<CDrawingDocument*>(frame->ChildFrames().last()->GetActiveDocument());
    }
    platform::UiScript ui;
};

} // namespace

TEST_F(SendMailTest, TheDrawingGoesToTheMailProgramAsAnAttachment)
{
    Start();
    CDrawingDocument* doc = NewDrawing();
    ASSERT_TRUE(doc);
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("plan.orv"));

    struct Case {
        const char* what;
        bool save;       // saved before sending
        bool modify;     // changed after the save
        bool mailOk;     // a mail program takes it
    } cases[] = {
        {"never saved", false, false, true},
        {"saved as it stands", true, false, true},
        {"changed since the save", true, true, true},
        {"no mail program", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.save) {
            ASSERT_TRUE(doc->OnSaveDocument(saved));
            doc->SetPathName(saved, false);
        }
        if (c.modify)
            doc->SetModifiedFlag(true);
        FakeRunner runner(c.mailOk);
        ui.clear();
        frame->SendCommand(ID_FILE_SEND_MAIL);
        QApplication::processEvents();
        ASSERT_EQ(runner.started.size(), 1u);
        EXPECT_EQ(runner.started[0].program, QStringLiteral("xdg-email"));
        ASSERT_EQ(runner.started[0].arguments.size(), 2);
        EXPECT_EQ(runner.started[0].arguments[0], QStringLiteral("--attach"));
        const QString attached = runner.started[0].arguments[1];
        if (c.save && !c.modify) {
            EXPECT_EQ(attached, saved);
        } else {
            // A copy of the drawing as it stands, under its own name.
            EXPECT_NE(attached, saved);
            EXPECT_EQ(QFileInfo(attached).fileName(),
                      c.save ? QStringLiteral("plan.orv") : doc->GetTitle() + QStringLiteral(".orv"));
            COrvikCadDoc copy;
            EXPECT_EQ(copy.OnOpenDocument(QFile::encodeName(attached).toStdString()), OpenResult::Ok);
            QFile::remove(attached);
            QFileInfo(attached).dir().rmdir(QFileInfo(attached).absolutePath());
        }
        EXPECT_EQ(ui.messages(),
                  c.mailOk ? QStringList{}
                           : QStringList{QStringLiteral("図面を送信するメールソフトが見つかりません。\n"
                                                        "デスクトップの設定で既定のメールソフトを選んでください。")});
        EXPECT_EQ(doc->IsModified(), c.modify);
        doc->SetModifiedFlag(false);
    }
}

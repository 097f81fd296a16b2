#include "platform/Controls.h"
#include "platform/FileChooser.h"
#include "platform/Startup.h"
#include "platform/Ui.h"
#include "platform/UiScript.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QAbstractProxyModel>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

using namespace platform;

namespace {

// A small dialog in the style of the program's own: an edit with a numeric
// id, OK and Cancel, and a check on OK that keeps the dialog open.
class NumberDlg : public QDialog {
public:
    NumberDlg()
    {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        setControlId(edit, 1156);
        layout->addWidget(edit);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        setControlId(buttons->button(QDialogButtonBox::Ok), IDOK);
        setControlId(buttons->button(QDialogButtonBox::Cancel), IDCANCEL);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        setWindowTitle(QStringLiteral("数値入力"));
    }
    void accept() override
    {
        bool ok = false;
        value = edit->text().toDouble(&ok);
        if (!ok) {
            messageBox(QStringLiteral("数値の入力に誤りがあります！"), QString(), MB_OK | MB_ICONEXCLAMATION, this);
            return;
        }
        QDialog::accept();
    }
    QLineEdit* edit;
    double value = 0;
};

} // namespace

TEST(Ui, ScriptAnswersMessageBoxesInOrderAndLogsThem)
{
    UiScript ui;
    ui.button(IDNO).button(IDCANCEL);
    EXPECT_EQ(messageBox(QStringLiteral("保存しますか？"), QStringLiteral("確認"), MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(ShowMessage("消去しますか？", MB_OKCANCEL), IDOK) << "notifier not yet installed";
    installUiNotifier();
    EXPECT_EQ(ShowMessage("消去しますか？", MB_OKCANCEL), IDCANCEL);
    MessageBeep(MB_ICONHAND);
    ASSERT_EQ(ui.calls().size(), 3u);
    EXPECT_EQ(ui.calls()[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(ui.calls()[0].flags, unsigned(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(ui.calls()[1].caption, QStringLiteral("OrvikCAD"));
    EXPECT_EQ(ui.messages(), (QStringList{QStringLiteral("保存しますか？"), QStringLiteral("消去しますか？")}));
    EXPECT_EQ(ui.calls()[2].kind, UiKind::Beep);
    EXPECT_EQ(ui.calls()[2].flags, unsigned(MB_ICONHAND));
    EXPECT_TRUE(ui.finished());
    EXPECT_TRUE(ui.problems().isEmpty());
    SetNotifier(nullptr);
}

TEST(Ui, UnansweredRequestsGetTheDefaultAndAreReported)
{
    UiScript ui;
    EXPECT_EQ(messageBox(QStringLiteral("x"), QString(), MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(messageBox(QStringLiteral("y"), QString(), MB_YESNOCANCEL), IDYES);
    ui.path(QStringLiteral("/tmp/a.orv"));
    EXPECT_EQ(messageBox(QStringLiteral("z")), IDOK);
    EXPECT_EQ(ui.problems().size(), 3);
}

TEST(Ui, ModalDialogFilledByScript)
{
    UiScript ui;
    ui.dialog([](QDialog& d) {
          control<QLineEdit>(&d, 1156)->setText(QStringLiteral("abc"));
          control<QPushButton>(&d, IDOK)->click(); // refused: the dialog stays open
          control<QLineEdit>(&d, 1156)->setText(QStringLiteral("12.5"));
          control<QPushButton>(&d, IDOK)->click();
      })
        .button(IDOK);
    NumberDlg dlg;
    EXPECT_EQ(runDialog(dlg), IDOK);
    EXPECT_DOUBLE_EQ(dlg.value, 12.5);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(ui.calls().size(), 2u);
    EXPECT_EQ(ui.calls()[0].kind, UiKind::Dialog);
    EXPECT_EQ(ui.calls()[0].caption, QStringLiteral("数値入力"));
    EXPECT_EQ(ui.calls()[0].result, IDOK);
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("数値の入力に誤りがあります！")});
    EXPECT_TRUE(ui.problems().isEmpty());
}

TEST(Ui, ModalDialogResults)
{
    UiScript ui;
    ui.dialog(IDCANCEL).dialog(IDOK).dialogReturning([](QDialog&) { return IDYES; }).dialog([](QDialog&) {});
    NumberDlg a;
    EXPECT_EQ(runDialog(a), IDCANCEL);
    NumberDlg b;
    b.edit->setText(QStringLiteral("3"));
    EXPECT_EQ(runDialog(b), IDOK);
    EXPECT_DOUBLE_EQ(b.value, 3);
    NumberDlg c;
    EXPECT_EQ(runDialog(c), IDYES);
    NumberDlg d; // the callback pressed nothing
    EXPECT_EQ(runDialog(d), IDCANCEL);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(ui.problems().size(), 1);
}

TEST(Ui, ChoosersAnsweredByScript)
{
    UiScript ui;
    ui.path(QStringLiteral("/tmp/drawing")).cancel().path(QStringLiteral("/tmp/x.dxf"), 1).color(0x0000FF).cancel();
    FileRequest save{QStringLiteral("名前を付けて保存"), QStringLiteral("図面 (*.orv)|*.orv||"), 0, {}, QStringLiteral("orv"), {}};
    FileChoice c = chooseSaveFile(save);
    ASSERT_TRUE(c);
    EXPECT_EQ(c.path, QStringLiteral("/tmp/drawing.orv"));
    EXPECT_FALSE(chooseOpenFile(save));
    FileChoice d = chooseSaveFile(save);
    EXPECT_EQ(d.path, QStringLiteral("/tmp/x.dxf"));
    EXPECT_EQ(d.filterIndex, 1);
    EXPECT_EQ(chooseColor(0), std::optional<std::uint32_t>(0x0000FF));
    EXPECT_FALSE(chooseFolder(QStringLiteral("部品フォルダ")));
    EXPECT_EQ(ui.calls()[0].caption, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(ui.calls()[1].kind, UiKind::OpenFile);
    EXPECT_EQ(ui.calls()[4].caption, QStringLiteral("部品フォルダ"));
    EXPECT_TRUE(ui.problems().isEmpty());
}

TEST(Ui, FrameworkFiltersBecomeQtFilters)
{
    EXPECT_EQ(qtFileFilter(QStringLiteral("図面 (*.orv)|*.orv|DXF (*.dxf)|*.dxf;*.DXF|全て (*.*)|*.*||")),
              QStringLiteral("図面 (*.orv) (*.orv *.ORV);;DXF (*.dxf) (*.dxf *.DXF);;全て (*.*) (*)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("その他のデータ (*.*) | *.* ||")), QStringLiteral("その他のデータ (*.*) (*)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("A (*.a);;B (*.b)")), QStringLiteral("A (*.a);;B (*.b)"));
}

TEST(Ui, SavedNameWithoutExtensionTakesTheChosenFiltersOne)
{
    const QString framework = QStringLiteral("ＢＭＰ(*.bmp)|*.bmp|ＰＮＧ(*.png)|*.png|二つ|*.a;*.b|その他 (*.*)|*.*||");
    const QString qt = QStringLiteral("A (*.tif);;B (*)");
    struct Case {
        const QString* filter;
        int index;
        const char* typed;
        const char* saved;
    };
    const Case cases[] = {
        {&framework, 1, "/d/a", "/d/a.png"},     {&framework, 0, "/d/a", "/d/a.bmp"},
        {&framework, 2, "/d/a", "/d/a.dflt"},    {&framework, 3, "/d/a", "/d/a.dflt"},
        {&framework, 1, "/d/a.jpeg", "/d/a.jpeg"}, {&framework, 1, "/d/a.", "/d/a.png"},
        {&qt, 0, "/d/a", "/d/a.tif"},            {&qt, 1, "/d/a", "/d/a.dflt"},
    };
    for (const Case& c : cases) {
        UiScript ui;
        ui.path(QString::fromUtf8(c.typed), c.index);
        FileRequest request;
        request.filter = *c.filter;
        request.defaultExt = QStringLiteral("dflt");
        const FileChoice choice = chooseSaveFile(request);
        EXPECT_EQ(choice.path, QString::fromUtf8(c.saved)) << c.typed << " " << c.index;
    }
}

TEST(Ui, StandardDialogsSpeakJapanese)
{
    // The translations Qt ships are loaded; what the program installs at
    // start-up is what the file choosers and message boxes then show.
    std::unique_ptr<QTranslator> qt = loadQtTranslations();
    ASSERT_NE(qt, nullptr);
    EXPECT_EQ(qt->translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_FALSE(qt->translate("QFileDialog", "File &name:").isEmpty());
    // Kinds Qt's own translations leave out.
    EXPECT_EQ(qt->translate("QAbstractFileIconProvider", "Folder", "All other platforms"), QStringLiteral("フォルダー"));
    EXPECT_EQ(qt->translate("QAbstractFileIconProvider", "Drive"), QStringLiteral("ドライブ"));
}

// Qt's file chooser as the program shows it: folders called folders and
// dates written the Japanese way, whatever the user's locale.
TEST(Ui, TheFileChooserListsInJapanese)
{
    std::unique_ptr<QTranslator> qt = loadQtTranslations();
    ASSERT_NE(qt, nullptr);
    QCoreApplication::installTranslator(qt.get());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString file = dir.filePath(QStringLiteral("a.orv"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        // Dated once the bytes are out, so that closing does not date it again.
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2026, 1, 2), QTime(3, 4)), QFileDevice::FileModificationTime));
    }
    QFileDialog dlg;
    FileRequest request;
    request.initialDir = dir.path();
    prepareFileDialog(dlg, request, false);
    EXPECT_TRUE(dlg.testOption(QFileDialog::DontUseNativeDialog));
    QAbstractProxyModel* proxy = dlg.proxyModel();
    ASSERT_NE(proxy, nullptr);
    auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
    ASSERT_NE(files, nullptr);
    QString folderKind, date;
    QElapsedTimer waited;
    waited.start();
    while ((folderKind.isEmpty() || date.isEmpty()) && waited.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        const QModelIndex sub = files->index(dir.filePath(QStringLiteral("sub")));
        const QModelIndex a = files->index(file);
        if (sub.isValid())
            folderKind = proxy->mapFromSource(sub.siblingAtColumn(2)).data().toString();
        if (a.isValid())
            date = proxy->mapFromSource(a.siblingAtColumn(3)).data().toString();
    }
    QCoreApplication::removeTranslator(qt.get());
    EXPECT_EQ(folderKind, QStringLiteral("フォルダー"));
    EXPECT_EQ(date, QStringLiteral("2026/01/02 3:04"));
}

namespace {

// Answers the choosers from a list of paths (an empty one cancels) and
// notes the folder each was asked to open in.
class FolderRecorder : public UiBackend {
public:
    explicit FolderRecorder(QStringList answers) : answers(std::move(answers)) { previous = setUiBackend(this); }
    ~FolderRecorder() override { setUiBackend(previous); }
    FolderRecorder(const FolderRecorder&) = delete;
    FolderRecorder& operator=(const FolderRecorder&) = delete;

    QStringList offered;

    int messageBox(QWidget*, const QString&, const QString&, unsigned) override { return IDOK; }
    void beep(unsigned) override {}
    int runDialog(QDialog&) override { return IDCANCEL; }
    FileChoice chooseFile(QWidget*, const FileRequest& request, bool) override
    {
        offered.append(request.initialDir);
        FileChoice c;
        c.path = answers.isEmpty() ? QString() : answers.takeFirst();
        c.ok = !c.path.isEmpty();
        return c;
    }
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString& initialDir) override
    {
        offered.append(initialDir);
        const QString chosen = answers.isEmpty() ? QString() : answers.takeFirst();
        return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
    }
    std::optional<std::uint32_t> chooseColor(QWidget*, std::uint32_t) override { return std::nullopt; }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return std::nullopt; }
    unsigned trackPopupMenu(QWidget*, const std::vector<PopupItem>&, int, int) override { return 0; }

private:
    QStringList answers;
    UiBackend* previous = nullptr;
};

} // namespace

// A chooser that names no folder opens where the last choice was made.
TEST(Ui, ChoosersOpenInTheFolderLastUsed)
{
    forgetLastFolder();
    FolderRecorder ui({QStringLiteral("/work/plans/a.orv"), QStringLiteral("/work/out/b.orv"),
                       QStringLiteral("/elsewhere/c.orv"), QStringLiteral("/work/images"), QString(),
                       QStringLiteral("/work/d.orv")});
    FileRequest plain;
    FileRequest inFolder;
    inFolder.initialDir = QStringLiteral("/given");
    FileRequest absoluteName;
    absoluteName.initialName = QStringLiteral("/named/here.orv");
    EXPECT_TRUE(chooseOpenFile(plain));         // nothing chosen yet: the working folder
    EXPECT_TRUE(chooseSaveFile(plain));         // where a.orv was
    EXPECT_TRUE(chooseOpenFile(inFolder));      // the folder asked for
    EXPECT_TRUE(chooseFolder(QStringLiteral("画像フォルダ")));  // where c.orv was
    EXPECT_FALSE(chooseOpenFile(absoluteName)); // the name's own folder; cancelled
    EXPECT_TRUE(chooseOpenFile(plain));         // the folder chosen last
    const QStringList expected = {QString(), QStringLiteral("/work/plans"), QStringLiteral("/given"),
                                  QStringLiteral("/elsewhere"), QString(), QStringLiteral("/work/images")};
    EXPECT_EQ(ui.offered, expected);
    forgetLastFolder();
}

TEST(Ui, RealMessageBoxReturnsTheButtonPressed)
{
    // The Qt backend, answered by clicking the button the way a user would.
    struct Case {
        unsigned flags;
        const char* buttonText;
        int expected;
    };
    for (Case c : {Case{MB_YESNO, "いいえ(&N)", IDNO}, Case{MB_YESNOCANCEL, "キャンセル", IDCANCEL},
                   Case{MB_OKCANCEL, "OK", IDOK}, Case{MB_ABORTRETRYIGNORE, "無視(&I)", IDIGNORE}}) {
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    for (QAbstractButton* b : box->buttons()) {
                        if (b->text() == QString::fromUtf8(c.buttonText)) {
                            b->click();
                        }
                    }
                }
            }
        });
        EXPECT_EQ(qtUiBackend().messageBox(nullptr, QStringLiteral("t"), QStringLiteral("c"), c.flags), c.expected)
            << c.buttonText;
    }
}

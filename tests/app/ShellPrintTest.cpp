// Printing from the command line: /p FILE prints the drawing without a
// dialog and ends with status 0; without a printer it says so and ends
// with a nonzero status.

#include "AppFixture.h"

#include "model/Document.h"
#include "model/EntityList.h"
#include "platform/Printing.h"
#include "platform/UiScript.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// A drawing file with one line.
QString WriteDrawing(const QTemporaryDir& dir)
{
    COrvikCadDoc doc;
    double v[] = {10, 20, 110, 70};
    const int16_t codes[] = {10, 20, 11, 22};
    EntityHeader eh{EntityType::Line, 0, 0, 0, 4};
    EXPECT_EQ(doc.list.AddEntity(eh, codes, 0, v, {}), 0);
    const QString path = dir.filePath(QStringLiteral("plan.orv"));
    EXPECT_TRUE(doc.OnSaveDocument(QFile::encodeName(path).toStdString()));
    return path;
}

class ShellPrintTest : public AppTest {
protected:
    void TearDown() override
    {
        AppTest::TearDown();
        qunsetenv("ORVIKCAD_PRINT_PDF");
    }
};

TEST_F(ShellPrintTest, PrintRequestPrintsOnePageAndEnds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString drawing = WriteDrawing(dir);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    qputenv("ORVIKCAD_PRINT_PDF", pdf.toLocal8Bit());
    platform::UiScript ui;
    Start({QStringLiteral("/p"), drawing});
    ASSERT_TRUE(AfxGetApp().ShellPrintResult());
    EXPECT_EQ(*AfxGetApp().ShellPrintResult(), 0);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF-"));
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(ShellPrintTest, WithoutAPrinterItSaysSoAndFails)
{
    if (platform::hasDefaultPrinter())
        GTEST_SKIP() << "this machine has a printer";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString drawing = WriteDrawing(dir);
    platform::UiScript ui;
    Start({QStringLiteral("/p"), drawing});
    ASSERT_TRUE(AfxGetApp().ShellPrintResult());
    EXPECT_NE(*AfxGetApp().ShellPrintResult(), 0);
    EXPECT_EQ(ui.messages().size(), 1);
}

TEST_F(ShellPrintTest, NoPrintRequestRunsAsUsual)
{
    Start();
    EXPECT_FALSE(AfxGetApp().ShellPrintResult());
}

} // namespace

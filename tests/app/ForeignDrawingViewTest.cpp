// Foreign drawings are in view the moment they open, and the view commands
// bring them back into view in every window.

#include "AppFixture.h"
#include "common/JwwTestSupport.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "exchange/ImportReport.h"
#include "resources/Resource.h"
#include "view/DrawingDocument.h"
#include "view/OrvikCadView.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

namespace {

// A drawing made on a black sheet: A3 at 1/1, every pen white, eleven
// horizontal lines over the middle of the sheet, and the settings texts far
// below it, as such drawings keep them.
QByteArray JwwOnBlackSheet(uint32_t version, uint32_t paper = 3, double scale = 1.0)
{
    uint32_t white[10];
    std::fill(std::begin(white), std::end(white), 0xFFFFFFu);
    jwwtest::Encoder e;
    e.Header(version, paper, scale, white).Count(11 + 3).Declare("CDataSen");
    for (int i = 0; i < 11; ++i) {
        if (i > 0) e.ClassRef(1);
        e.Line(version, -180, -100 + 20 * i, 180, -100 + 20 * i, 2);
    }
    // Class numbers: 1 the line class, 2 to 12 the lines, 13 the text class.
    e.Declare("CDataMoji").Moji(version, 0, -50000, 5, 5, 0, "font", "settings 1");
    e.ClassRef(13).Moji(version, 0, -50100, 5, 5, 0, "font", "settings 2");
    e.ClassRef(13).Moji(version, 60000, -50100, 5, 5, 0, "font", "settings 3");
    return QByteArray(reinterpret_cast<const char*>(e.bytes.data()), static_cast<qsizetype>(e.bytes.size()));
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

COrvikCadView* ViewOf(CChildFrame* child)
{
    return child ? dynamic_cast<COrvikCadView*>(child->GetActiveView()) : nullptr;
}

// Rows of the picture that hold a dark run of at least `length` pixels: the
// drawing's lines, where the grid's dots and the sheet's frame give few.
int RowsWithDarkRuns(const QImage& image, int length)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < 96 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= length) ++rows;
    }
    return rows;
}

int DrawnLines(COrvikCadView* view)
{
    QApplication::processEvents();
    view->Buffer().Validate();
    return RowsWithDarkRuns(view->Buffer().Image(), view->Buffer().Image().width() / 4);
}

} // namespace

TEST_F(AppTest, JwwDrawingsAreInViewWhenTheyOpen)
{
    Start();
    QTemporaryDir dir;
    const QString v600 = dir.filePath(QStringLiteral("v600.jww"));
    const QString v700 = dir.filePath(QStringLiteral("v700.jww"));
    const QString big = dir.filePath(QStringLiteral("big.jww"));
    const QString dxf = dir.filePath(QStringLiteral("plan.dxf"));
    WriteBytes(v600, JwwOnBlackSheet(600));
    WriteBytes(v700, JwwOnBlackSheet(700));
    WriteBytes(big, JwwOnBlackSheet(700, 1, 50.0));
    // Two lines a metre off the origin, away from the sheet's middle mark.
    WriteBytes(dxf, "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n1000000\n 20\n2\n 11\n1000300\n 21\n2\n"
                    "  0\nLINE\n 10\n1000000\n 20\n100\n 11\n1000300\n 21\n100\n  0\nENDSEC\n  0\nEOF\n");

    auto open = [&](void (COrvikCadApp::*command)(), const QString& path) {
        platform::UiScript ui;
        ui.path(path);
        (AfxGetApp().*command)();
        QApplication::processEvents();
        return frame->ChildFrames().isEmpty() ? nullptr : frame->ChildFrames().back();
    };

    // The first drawing of the run, and the same after two others.
    CChildFrame* first = open(&COrvikCadApp::OnFileOpenJww, v600);
    ASSERT_NE(ViewOf(first), nullptr);
    EXPECT_GE(DrawnLines(ViewOf(first)), 8);
    ASSERT_NE(open(&COrvikCadApp::OnFileOpenDxf, dxf), nullptr);
    ASSERT_NE(open(&COrvikCadApp::OnFileOpenJww, big), nullptr);
    CChildFrame* last = open(&COrvikCadApp::OnFileOpenJww, v700);
    ASSERT_NE(ViewOf(last), nullptr);
    EXPECT_GE(DrawnLines(ViewOf(last)), 8);
    if (const char* shots = std::getenv("ORVIK_SHOTS")) {
        ViewOf(last)->Buffer().Image().save(QString::fromLocal8Bit(shots) + QStringLiteral("/jww_opened.png"));
    }

    // The stored colours stay white: only the drawing of them changes.
    auto* doc = dynamic_cast<CDrawingDocument*>(last->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    for (const CEntity* e = doc->Drawing().list.first; e; e = e->next) {
        if (e->type == EntityType::Line) {
            EXPECT_EQ(e->colour, 0xFFFFFFu);
        }
    }

    // The base view and the whole-drawing view show the lines in every
    // window, whichever was active before.
    for (CChildFrame* child : frame->ChildFrames()) {
        COrvikCadView* view = ViewOf(child);
        ASSERT_NE(view, nullptr);
        const bool jww = child != frame->ChildFrames()[1];
        for (unsigned command : {ID_VIEW_FIT_ALL, ID_VIEW_BASE, ID_VIEW_FIT_ALL}) {
            SCOPED_TRACE(command);
            view->OnCmdMsg(command, nullptr);
            EXPECT_GE(DrawnLines(view), jww ? 8 : 2);
            if (const char* shots = std::getenv("ORVIK_SHOTS")) {
                view->Buffer().Image().save(QString::fromLocal8Bit(shots) + QStringLiteral("/window%1_%2.png")
                                                .arg(frame->ChildFrames().indexOf(child)).arg(command));
            }
        }
    }
}

TEST_F(AppTest, WhatAnImportLeftOutIsToldOnceTheDrawingIsOpen)
{
    Start();
    QTemporaryDir dir;
    const QString dxf = dir.filePath(QStringLiteral("sheet.dxf"));
    WriteBytes(dxf, "  0\nSECTION\n  2\nENTITIES\n"
                    "  0\nLINE\n 67\n1\n 10\n0\n 20\n0\n 11\n297\n 21\n0\n"
                    "  0\nMTEXT\n  1\nnote\n"
                    "  0\nLINE\n 10\n0\n 20\n0\n 11\n100\n 21\n0\n  0\nENDSEC\n  0\nEOF\n");
    platform::UiScript ui;
    ui.path(dxf);
    AfxGetApp().OnFileOpenDxf();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("MTEXT : 1"))) << ui.messages()[0].toStdString();
    EXPECT_TRUE(ui.messages()[0].contains(QString::fromUtf8(PaperSpaceLabel)));
    ASSERT_EQ(frame->ChildFrames().size(), 1);

    // Nothing the drawing can take: refused with a message, no window.
    const QString empty = dir.filePath(QStringLiteral("text.dxf"));
    WriteBytes(empty, "  0\nSECTION\n  2\nENTITIES\n  0\nMTEXT\n  1\nnote\n  0\nENDSEC\n  0\nEOF\n");
    ui.clear();
    ui.path(empty);
    AfxGetApp().OnFileOpenDxf();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("MTEXT : 1")));
    QApplication::processEvents();
    EXPECT_EQ(frame->ChildFrames().size(), 1);
}

// Every window with a title bar is wide enough for the desktop to show its
// whole title: the drawing palette, the layer list and the dialogs.

#include "app/AboutDlg.h"
#include "app/WindowListDlg.h"
#include "dialogs/PlanInfoDlg.h"
#include "dialogs/PopEntity.h"
#include "dialogs/PopLayer.h"
#include "edit_tools/DeleteGroupDlg.h"
#include "platform/TitleBar.h"
#include "tools/InputNumDlg.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

TEST(CaptionsFit, EveryTitleHasRoomInItsTitleBar)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<QWidget>()> make;
    } cases[] = {
        {"drawing palette", [] { return std::make_unique<CPopEntity>(); }},
        {"layer list",
         [] {
             auto w = std::make_unique<CPopLayer>();
             w->resize(100, 300);  // the size a fresh settings file gives it
             return std::unique_ptr<QWidget>(std::move(w));
         }},
        {"numeric input", [] { return std::make_unique<CInputNumDlg>(); }},
        {"drawing information", [] { return std::make_unique<CPlanInfoDlg>(); }},
        {"group delete", [] { return std::make_unique<CDeleteGroupDlg>(); }},
        {"window list", [] { return std::make_unique<CWindowListDlg>(); }},
        {"about", [] { return std::make_unique<CAboutDlg>(); }},
    };
    const QFontMetrics fm(QApplication::font());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<QWidget> w = c.make();
        w->show();
        QApplication::processEvents();
        const QString title = w->windowTitle();
        ASSERT_FALSE(title.isEmpty());
        // The text at the default font beside a close button, and the room
        // the title bar is given for it.
        EXPECT_GE(w->width(), fm.horizontalAdvance(title) + fm.height()) << w->width();
        EXPECT_GE(w->width(), platform::titleBarWidth(title)) << w->width();
        w->close();
    }
}

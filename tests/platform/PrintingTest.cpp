#include "platform/Printing.h"
#include "platform/UiScript.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

using namespace platform;

TEST(Printing, NoPrinterIsAnOrdinaryState)
{
    if (hasDefaultPrinter()) {
        GTEST_SKIP() << "a printer is installed here";
    }
    EXPECT_TRUE(defaultPrinterName().isEmpty());
    EXPECT_FALSE(printerPaper().has_value());
    int calls = 0;
    EXPECT_FALSE(printDirect([&](QPrinter&) { ++calls; }, QStringLiteral("x")));
    EXPECT_EQ(calls, 0);
    // The settings object still exists for page setup and preview.
    setPrinterOrientation(QPageLayout::Landscape);
    EXPECT_EQ(applicationPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    setPrinterOrientation(QPageLayout::Portrait);
}

TEST(Printing, DialogsGoThroughTheUiServices)
{
    UiScript ui;
    ui.dialog(IDCANCEL).dialog(IDCANCEL).dialog(IDCANCEL);
    int calls = 0;
    EXPECT_FALSE(printWithDialog([&](QPrinter&) { ++calls; }, QStringLiteral("図面")));
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(pageSetup());
    int previews = 0;
    printPreview([&](QPrinter& printer) {
        ++previews;
        QPainter p(&printer);
        p.drawLine(0, 0, 100, 100);
    });
    ASSERT_EQ(ui.calls().size(), 3u);
    EXPECT_EQ(ui.calls()[0].kind, UiKind::Dialog);
    EXPECT_EQ(ui.calls()[2].text, QStringLiteral("QPrintPreviewDialog"));
    EXPECT_GE(previews, 1);
    EXPECT_TRUE(ui.problems().isEmpty());
}

TEST(Printing, PaperCodes)
{
    EXPECT_EQ(paperCodeForPageSize(QPageSize::A3), 8);
    EXPECT_EQ(paperCodeForPageSize(QPageSize::A4), 9);
    EXPECT_EQ(paperCodeForPageSize(QPageSize::A5), 11);
    EXPECT_EQ(paperCodeForPageSize(QPageSize::JisB4), 12);
    EXPECT_EQ(paperCodeForPageSize(QPageSize::JisB5), 13);
    EXPECT_EQ(paperCodeForPageSize(QPageSize::A0), 0);
}

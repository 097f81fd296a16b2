// The development dialog: fields by kind, the check of each field and the
// kind's rule, and the profile that keeps each field that passed.

#include "dialogs/DevelopDlg.h"
#include "platform/PainterDc.h"
#include "platform/Places.h"
#include "platform/UiScript.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const QString Section = QStringLiteral("Develop");

class DevelopDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 7; ++i)
            platform::writeProfileString(Section, QStringLiteral("Edit0%1").arg(i), QString());
        ui.clear();
    }
    void TearDown() override { SetUp(); }

    // The dialog of kind, initialised as on opening.
    std::unique_ptr<CDevelopDlg> Open(int kind)
    {
        auto dlg = std::make_unique<CDevelopDlg>();
        dlg->DevelopKind = kind;
        dlg->show();
        QApplication::processEvents();
        return dlg;
    }
    static void Type(CDevelopDlg& dlg, std::initializer_list<const char*> texts)
    {
        int i = 0;
        for (const char* t : texts)
            dlg.Field(i++)->setText(QString::fromUtf8(t));
    }
    static void Confirm(CDevelopDlg& dlg)
    {
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("実　行"))
                b->click();
    }
    static QString Stored(int field) { return platform::profileString(Section, QStringLiteral("Edit0%1").arg(field)); }

    platform::UiScript ui;
};

TEST_F(DevelopDlgTest, EachKindShowsItsOwnFields)
{
    struct Row {
        int kind;
        std::vector<const char*> labels;
    };
    const Row rows[] = {
        {0, {"半　径 [mm]", "高さ１ [mm]", "高さ２ [mm]", "曲線点列数"}},
        {1, {"長さ１ [mm]", "長さ２ [mm]", "高さ１ [mm]", "高さ２ [mm]", "半　径 [mm]", "曲線点列数"}},
        {2, {"半　径 [mm]", "高さ１ [mm]", "高さ２ [mm]", "角　度", "曲線点列数"}},
    };
    for (const Row& row : rows) {
        auto dlg = Open(row.kind);
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("展開図"));
        for (int i = 0; i < 7; ++i) {
            const bool used = i < static_cast<int>(row.labels.size());
            EXPECT_EQ(dlg->Field(i)->isVisible(), used) << row.kind << ' ' << i;
            EXPECT_EQ(dlg->Label(i)->isVisible(), used) << row.kind << ' ' << i;
            if (used) {
                EXPECT_EQ(dlg->Label(i)->text(), QString::fromUtf8(row.labels[static_cast<std::size_t>(i)]));
            }
        }
    }
}

TEST_F(DevelopDlgTest, FieldsAreReadLikeTheDialogReadsThem)
{
    struct Case {
        const char* text;
        bool passes;
        float value;
    };
    const Case cases[] = {
        {"123456789012", true, 1234567890.0f},  // its first 10 characters
        {"1-2", true, 1.0f},
        {"-0", true, 0.0f},
        {"12.5", true, 12.5f},
        {"", false, 0},
        {"1e3", false, 0},
        {"１２", false, 0},  // full-width digits are other characters
        {".", false, 0},
        {"-", false, 0},
        {"-3", false, 0},  // below zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto dlg = Open(0);
        Type(*dlg, {"50", "100", c.text, "8"});
        const int failed = dlg->Validate();
        if (c.passes) {
            EXPECT_EQ(failed, -1);
            EXPECT_FLOAT_EQ(dlg->FieldValue[2], c.value);
            EXPECT_EQ(Stored(3), QString::fromUtf8(c.text).left(10));
        } else {
            EXPECT_EQ(failed, 2);
        }
        EXPECT_TRUE(ui.messages().isEmpty());  // these go back to the field silently
    }
}

TEST_F(DevelopDlgTest, KindRulesAndTheirMessages)
{
    struct Case {
        int kind;
        std::initializer_list<const char*> texts;
        int failed;
        const char* message;
    };
    const Case cases[] = {
        {1, {"100", "60", "50", "80", "30", "16"}, -1, nullptr},
        {1, {"100", "60", "50", "80", "30.5", "16"}, 4, "半径の値に誤りがあります。、（長さ/２より大きいです）"},
        {2, {"50", "200", "200", "20", "12"}, -1, nullptr},  // cut at the apex
        {2, {"50", "200", "200.5", "20", "12"}, 1, "高さ２が高さ１より高いです。"},
        // Values that would divide by zero are refused with a word.
        {2, {"50", "0", "0", "20", "12"}, 1, "高さ１には 0 より大きい値を入力して下さい。"},
        {1, {"0", "60", "50", "80", "0", "16"}, 0, "長さ１には 0 より大きい値を入力して下さい。"},
        {0, {"0", "100", "150", "8"}, 0, "半径には 0 より大きい値を入力して下さい。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ui.clear();
        auto dlg = Open(c.kind);
        int i = 0;
        for (const char* t : c.texts)
            dlg->Field(i++)->setText(QString::fromUtf8(t));
        EXPECT_EQ(dlg->Validate(), c.failed);
        if (c.message) {
            ASSERT_EQ(ui.messages().size(), 1);
            EXPECT_EQ(ui.messages()[0], QString::fromUtf8(c.message));
        } else {
            EXPECT_TRUE(ui.messages().isEmpty());
        }
    }
}

TEST_F(DevelopDlgTest, FieldsThatPassedAreKeptEvenWhenALaterOneFails)
{
    {
        auto dlg = Open(1);
        Type(*dlg, {"100", "60", "x", "80", "10", "16"});
        EXPECT_EQ(dlg->Validate(), 2);
    }
    EXPECT_EQ(Stored(1), QStringLiteral("100"));
    EXPECT_EQ(Stored(2), QStringLiteral("60"));
    EXPECT_EQ(Stored(3), QString());
    // The next opening shows what was kept.
    auto again = Open(2);
    EXPECT_EQ(again->Field(0)->text(), QStringLiteral("100"));
    EXPECT_EQ(again->Field(1)->text(), QStringLiteral("60"));
    EXPECT_EQ(again->Field(2)->text(), QString());
}

TEST_F(DevelopDlgTest, ConfirmClosesOnlyWhenEveryFieldPasses)
{
    auto dlg = Open(0);
    Type(*dlg, {"50", "", "150", "8"});
    Confirm(*dlg);
    EXPECT_TRUE(dlg->isVisible());
    dlg->Field(1)->setText(QStringLiteral("100"));
    Confirm(*dlg);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), IDOK);
    EXPECT_FLOAT_EQ(dlg->FieldValue[0], 50);
    EXPECT_FLOAT_EQ(dlg->FieldValue[3], 8);
}

TEST(DevelopSketch, EachKindDrawsInsideItsFrame)
{
    for (int kind = 0; kind < 3; ++kind) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            platform::PainterDc dc(image);
            DrawDevelopSketch(dc, kind, 200, 200);
        }
        // Filled in the background colour, with dark outline pixels.
        EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu) << kind;
        int dark = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (qGray(image.pixel(x, y)) < 64)
                    ++dark;
        EXPECT_GT(dark, 100) << kind;
    }
    // The prism's plan has rounded corners: the corner pixel stays blank.
    QImage image(200, 200, QImage::Format_RGB32);
    {
        platform::PainterDc dc(image);
        DrawDevelopSketch(dc, 1, 200, 200);
    }
    EXPECT_EQ(image.pixel(50, 120) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_LT(qGray(image.pixel(100, 120)), 64);
}

} // namespace

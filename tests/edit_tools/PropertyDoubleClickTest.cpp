// A double click with the selection tool opens the property dialog the
// application installs, and what the dialog changes reaches the drawing.

#include "SelectToolFixture.h"

#include "app/Components.h"
#include "dialogs/ChangeLineDlg.h"
#include "platform/Controls.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

class PropertyDoubleClickTest : public SelectToolTest {
protected:
    PropertyDoubleClickTest() { InstallPropertyDialogs(); }
    ~PropertyDoubleClickTest() override { EntityPropertiesEditor = nullptr; }
};

TEST_F(PropertyDoubleClickTest, DoubleClickOnALineChangesItThroughItsDialog)
{
    QString caption;
    h.Ui().dialog([&](QDialog& d) {
        caption = d.windowTitle();
        // Line A runs along y = 0; move both ends up to y = 20 (relative to
        // the drawing origin, as the dialog shows them).
        auto* startY = platform::control<QLineEdit>(&d, CChangeLineDlg::IDC_START_Y);
        auto* endY = platform::control<QLineEdit>(&d, CChangeLineDlg::IDC_END_Y);
        ASSERT_NE(startY, nullptr);
        ASSERT_NE(endY, nullptr);
        const double shift = 20.0;
        startY->setText(QString::number(startY->text().toDouble() + shift));
        endY->setText(QString::number(endY->text().toDouble() + shift));
        auto* ok = platform::control<QPushButton>(&d, IDOK);
        ASSERT_NE(ok, nullptr);
        ok->click();
    });
    h.Click(50, 0);
    h.DoubleClick(50, 0);

    EXPECT_EQ(caption, QStringLiteral("直線作図属性変更"));
    // The old line went into the undo step; the new one stands at y = 20.
    int lines = 0;
    bool moved = false;
    for (const CEntity* e = h.Doc().list.first; e; e = e->next) {
        if (e->type < 20 || e->type > 23 || e->values.size() < 4)
            continue;
        ++lines;
        moved |= e->values[1] == 20.0 && e->values[3] == 20.0;
    }
    EXPECT_EQ(lines, 2);
    EXPECT_TRUE(moved);
    EXPECT_TRUE(h.Ui().problems().isEmpty()) << h.Ui().problems().join("\n").toStdString();
}

} // namespace

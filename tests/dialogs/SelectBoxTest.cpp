#include "PanelSupport.h"

#include "dialogs/MyFlatButton.h"
#include "dialogs/OpeSelectBox.h"

#include <QEnterEvent>

namespace {

CMyFlatButton* Button(QWidget* panel, int operation)
{
    return platform::control<CMyFlatButton>(panel, COpeSelectBox::IDC_FIRST_BUTTON + operation - 1);
}

} // namespace

TEST_F(PanelTest, SelectionPanelButtonsHandTheirOperationToTheView)
{
    const char* captions[] = {"前面移動", "背面移動", "左右反転", "上下反転", "右へ90°", "左へ90°"};
    const int pictures[] = {190, 192, 193, 194, 195, 196};
    auto p = Open<COpeSelectBox>();
    for (int op = 1; op <= COpeSelectBox::kOperations; ++op) {
        SCOPED_TRACE(op);
        CMyFlatButton* b = Button(p.get(), op);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->text().isEmpty());
        // Picture and caption lie under the button.
        QList<QLabel*> labels = b->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 2);
        EXPECT_EQ(labels[0]->property("iconId").toInt(), pictures[op - 1]);
        EXPECT_FALSE(labels[0]->pixmap().isNull());
        EXPECT_EQ(labels[1]->text(), QString::fromUtf8(captions[op - 1]));
        EXPECT_TRUE(labels[1]->testAttribute(Qt::WA_TransparentForMouseEvents));

        CommandArgument = 0;
        b->click();
        EXPECT_EQ(CommandArgument, op);  // no view here to carry it out and clear it
    }
}

TEST_F(PanelTest, SelectionPanelIgnoresEnterAndEscape)
{
    auto p = Open<COpeSelectBox>();
    CMyFlatButton* b = Button(p.get(), 3);
    ASSERT_NE(b, nullptr);
    CommandArgument = 0;
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        Press(b, key);
        Press(p.get(), key);
    }
    EXPECT_EQ(CommandArgument, 0);
    EXPECT_TRUE(p->isVisible());
}

TEST_F(PanelTest, FlatButtonShowsAFrameOnlyWhenHoveredOrPressed)
{
    auto p = Open<COpeSelectBox>();
    CMyFlatButton* b = Button(p.get(), 1);
    ASSERT_NE(b, nullptr);
    b->clearFocus();
    const QRgb light = b->palette().color(QPalette::Light).rgb();
    const QRgb dark = b->palette().color(QPalette::Dark).rgb();
    ASSERT_NE(light, dark);
    auto corner = [b] { return b->grab().toImage().pixel(0, 0); };
    auto farCorner = [b] {
        QImage img = b->grab().toImage();
        return img.pixel(img.width() - 1, img.height() - 1);
    };
    EXPECT_NE(corner(), light);
    EXPECT_NE(corner(), dark);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(b->IsHover());
    EXPECT_EQ(corner(), light);  // raised
    EXPECT_EQ(farCorner(), dark);

    b->setDown(true);
    EXPECT_EQ(corner(), dark);  // sunken
    EXPECT_EQ(farCorner(), light);
    b->setDown(false);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    EXPECT_FALSE(b->IsHover());
    EXPECT_NE(corner(), light);
}

#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeImageDlg.h"
#include "platform/Encoding.h"

#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

class ImagePropertiesTest : public EntityPropertiesTest {
protected:
    ImagePropertiesTest()
    {
        QImage picture(300, 100, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picturePath = dir.filePath(QStringLiteral("picture.png"));
        EXPECT_TRUE(picture.save(picturePath));
    }
    CEntity* AddImage(double x1, double y1, double x2, double y2, const QString& path)
    {
        const EntityHeader header{EntityType::Image, 1, 305, 0, 4};
        const int16_t codes[] = {10, 20, 11, 22};
        const double values[] = {x1, y1, x2, y2};
        EXPECT_EQ(h.Doc().list.AddEntity(header, codes, 0x00ABCDEF, values, platform::ToCp932(path)), 0);
        return h.Doc().list.last;
    }
    static QString Text(QDialog& d, int id)
    {
        if (auto* edit = platform::control<QLineEdit>(&d, id))
            return edit->text();
        return Ctrl<QLabel>(&d, id)->text();
    }

    QTemporaryDir dir;
    QString picturePath;
};

TEST_F(ImagePropertiesTest, CornersSwitchToWidthAndHeightAndBack)
{
    CEntity* image = AddImage(10, 20, 110, 70, picturePath);
    QStringList sizes, corners;
    Edit(image, [&](QDialog& d) {
        EXPECT_EQ(Text(d, CChangeImageDlg::IDC_X_ROW_LABEL), "終了Ｘ座標");
        Press(d, CChangeImageDlg::IDC_SIZES);
        sizes << Text(d, CChangeImageDlg::IDC_X_ROW) << Text(d, CChangeImageDlg::IDC_Y_ROW)
              << Text(d, CChangeImageDlg::IDC_X_ROW_LABEL) << Text(d, CChangeImageDlg::IDC_Y_ROW_LABEL);
        Press(d, CChangeImageDlg::IDC_CORNERS);
        corners << Text(d, CChangeImageDlg::IDC_X_ROW) << Text(d, CChangeImageDlg::IDC_Y_ROW)
                << Text(d, CChangeImageDlg::IDC_X_ROW_LABEL) << Text(d, CChangeImageDlg::IDC_Y_ROW_LABEL);
        Press(d, IDOK);
    });
    EXPECT_EQ(sizes, (QStringList{"100.00", "50.00", " 画像幅", " 画像高さ"}));
    EXPECT_EQ(corners, (QStringList{"110.00", "70.00", "終了Ｘ座標", "終了Ｙ座標"}));
    const CEntity* now = h.Doc().list.last;
    ASSERT_NE(now, image);
    EXPECT_EQ(now->values, (std::vector<double>{10, 20, 110, 70}));
    EXPECT_EQ(now->colour, 0x00ABCDEFu);
    EXPECT_EQ(now->style, 305);
    EXPECT_EQ(now->subtype, 1);
    EXPECT_EQ(now->codes, (std::vector<int16_t>{10, 20, 11, 22}));
    h.Doc().list.UndoRedo();
    EXPECT_EQ(h.Doc().list.last, image);
}

TEST_F(ImagePropertiesTest, WidthAndHeightGiveTheFarCornerFromTheOrigin)
{
    h.Doc().DrawingOrigin[0] = 1000;
    h.Doc().DrawingOrigin[1] = 2000;
    CEntity* image = AddImage(1010, 2020, 1110, 2070, picturePath);
    Edit(image, [&](QDialog& d) {
        EXPECT_EQ(Text(d, CChangeImageDlg::IDC_START_X), "10");
        Press(d, CChangeImageDlg::IDC_SIZES);
        SetField(d, CChangeImageDlg::IDC_START_X, QStringLiteral("0"));
        SetField(d, CChangeImageDlg::IDC_START_Y, QStringLiteral("0"));
        SetField(d, CChangeImageDlg::IDC_X_ROW, QStringLiteral("40"));
        SetField(d, CChangeImageDlg::IDC_Y_ROW, QStringLiteral("30"));
        Press(d, IDOK);
    });
    EXPECT_EQ(h.Doc().list.last->values, (std::vector<double>{1000, 2000, 1040, 2030}));
}

TEST_F(ImagePropertiesTest, UntouchedSizesKeepTheCornersWhole)
{
    CEntity* image = AddImage(10.123456, 20, 110.987654, 70.333333, picturePath);
    Edit(image, [&](QDialog& d) {
        Press(d, CChangeImageDlg::IDC_SIZES);
        Press(d, IDOK);
    });
    const CEntity* now = h.Doc().list.last;
    EXPECT_NEAR(now->values[0], 10.123456, 1e-9);
    EXPECT_NEAR(now->values[2], 110.987654, 1e-9);
    EXPECT_NEAR(now->values[3], 70.333333, 1e-9);
}

TEST_F(ImagePropertiesTest, RefusedSwitchKeepsThePresentation)
{
    const struct {
        int id;
        const char* typed;
        const char* message;
    } cases[] = {
        {CChangeImageDlg::IDC_START_X, "", "始端側Ｘ座標値が入力されていません！"},
        {CChangeImageDlg::IDC_X_ROW, "", "画像幅の値が入力されていません！"},
        {CChangeImageDlg::IDC_Y_ROW, "a", "画像高さの値の入力に誤りがあります！"},
        {CChangeImageDlg::IDC_START_Y, "1e3", "始端側Ｙ座標の入力に誤りがあります！"},
    };
    for (const auto& c : cases) {
        CEntity* image = AddImage(10, 20, 110, 70, picturePath);
        h.Ui().clear();
        QString label, xRow;
        bool cornersChecked = false;
        int focused = -1;
        Edit(image, [&](QDialog& d) {
            SetField(d, c.id, QString::fromUtf8(c.typed));
            Press(d, CChangeImageDlg::IDC_SIZES);
            focused = FocusId(d);
            label = Text(d, CChangeImageDlg::IDC_X_ROW_LABEL);
            xRow = Text(d, CChangeImageDlg::IDC_X_ROW);
            cornersChecked = platform::control<QRadioButton>(&d, CChangeImageDlg::IDC_CORNERS)->isChecked();
            Press(d, IDCANCEL);
        });
        EXPECT_EQ(h.Ui().messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(focused, c.id);
        EXPECT_EQ(label, "終了Ｘ座標");
        EXPECT_TRUE(cornersChecked);
        if (c.id != CChangeImageDlg::IDC_X_ROW) {
            EXPECT_EQ(xRow, "110");
        }
    }
}

TEST_F(ImagePropertiesTest, MissingFileIsRefusedAndShowsNoPicture)
{
    CEntity* image = AddImage(10, 20, 110, 70, dir.filePath(QStringLiteral("gone.png")));
    h.Ui().clear();
    QStringList info;
    int focused = -1;
    EXPECT_EQ(Edit(image,
                   [&](QDialog& d) {
                       info << Text(d, CChangeImageDlg::IDC_PIXEL_WIDTH) << Text(d, CChangeImageDlg::IDC_PIXEL_HEIGHT)
                            << Text(d, CChangeImageDlg::IDC_DEPTH);
                       Press(d, IDOK);
                       focused = FocusId(d);
                       Press(d, IDCANCEL);
                   }),
              1);
    EXPECT_EQ(info, (QStringList{"     0 ", "     0", "0 bit"}));
    EXPECT_EQ(h.Ui().messages(), QStringList{QStringLiteral("指定された画像ファイルは存在しません。")});
    EXPECT_EQ(focused, CChangeImageDlg::IDC_PATH);
    EXPECT_EQ(h.Doc().list.last, image);
}

TEST_F(ImagePropertiesTest, BrowseTakesTheFileAndShowsItsSizeAndPicture)
{
    CEntity* image = AddImage(10, 20, 110, 70, dir.filePath(QStringLiteral("gone.png")));
    QStringList info;
    QImage preview;
    h.Ui().dialog([&](QDialog& d) {
        Press(d, CChangeImageDlg::IDC_BROWSE);
        info << Text(d, CChangeImageDlg::IDC_PIXEL_WIDTH) << Text(d, CChangeImageDlg::IDC_PIXEL_HEIGHT);
        preview = platform::control<QWidget>(&d, CChangeImageDlg::IDC_PREVIEW)->grab().toImage();
        Press(d, IDOK);
    });
    h.Ui().path(picturePath);
    EditEntityProperties(&h.View(), image);
    EXPECT_EQ(info, (QStringList{"   300 ", "   100"}));
    EXPECT_EQ(FromCp932(h.Doc().list.last->text), picturePath);
    const auto files = h.Ui().calls(platform::UiKind::OpenFile);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].caption, QStringLiteral("ＢＭＰ画像ファイル指定"));
    // Fitted across the preview's width and centred in its height.
    ASSERT_FALSE(preview.isNull());
    EXPECT_EQ(preview.pixel(preview.width() / 2, preview.height() / 2), qRgb(255, 0, 0));
    EXPECT_EQ(preview.pixel(preview.width() / 2, 3), qRgb(0, 0, 0));
}

TEST(FitImage, KeepsTheShapeAndCentres)
{
    const struct {
        int width, height;
        int left, top, right, bottom;
        FittedImage fit;
    } cases[] = {
        {300, 100, 0, 0, 90, 80, {0, 25, 90, 30}},
        {100, 300, 0, 0, 90, 90, {30, 0, 30, 90}},
        {100, 100, 10, 10, 90, 91, {10, 10, 80, 80}},  // a one-pixel gap is not centred
        {0, 100, 0, 0, 90, 80, {0, 0, 0, 0}},
        {100, 0, 0, 0, 90, 80, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const FittedImage f = FitImage(c.width, c.height, c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(f.left, c.fit.left) << c.width << "x" << c.height;
        EXPECT_EQ(f.top, c.fit.top) << c.width << "x" << c.height;
        EXPECT_EQ(f.width, c.fit.width) << c.width << "x" << c.height;
        EXPECT_EQ(f.height, c.fit.height) << c.width << "x" << c.height;
    }
}

} // namespace

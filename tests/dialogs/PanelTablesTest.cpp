// Every option panel, table by table: titles, edits, check boxes with the
// controls they enable, radio groups and range refusals.
#include "PanelSupport.h"

#include "dialogs/OpeEditBoxes.h"
#include "dialogs/OperationBox.h"
#include "dialogs/OperationBoxes.h"

#include <vector>

namespace {

std::unique_ptr<COperationBox> OpenKind(int kind)
{
    std::unique_ptr<COperationBox> panel(CreateOperationBox(kind, nullptr));
    if (panel) {
        panel->show();
        QApplication::processEvents();
    }
    return panel;
}

struct TitleCase {
    int kind;
    unsigned dialog;
    const char* title;
};
const TitleCase kTitles[] = {
    {1, 185, "　座標指定　"},   {2, 173, "　距離指定 "},     {3, 159, "　角度指定 "},     {4, 169, "　幅付き線 "},
    {5, 163, "　円指定 "},      {6, 161, "　円弧指定 "},     {7, 179, "　BOX指定 "},      {8, 177, "　多角形指定 "},
    {9, 165, "　角指定 "},      {10, 175, "　移動・複写 "},  {11, 171, "　ハッチング "},  {12, 167, "　寸法線 "},
    {13, 181, "　文字列 "},     {14, 183, "　指示線文字 "},  {15, 231, "　無限線指定 "},  {16, 232, "　平行線指定 "},
    {17, 233, "　直線指定 "},   {18, 235, "　連続線指定 "},  {19, 255, "　ストレッチ "},  {20, 256, "　拡大・縮小 "},
    {21, 257, "　オフセット "}, {22, 259, "　点指定 "},      {23, 260, "　塗りつぶし指定 "}, {24, 262, "　移動・複写 "},
    {25, 284, "　図形選択  "},
};

struct EditCase {
    int kind;
    int id;
    float* real;
    int16_t* integer;
    const char* text;
    double value;
};
const EditCase kEdits[] = {
    {1, 1091, &PointCoordX, nullptr, "12.5", 12.5},
    {1, 1092, &PointCoordY, nullptr, "-7", -7},
    {2, 1068, &PointOptionDistance, nullptr, "33", 33},
    {3, 1032, &AngleBoxAngle, nullptr, "45", 45},
    {3, 1033, &LineLength, nullptr, "80", 80},
    {4, 1059, &DoubleLineLeftGap, nullptr, "5", 5},
    {4, 1060, &DoubleLineRightGap, nullptr, "6", 6},
    {4, 1143, &LineLength, nullptr, "81", 81},
    {5, 1043, &CircleRadius, nullptr, "15", 15},
    {6, 1035, &CircleRadius, nullptr, "16", 16},
    {6, 1036, &ArcStartAngle, nullptr, "30", 30},
    {6, 1037, &ArcEndAngle, nullptr, "150", 150},
    {7, 1078, &RectWidth, nullptr, "40", 40},
    {7, 1079, &RectHeight, nullptr, "30", 30},
    {7, 1080, &ShapeAngle, nullptr, "1000", 1000},  // no bound on the box's angle
    {8, 1072, nullptr, &PolygonVertexCount, "24", 24},
    {8, 1073, &PolygonDistance, nullptr, "25", 25},
    {8, 1074, &ShapeAngle, nullptr, "-90", -90},
    {9, 1049, &CornerDistance, nullptr, "2.5", 2.5},
    {10, 1069, &MoveScale, nullptr, "0.5", 0.5},
    {10, 1070, &MoveAngle, nullptr, "360", 360},
    {11, 1065, &HatchSpacingX, nullptr, "4", 4},
    {11, 1066, &HatchSpacingY, nullptr, "6", 6},
    {11, 1067, &HatchAngle, nullptr, "30", 30},
    {12, 1052, &DimTextSize, nullptr, "3.5", 3.5},
    {12, 1053, nullptr, &DimDecimals, "2", 2},
    {12, 1054, &DimUpperExtension, nullptr, "12", 12},
    {12, 1055, &DimLowerExtension, nullptr, "2", 2},
    {13, 1086, &TextHeight, nullptr, "5", 5},
    {13, 1087, &TextAngle, nullptr, "90", 90},
    {14, 1089, &TextHeight, nullptr, "7", 7},
    {15, 1153, &InfiniteLineAngle, nullptr, "-45", -45},
    {16, 1154, &ParallelDistance, nullptr, "12", 12},
    {16, 1177, nullptr, &ParallelCount, "100", 100},
    {17, 1141, &LineLength, nullptr, "82", 82},
    {17, 1169, &LineAngle, nullptr, "-360", -360},
    {18, 1142, &LineLength, nullptr, "83", 83},
    {21, 1133, &OffsetDistance, nullptr, "3", 3},
    {24, 1135, &MoveScale, nullptr, "2", 2},
    {24, 1164, &MoveAngle, nullptr, "-360", -360},
};

struct CheckCase {
    int kind;
    int id;
    int16_t* value;
    std::vector<int> enables;
};
const CheckCase kChecks[] = {
    {3, 1376, &AngleBoxLengthGiven, {1033, 1451}},
    {4, 1058, &DoubleLineCentre, {}},
    {4, 1374, &LineLengthGiven, {1143, 1452}},
    {5, 1042, &CircleRadiusGiven, {1043, 1457}},
    {6, 1034, &CircleRadiusGiven, {1035, 1458, 1040, 1036, 1041, 1037, 1038, 1039}},
    {7, 1077, &ShapeSizeGiven, {1078, 1079, 1080, 1081, 1082, 1083, 1084, 1085, 1454, 1455}},
    {8, 1071, &ShapeSizeGiven, {1073, 1456, 1076, 1074}},
    {9, 1044, &CornerTrimLine1, {}},
    {9, 1045, &CornerTrimLine2, {}},
    {16, 1315, &ParallelDistanceGiven, {1154, 1450, 1177, 1317}},
    {17, 1371, &LineLengthGiven, {1141, 1449}},
    {18, 1373, &LineLengthGiven, {1142, 1453}},
};

struct RadioCase {
    int kind;
    std::vector<int> ids;
    int16_t* value;
};
const RadioCase kRadios[] = {
    {1, {1438, 1439, 1440}, &PointShape},
    {2, {1435, 1436, 1437}, &PointShape},
    {4, {1056, 1057}, &DoubleLineMode},
    {6, {1038, 1039}, &ArcDirection},
    {9, {1046, 1047, 1048}, &CornerMode},
    {11, {1061, 1062, 1063, 1064}, &HatchPattern},
    {15, {1311, 1312, 1313}, &InfiniteLineMode},
    {17, {1318, 1319}, &LineMode},
    {18, {1321, 1322}, &ContinuousLineMode},
    {19, {1414, 1415, 1416}, &StretchMode},
    {20, {1417, 1418, 1419}, &ScaleBase},
    {22, {1432, 1433, 1434}, &PointShape},
    {23, {1464, 1465, 1466, 1467, 1468, 1469, 1470}, &PaintPattern},
    {24, {1488, 1489}, &MoveByCoordinates},
};

struct RefusalCase {
    int kind;
    int id;
    const char* text;
    const char* message;
};
const RefusalCase kRefusals[] = {
    {8, 1072, "0", "3 から 24 までの整数を入力してください。"},
    {8, 1072, "25", "3 から 24 までの整数を入力してください。"},
    {8, 1072, "3.5", "整数を入力してください。"},
    {8, 1074, "361", "-360 から 360 までの数値を入力してください。"},
    {10, 1070, "-400", "-360 から 360 までの数値を入力してください。"},
    {15, 1153, "400", "-360 から 360 までの数値を入力してください。"},
    {16, 1177, "0", "1 から 100 までの整数を入力してください。"},
    {16, 1177, "101", "1 から 100 までの整数を入力してください。"},
    {17, 1169, "400", "-360 から 360 までの数値を入力してください。"},
    {24, 1164, "360.01", "-360 から 360 までの数値を入力してください。"},
    {21, 1133, "十", "数値を入力してください。"},
    {12, 1053, "1.5", "整数を入力してください。"},
    {13, 1086, "", "数値を入力してください。"},
};

} // namespace

TEST_F(PanelTest, EachKindHasItsDialogAndTitle)
{
    for (const TitleCase& c : kTitles) {
        auto p = OpenKind(c.kind);
        ASSERT_NE(p, nullptr) << c.kind;
        EXPECT_EQ(p->ResourceId(), c.dialog) << c.kind;
        EXPECT_EQ(platform::controlId(p.get()), int(c.dialog)) << c.kind;
        EXPECT_EQ(p->windowTitle(), QString::fromUtf8(c.title)) << c.kind;
    }
    EXPECT_EQ(CreateOperationBox(0, nullptr), nullptr);
    EXPECT_EQ(CreateOperationBox(26, nullptr), nullptr);
    EXPECT_EQ(CreateOperationBox(-1, nullptr), nullptr);
}

TEST_F(PanelTest, EveryEditShowsAndWritesItsValue)
{
    for (const EditCase& c : kEdits) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " edit " << c.id);
        SetUp();
        if (c.real) {
            *c.real = 1.25f;
        } else {
            *c.integer = 5;
        }
        auto p = OpenKind(c.kind);
        QLineEdit* edit = Edit(p.get(), c.id);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), c.real ? "1.25" : "5");
        edit->setText(QString::fromUtf8(c.text));
        if (c.real) {
            EXPECT_FLOAT_EQ(*c.real, 1.25f);
        }
        Leave(edit);
        if (c.real) {
            EXPECT_FLOAT_EQ(*c.real, float(c.value));
        } else {
            EXPECT_EQ(*c.integer, int(c.value));
        }
    }
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(PanelTest, EveryCheckBoxWritesAndEnablesItsControls)
{
    for (const CheckCase& c : kChecks) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " check " << c.id);
        *c.value = 0;
        auto p = OpenKind(c.kind);
        EXPECT_FALSE(Checked(p.get(), c.id));
        for (int id : c.enables) {
            EXPECT_FALSE(Enabled(p.get(), id)) << id;
        }
        Click(p.get(), c.id);
        EXPECT_EQ(*c.value, 1);
        for (int id : c.enables) {
            EXPECT_TRUE(Enabled(p.get(), id)) << id;
        }
        Click(p.get(), c.id);
        EXPECT_EQ(*c.value, 0);
        for (int id : c.enables) {
            EXPECT_FALSE(Enabled(p.get(), id)) << id;
        }
        // Ticked at opening.
        *c.value = 1;
        auto again = OpenKind(c.kind);
        EXPECT_TRUE(Checked(again.get(), c.id));
        for (int id : c.enables) {
            EXPECT_TRUE(Enabled(again.get(), id)) << id;
        }
    }
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(PanelTest, EveryRadioGroupShowsAndWritesItsPosition)
{
    for (const RadioCase& c : kRadios) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        CircleRadiusGiven = 1;  // the arc's direction is greyed without a radius
        for (std::size_t shown = 0; shown < c.ids.size(); ++shown) {
            *c.value = int16_t(shown);
            auto p = OpenKind(c.kind);
            for (std::size_t i = 0; i < c.ids.size(); ++i) {
                EXPECT_EQ(Checked(p.get(), c.ids[i]), i == shown) << c.ids[i];
            }
        }
        auto p = OpenKind(c.kind);
        for (std::size_t i = c.ids.size(); i-- > 0;) {
            Click(p.get(), c.ids[i]);
            EXPECT_EQ(*c.value, int16_t(i));
        }
    }
}

TEST_F(PanelTest, OutOfRangeAndNonNumericTextsAreRefused)
{
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " edit " << c.id << " " << c.text);
        SetUp();
        auto p = OpenKind(c.kind);
        QLineEdit* edit = Edit(p.get(), c.id);
        ASSERT_NE(edit, nullptr);
        QString before = edit->text();
        ui.clear();
        ui.button(IDOK);
        edit->setText(QString::fromUtf8(c.text));
        Leave(edit);
        EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(c.message)});
        // Nothing was written: the panel still agrees with the old values.
        edit->setText(before);
        auto fresh = OpenKind(c.kind);
        EXPECT_EQ(Edit(fresh.get(), c.id)->text(), before);
    }
    EXPECT_TRUE(ui.problems().isEmpty());
}

TEST_F(PanelTest, CornerDistanceIsEnabledOnlyForChamfersAndRounds)
{
    CornerMode = 0;
    auto p = OpenKind(9);
    const int ids[] = {1049, 1050, 1459};
    for (int id : ids) {
        EXPECT_FALSE(Enabled(p.get(), id)) << id;
    }
    Click(p.get(), 1047);
    EXPECT_EQ(CornerMode, 1);
    for (int id : ids) {
        EXPECT_TRUE(Enabled(p.get(), id)) << id;
    }
    Click(p.get(), 1048);
    EXPECT_EQ(CornerMode, 2);
    EXPECT_TRUE(Enabled(p.get(), 1049));
    Click(p.get(), 1046);
    EXPECT_EQ(CornerMode, 0);
    EXPECT_FALSE(Enabled(p.get(), 1049));

    CornerMode = 2;
    auto again = OpenKind(9);
    EXPECT_TRUE(Enabled(again.get(), 1049));
}

TEST_F(PanelTest, InfiniteLineAngleIsEnabledOnlyInAngleMode)
{
    InfiniteLineMode = 2;
    auto p = OpenKind(15);
    EXPECT_TRUE(Enabled(p.get(), 1153));
    EXPECT_TRUE(Enabled(p.get(), 1314));
    Click(p.get(), 1311);
    EXPECT_EQ(InfiniteLineMode, 0);
    EXPECT_FALSE(Enabled(p.get(), 1153));
    EXPECT_FALSE(Enabled(p.get(), 1314));
    Click(p.get(), 1312);
    EXPECT_FALSE(Enabled(p.get(), 1153));
    Click(p.get(), 1313);
    EXPECT_TRUE(Enabled(p.get(), 1153));
}

TEST_F(PanelTest, PanelsSharingAValueSeeEachOthersChanges)
{
    {
        auto arc = OpenKind(6);
        Click(arc.get(), 1034);
        Type(arc.get(), 1035, "7.5");
    }
    auto circle = OpenKind(5);
    EXPECT_TRUE(Checked(circle.get(), 1042));
    EXPECT_EQ(Edit(circle.get(), 1043)->text(), "7.5");
    {
        auto rect = OpenKind(7);
        Type(rect.get(), 1080, "15");
    }
    auto poly = OpenKind(8);
    EXPECT_EQ(Edit(poly.get(), 1074)->text(), "15");
    {
        auto move = OpenKind(10);
        Type(move.get(), 1069, "3");
    }
    auto moveZahyo = OpenKind(24);
    EXPECT_EQ(Edit(moveZahyo.get(), 1135)->text(), "3");
}

TEST_F(PanelTest, BoxBasePointIsChosenFromItsList)
{
    RectBasePoint = 1;
    auto p = OpenKind(7);
    auto* list = Ctrl<QComboBox>(p.get(), 1081);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral(" 中心基準"));
    EXPECT_EQ(list->itemText(1), QStringLiteral(" 左下基準"));
    EXPECT_EQ(list->currentIndex(), 1);
    Choose(p.get(), 1081, 0);
    EXPECT_EQ(RectBasePoint, 0);
}

TEST_F(PanelTest, FillPatternButtonsShowTheirPatterns)
{
    auto p = OpenKind(23);
    for (int i = 0; i < COpePaintBox::kPatterns; ++i) {
        auto* b = Ctrl<QAbstractButton>(p.get(), COpePaintBox::IDC_FIRST_PATTERN + i);
        ASSERT_NE(b, nullptr);
        EXPECT_FALSE(b->icon().isNull()) << i;
        EXPECT_EQ(b->property("iconId").toInt(), 176 + 2 * i);
    }
    QImage solid = COpePaintBox::PatternPicture(0);
    QImage horizontal = COpePaintBox::PatternPicture(1);
    QImage vertical = COpePaintBox::PatternPicture(2);
    EXPECT_EQ(solid.pixel(5, 5), qRgb(0, 0, 0));
    // Each hatch leaves background between its lines, and the pictures differ.
    EXPECT_NE(horizontal, solid);
    EXPECT_NE(horizontal, vertical);
    int white = 0;
    for (int x = 1; x < horizontal.width() - 1; ++x) {
        white += horizontal.pixel(x, 5) == qRgb(255, 255, 255);
    }
    EXPECT_GT(white, 0);
    for (int i = 3; i <= 6; ++i) {
        EXPECT_NE(COpePaintBox::PatternPicture(i), solid) << i;
    }
}

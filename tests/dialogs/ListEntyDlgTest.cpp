// The entity list dialog: tabs and fields, adding, changing and deleting
// rows, the CSV file, rounding, and what it hands back.

#include "DialogGestures.h"

#include "dialogs/ListEntyDlg.h"
#include "dialogs/QuantizeDlg.h"
#include "model/Entity.h"
#include "model/EntityList.h"
#include "platform/RecordingDc.h"
#include "platform/Ui.h"
#include "platform/UiScript.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

class ListEntyDlgTest : public DialogGestures {
protected:
    ListEntyDlgTest() { dlg.show(); }

    // The texts of the list's cells, one string per row, "|" between cells.
    QStringList Shown() { return Shown(&dlg); }
    static QStringList Shown(QWidget* window)
    {
        QStringList out;
        QAbstractItemModel* model = Ctrl<QTableView>(window, CListEntyDlg::IDC_LIST)->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->data(model->index(r, c)).toString();
            out << cells.join(u'|');
        }
        return out;
    }
    void Tab(int tab) { Tab(&dlg, tab); }
    static void Tab(QWidget* window, int tab) { Ctrl<QTabBar>(window, CListEntyDlg::IDC_TAB)->setCurrentIndex(tab); }
    void Type(std::initializer_list<const char*> texts)
    {
        size_t i = 0;
        for (const char* t : texts)
            SetText(&dlg, CListEntyDlg::IDC_FIELDS[i++], QString::fromUtf8(t));
    }
    QString Field(int i) { return Ctrl<QLineEdit>(&dlg, CListEntyDlg::IDC_FIELDS[static_cast<size_t>(i)])->text(); }
    void SelectRow(int row)
    {
        auto* list = Ctrl<QTableView>(&dlg, CListEntyDlg::IDC_LIST);
        list->setCurrentIndex(list->model()->index(row, 0));
    }
    std::string TempFile(const char* name) { return (dir.path() + u'/' + QString::fromUtf8(name)).toStdString(); }

    platform::UiScript ui;
    QTemporaryDir dir;
    CListEntyDlg dlg;
};

TEST_F(ListEntyDlgTest, EachTabShowsItsLabelsAndHidesTheFieldsItDoesNotUse)
{
    const struct {
        int tab;
        std::vector<const char*> labels;
    } cases[] = {
        {0, {"①始点Ｘ座標", "②始点Ｙ座標", "③終点Ｘ座標", "④終点Ｙ座標"}},
        {1, {"①中心Ｘ座標", "②中心Ｙ座標", "③半径", "④開始角度", "⑤終了角度"}},
        {2, {"①Ｘ座標", "②Ｙ座標"}},
        {3, {"①中心Ｘ座標", "②中心Ｙ座標", "③長軸", "④短軸", "⑤傾き角度", "⑥開始角度", "⑦終了角度"}},
    };
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("作図要素リスト"));
    Type({"1", "2", "3", "4", "5", "6", "7"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        Tab(c.tab);
        EXPECT_EQ(dlg.currentTab, c.tab);
        for (size_t i = 0; i < 7; ++i) {
            auto* label = Ctrl<QLabel>(&dlg, CListEntyDlg::IDC_LABELS[i]);
            auto* edit = Ctrl<QLineEdit>(&dlg, CListEntyDlg::IDC_FIELDS[i]);
            const bool used = i < c.labels.size();
            EXPECT_EQ(label->isVisible(), used) << i;
            EXPECT_EQ(edit->isVisible(), used) << i;
            if (used) {
                EXPECT_EQ(label->text(), QString::fromUtf8(c.labels[i]));
            }
            // Switching tabs keeps what the fields hold.
            EXPECT_EQ(edit->text(), QString::number(i + 1));
        }
    }
}

TEST_F(ListEntyDlgTest, AddAppendsARowOfTheTabsKindAndEmptiesTheFields)
{
    Type({"0", "0", "100", "50"});
    Click(&dlg, IDOK);
    Tab(2);
    Type({"1.5", "-2"});
    static_cast<QDialog&>(dlg).accept();  // the Enter key
    EXPECT_EQ(Shown(), (QStringList{"  1|LINE|0|0|100|50|||", "  2|POINT|1.5|-2|||||"}));
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(Field(i).isEmpty());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(ui.messages().isEmpty());
}

// The first refused field of the tab is named, gets the focus, and no row
// changes; what passes only the character check is read as far as it is a
// number.
TEST_F(ListEntyDlgTest, FieldsAreCheckedInOrder)
{
    const struct {
        const char* name;
        int tab;
        std::vector<const char*> texts;
        const char* message;  // null: the row is added
        int focus;
        RowValues values;
    } cases[] = {
        {"start X missing", 0, {"", "1", "2", "3"}, "始点Ｘ座標の入力がありません！", 1511, {}},
        {"end Y missing", 0, {"0", "1", "2", ""}, "終点Ｙ座標の入力がありません！", 1514, {}},
        {"exponent refused", 0, {"0", "1", "1e3", "3"}, "終点Ｘ座標の入力に誤りがあります。半角数字で入力してください。",
         1513, {}},
        {"full-width digit refused", 2, {"１", "1"}, "Ｘ座標の入力に誤りがあります。半角数字で入力してください。", 1511,
         {}},
        {"first failure wins", 2, {"a", ""}, "Ｘ座標の入力に誤りがあります。半角数字で入力してください。", 1511, {}},
        {"point Y missing", 2, {"1", ""}, "Ｙ座標の入力がありません！", 1512, {}},
        {"radius missing", 1, {"0", "0", "", "", ""}, "半径の入力がありません！", 1513, {}},
        {"bad start angle", 1, {"0", "0", "5", "x", ""}, "開始角度の入力に誤りがあります。半角数字で入力してください。",
         1514, {}},
        {"major axis missing", 3, {"0", "0", "", "", "", "", ""}, "長軸の入力がありません！", 1513, {}},
        {"bad tilt", 3, {"0", "0", "5", "", "+3", "", ""}, "傾き角度の入力に誤りがあります。半角数字で入力してください。",
         1515, {}},
        {"ellipse angle beyond any number", 3, {"0", "0", "5", "", "", "1e999", ""},
         "開始角度の入力に誤りがあります。半角数字で入力してください。", 1022, {}},
        {"characters pass, the number prefix is read", 0, {"12.5.3", "1-2", "-", "."}, nullptr, 0, {12.5, 1, 0, 0}},
        {"circle angles may stay empty", 1, {"1", "2", "3", "", ""}, nullptr, 0, {1, 2, 3}},
        {"ellipse minor axis and tilt may stay empty", 3, {"1", "2", "3", "", "", "", ""}, nullptr, 0, {1, 2, 3}},
        {"ellipse angles are not checked", 3, {"1", "2", "3", "4", "5", "1e1", "x"}, nullptr, 0, {1, 2, 3, 4, 5, 10, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dlg.rows.RemoveAll();
        ui.clear();
        Tab(c.tab);
        for (int i = 0; i < 7; ++i)
            SetText(&dlg, CListEntyDlg::IDC_FIELDS[static_cast<size_t>(i)], QString());
        size_t i = 0;
        for (const char* t : c.texts)
            SetText(&dlg, CListEntyDlg::IDC_FIELDS[i++], QString::fromUtf8(t));
        if (c.message)
            ui.button(IDOK);
        Click(&dlg, IDOK);
        if (c.message) {
            EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(FocusId(&dlg), c.focus);
            EXPECT_EQ(dlg.rows.Count(), 0);
            EXPECT_EQ(Field(0), QString::fromUtf8(c.texts[0]));  // kept for correction
        } else {
            EXPECT_TRUE(ui.messages().isEmpty());
            ASSERT_EQ(dlg.rows.Count(), 1);
            EXPECT_EQ(dlg.rows.Row(0)->kind, CListEntyDlg::KindOfTab(c.tab));
            EXPECT_EQ(dlg.rows.Row(0)->value, c.values);
        }
    }
}

TEST_F(ListEntyDlgTest, SelectingARowShowsItAndChangeRewritesIt)
{
    dlg.rows.AddRow(RowKind::Line, {0, 0, 100, 50});
    dlg.rows.AddRow(RowKind::Circle, {10, 10, 5, 0, 90});
    dlg.FillList();
    SelectRow(1);
    EXPECT_EQ(dlg.currentTab, 1);
    EXPECT_EQ(Ctrl<QTabBar>(&dlg, CListEntyDlg::IDC_TAB)->currentIndex(), 1);
    EXPECT_EQ(Ctrl<QLabel>(&dlg, 1508)->text(), QStringLiteral("③半径"));
    EXPECT_EQ((QStringList{Field(0), Field(1), Field(2), Field(3), Field(4), Field(5), Field(6)}),
              (QStringList{"10", "10", "5", "0", "90", "0", "0"}));

    SetText(&dlg, 1513, QStringLiteral("7.25"));
    Click(&dlg, CListEntyDlg::IDC_CHANGE);
    EXPECT_EQ(Shown(), (QStringList{"  1|LINE|0|0|100|50|||", "  2|CIRCLE|10|10|7.25|0|90||"}));
    EXPECT_EQ(Field(2), QStringLiteral("7.25"));  // the fields stay

    // A change made on another tab gives the row that tab's kind.
    Tab(2);
    Click(&dlg, CListEntyDlg::IDC_CHANGE);
    EXPECT_EQ(dlg.rows.Row(1)->kind, RowKind::Point);
    EXPECT_EQ(Shown().at(1), QStringLiteral("  2|POINT|10|10|||||"));
    EXPECT_EQ(WriteEntityCsv(dlg.rows).substr(26), "POINT,10,10,0,0,0,0,0,0,\r\n");
}

TEST_F(ListEntyDlgTest, DeleteTakesTheSelectedRowAndRenumbers)
{
    for (double x : {1.0, 2.0, 3.0})
        dlg.rows.AddRow(RowKind::Point, {x, 0});
    dlg.FillList();
    SelectRow(1);
    Click(&dlg, CListEntyDlg::IDC_DELETE);
    EXPECT_EQ(Shown(), (QStringList{"  1|POINT|1|0|||||", "  2|POINT|3|0|||||"}));
    // The number stays and now names the row that moved up.
    Click(&dlg, CListEntyDlg::IDC_DELETE);
    EXPECT_EQ(Shown(), QStringList{"  1|POINT|1|0|||||"});
    Click(&dlg, CListEntyDlg::IDC_DELETE);  // no row 2: nothing
    EXPECT_EQ(dlg.rows.Count(), 1);
    dlg.selectedRow = 0;
    Click(&dlg, CListEntyDlg::IDC_DELETE);
    Click(&dlg, CListEntyDlg::IDC_DELETE);  // an empty list stays empty
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(ListEntyDlgTest, ClearEmptiesTheFieldsOnly)
{
    dlg.rows.AddRow(RowKind::Point, {1, 2});
    dlg.FillList();
    Type({"5", "6", "7"});
    Click(&dlg, CListEntyDlg::IDC_CLEAR);
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(Field(i).isEmpty());
    EXPECT_EQ(dlg.rows.Count(), 1);
}

TEST_F(ListEntyDlgTest, CsvExportWritesEveryRowWithCrLf)
{
    dlg.rows.AddRow(RowKind::Point, {1.5, -2});
    dlg.rows.AddRow(RowKind::Line, {0, 0, 100, 50});
    dlg.rows.AddRow(RowKind::Circle, {10, 10, 5, 0, 90});
    const std::string path = TempFile("rows.csv");
    ui.path(QString::fromStdString(path));
    Click(&dlg, CListEntyDlg::IDC_CSV_EXPORT);
    const auto choosers = ui.calls(platform::UiKind::SaveFile);
    ASSERT_EQ(choosers.size(), 1u);
    EXPECT_EQ(choosers[0].caption, QStringLiteral("ＣＳＶ形式で図面データの保存"));
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              "POINT,1.5,-2,0,0,0,0,0,0,\r\nLINE,0,0,100,50,0,0,0,0,\r\nCIRCLE,10,10,5,0,90,0,0,0,\r\n");
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(ListEntyDlgTest, CsvExportOfAnEmptyListMakesAnEmptyFile)
{
    const std::string path = TempFile("empty.csv");
    ui.path(QString::fromStdString(path));
    Click(&dlg, CListEntyDlg::IDC_CSV_EXPORT);
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.exists());
    EXPECT_EQ(file.size(), 0);
}

TEST_F(ListEntyDlgTest, CsvExportThatCannotCreateTheFileSaysSoAndTouchesNothing)
{
    dlg.rows.AddRow(RowKind::Point, {1, 2});
    const std::string path = TempFile("missing-folder/rows.csv");
    ui.path(QString::fromStdString(path)).button(IDOK);
    Click(&dlg, CListEntyDlg::IDC_CSV_EXPORT);
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("CSV WriteOpen ERROR!")});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(TempFile("missing-folder"))));
    ui.cancel();  // a cancelled chooser writes nothing and says nothing
    Click(&dlg, CListEntyDlg::IDC_CSV_EXPORT);
    EXPECT_EQ(ui.messages().size(), 1);
}

TEST_F(ListEntyDlgTest, CsvImportAppendsAndRowNumbersRunOn)
{
    const std::string path = TempFile("in.csv");
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("POINT,1,2,\r\nlower,1,2,\r\n\r\nCIRCLE,0,0,10,0,360,\r\n");
    }
    Type({"8"});
    for (int run = 0; run < 2; ++run) {
        ui.path(QString::fromStdString(path));
        Click(&dlg, CListEntyDlg::IDC_CSV_IMPORT);
    }
    EXPECT_EQ(Shown(), (QStringList{"  1|POINT|1|2|||||", "  2|CIRCLE|0|0|10|0|360||", "  3|POINT|1|2|||||",
                                    "  4|CIRCLE|0|0|10|0|360||"}));
    EXPECT_EQ(Field(0), QStringLiteral("8"));
    const auto choosers = ui.calls(platform::UiKind::OpenFile);
    ASSERT_EQ(choosers.size(), 2u);
    EXPECT_EQ(choosers[0].caption, QStringLiteral("ＣＳＶファイル指定"));

    // A file that cannot be read changes nothing, without a word.
    ui.path(QString::fromStdString(TempFile("none.csv")));
    Click(&dlg, CListEntyDlg::IDC_CSV_IMPORT);
    EXPECT_EQ(dlg.rows.Count(), 4);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(ListEntyDlgTest, QuantizeRoundsEveryRowOnlyOnOk)
{
    dlg.rows.AddRow(RowKind::Line, {12.345, -2.75, 100.12345678, 0.004});
    dlg.FillList();
    ui.dialog(IDCANCEL);
    Click(&dlg, CListEntyDlg::IDC_QUANTIZE);
    EXPECT_EQ(dlg.rows.Row(0)->value[0], 12.345);

    ui.dialog([](QDialog& q) {
        Choose(&q, CQuantizeDlg::IDC_DIGITS, 2);
        q.accept();
    });
    Click(&dlg, CListEntyDlg::IDC_QUANTIZE);
    EXPECT_EQ(Shown(), QStringList{"  1|LINE|12.35|-2.75|100.12|0|||"});

    ui.dialog([](QDialog& q) {
        Click(&q, CQuantizeDlg::IDC_TRUNCATE);
        q.accept();
    });
    Click(&dlg, CListEntyDlg::IDC_QUANTIZE);
    EXPECT_EQ(Shown(), QStringList{"  1|LINE|12|-2|100|0|||"});
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join(u'\n').toStdString();
}

TEST_F(ListEntyDlgTest, ApplyHandsBackTheRowsAndCancelNothing)
{
    for (int result : {IDOK, IDCANCEL}) {
        platform::UiScript script;
        script.dialogReturning([result](QDialog& d) {
            auto& list = static_cast<CListEntyDlg&>(d);
            Tab(&d, 2);
            SetText(&d, CListEntyDlg::IDC_FIELDS[0], QStringLiteral("3"));
            SetText(&d, CListEntyDlg::IDC_FIELDS[1], QStringLiteral("4"));
            Click(&d, IDOK);
            list.rows.AddRow(RowKind::Line, {1, 2, 3, 4});
            Click(&d, result == IDOK ? CListEntyDlg::IDC_APPLY : IDCANCEL);
            return d.result();
        });
        CListEntyDlg run;
        EXPECT_EQ(run.DoModal(), result);
        if (result == IDOK) {
            ASSERT_EQ(run.appliedRows.size(), 2u);
            EXPECT_EQ(run.appliedRows[0].kind, RowKind::Point);
            EXPECT_EQ(run.appliedRows[0].value, (RowValues{3, 4}));
            EXPECT_EQ(run.appliedRows[1].kind, RowKind::Line);
        } else {
            EXPECT_TRUE(run.appliedRows.empty());
        }
    }
}

TEST_F(ListEntyDlgTest, MarkedEntitiesAreListedFromTheOrigin)
{
    CEntityList list;
    auto add = [&list](int16_t type, int16_t subtype, std::vector<int16_t> codes, std::vector<double> values,
                       int16_t state) {
        EntityHeader h{type, subtype, 0, 0, static_cast<int16_t>(values.size())};
        EXPECT_EQ(list.AddEntity(h, codes.data(), 0, values.data()), 0);
        list.last->state = state;
    };
    add(EntityType::Grid, 0, {10, 20, 30}, {0, 0, 10}, EntityState::Marked);
    add(EntityType::Point, 0, {10, 20}, {1000, 50}, EntityState::Marked);
    add(EntityType::Line, 0, {10, 20, 11, 22}, {0, 0, 1, 1}, EntityState::Normal);
    add(EntityType::Arc, -1, {10, 20, 40, 50, 51}, {300, 0, 5, 10, 80}, EntityState::Marked);
    add(EntityType::Circle, 0, {10, 20, 40}, {200, 0, 2}, EntityState::Marked);
    platform::UiScript script;
    script.dialogReturning([this](QDialog& d) {
        EXPECT_EQ(Shown(&d), (QStringList{"  1|POINT|800|50|||||", "  2|CIRCLE|100|0|5|80|10||",
                                          "  3|CIRCLE|0|0|2|0|0||"}));
        d.reject();
        return d.result();
    });
    CListEntyDlg run;
    run.loadFromDrawing = 1;
    run.originX = 200;
    run.firstEntity = list.first;
    EXPECT_EQ(run.DoModal(), IDCANCEL);
}

TEST(QuantizeDlg, SampleFollowsDigitsAndMode)
{
    const struct {
        int digits, mode;
        const char* result;
    } cases[] = {
        {0, 0, "     100"},    {1, 1, "    100.1"},   {3, 0, "   100.123"},
        {4, 0, "   100.1235"}, {4, 1, "   100.1234"}, {5, 0, "  100.12346"},
        {5, 1, "  100.12345"}, {6, 0, nullptr},
    };
    for (const auto& c : cases) {
        CQuantizeDlg dlg;
        dlg.digits = c.digits;
        dlg.mode = c.mode;
        platform::RecordingDc dc;
        dlg.DrawSample(dc, platform::Rect{0, 0, 130, 90});
        QStringList texts;
        for (const platform::DcRecord& r : dc.Records())
            if (r.op == "TextOut")
                texts << QStringLiteral("%1,%2 %3").arg(r.args.at(0)).arg(r.args.at(1)).arg(r.text);
        QStringList expected{QStringLiteral("10,15 100.12345678"), QStringLiteral("50,40 ↓")};
        if (c.result)
            expected << QStringLiteral("10,65 ") + QString::fromLatin1(c.result);
        EXPECT_EQ(texts, expected) << c.digits << " " << c.mode;
    }
}

TEST(QuantizeDlg, ChoicesComeBackOnOk)
{
    platform::UiScript ui;
    ui.dialog([](QDialog& d) {
        EXPECT_TRUE(platform::control<QRadioButton>(&d, CQuantizeDlg::IDC_TRUNCATE)->isChecked());
        platform::control<QComboBox>(&d, CQuantizeDlg::IDC_DIGITS)->setCurrentIndex(4);
        platform::control<QRadioButton>(&d, CQuantizeDlg::IDC_ROUND)->click();
        d.accept();
    });
    CQuantizeDlg dlg;
    dlg.mode = 1;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.digits, 4);
    EXPECT_EQ(dlg.mode, 0);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("クォンタイズ処理"));
}

} // namespace

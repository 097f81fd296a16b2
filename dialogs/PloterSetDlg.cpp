#include "dialogs/PloterSetDlg.h"

#include "platform/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CPloterSetDlg::CPloterSetDlg(QWidget* parent) : CDialog(IDD_PLOTERSET, parent)
{
    setWindowTitle(QStringLiteral("プロッター設定"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral(" インターフェイス設定 "), this);
    auto* grid = new QGridLayout(group);
    struct Row {
        int id;
        const char* label;
        std::initializer_list<const char*> items;
        int* member;
    };
    const Row rows[] = {
        {IDC_PLOTTER_COMMAND, "出力コマンド", {"HP-GL(L.L)", "HP-GL/2"}, &CommandSet},
        {IDC_PLOTTER_PORT,
         "出力ポート",
         {"COM1 ｼﾘｱﾙ", "COM2 ｼﾙｱﾙ", "COM3 ｼﾘｱﾙ", "COM4 ｼﾘｱﾙ", "LPT1 ﾊﾟﾗﾚﾙ ", "LPT2 ﾊﾟﾗﾚﾙ"},
         &Port},
        {IDC_PLOTTER_BAUD,
         "ボーレート",
         {"2400 bps", "4800 bps", "9600 bps", "14.4K bps", "19.2K bps", "38.4K bps", " 56K bps", "128K bps",
          "256K bps"},
         &BaudIndex},
        {IDC_PLOTTER_DATA_BITS, "データビット", {"4 bit", "5 bit", "6 bit", "7 bit", "8 bit"}, &DataBitsIndex},
        {IDC_PLOTTER_PARITY, "パリティ", {"な し", "偶 数", "奇 数"}, &Parity},
        {IDC_PLOTTER_STOP_BITS, "ストップビット", {"1 bit", "1.5 bit", "2 bit"}, &StopBitsIndex},
        {IDC_PLOTTER_FLOW, "フロー制御", {"な　し", "DTS/DSR", "RTS/CTS", "XON/XOFF"}, &FlowControl},
    };
    int r = 0;
    for (const Row& row : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(row.label), group), r, 0);
        auto* list = new QComboBox(group);
        for (const char* item : row.items) list->addItem(QString::fromUtf8(item));
        platform::setControlId(list, row.id);
        grid->addWidget(list, r, 1);
        // A stored value outside the list shows (and keeps on saving) its first item.
        Exchange().List(list, *row.member, 0);
        ++r;
    }
    layout->addWidget(group);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("保　存"), QStringLiteral("ｷｬﾝｾﾙ")));
}

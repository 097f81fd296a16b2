#include "dialogs/ListEntyDlg.h"

#include "dialogs/QuantizeDlg.h"
#include "model/Entity.h"
#include "platform/ByteLimit.h"
#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/Ui.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

// The rows as the list view shows them: number, keyword and the values the
// row's kind uses.
class EntityRowTableModel : public QAbstractTableModel {
public:
    EntityRowTableModel(const CEntityRowList& rows, QObject* parent) : QAbstractTableModel(parent), rows_(rows) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_.Count(); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 9; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const EntityRow* row = rows_.Row(index.row());
        if (!row)
            return {};
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        if (role != Qt::DisplayRole)
            return {};
        const int column = index.column();
        if (column == 0)
            return QStringLiteral("%1").arg(index.row() + 1, 3);
        if (column == 1)
            return QString::fromLatin1(row->name.data(), static_cast<qsizetype>(row->name.size()));
        const int value = column - 2;
        if (value < RowShownValueCount(row->kind))
            return QString::fromStdString(FormatRowValue(row->value[static_cast<size_t>(value)]));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= 9)
            return {};
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        if (role == Qt::DisplayRole)
            return Caption(section);
        return {};
    }

    static QString Caption(int section)
    {
        static const char* const captions[9] = {"  № ", " 作図要素", "　　 ① 　　", "　　 ② 　　", "　　 ③ 　　",
                                                "　　 ④ 　　", "　　 ⑤ 　　", "　　 ⑥ 　　", "　　 ⑦ 　　"};
        return QString::fromUtf8(captions[section]);
    }

    void Refill()
    {
        beginResetModel();
        endResetModel();
    }

private:
    const CEntityRowList& rows_;
};

namespace {

// One field of a tab: its label, whether it must be given, whether its
// characters are checked, and what its messages call it.
struct FieldRule {
    const char* label;
    bool required;
    bool checked;
    const char* subject;
};

struct TabRule {
    const char* caption;
    int32_t kind;
    int fields;
    FieldRule field[7];
};

const TabRule Tabs[4] = {
    {" 直　線 ",
     RowKind::Line,
     4,
     {{"①始点Ｘ座標", true, true, "始点Ｘ座標"},
      {"②始点Ｙ座標", true, true, "始点Ｙ座標"},
      {"③終点Ｘ座標", true, true, "終点Ｘ座標"},
      {"④終点Ｙ座標", true, true, "終点Ｙ座標"}}},
    {"円・円弧",
     RowKind::Circle,
     5,
     {{"①中心Ｘ座標", true, true, "中心Ｘ座標"},
      {"②中心Ｙ座標", true, true, "中心Ｙ座標"},
      {"③半径", true, true, "半径"},
      {"④開始角度", false, true, "開始角度"},
      {"⑤終了角度", false, true, "終了角度"}}},
    {"点要素", RowKind::Point, 2, {{"①Ｘ座標", true, true, "Ｘ座標"}, {"②Ｙ座標", true, true, "Ｙ座標"}}},
    {"楕円・楕円弧",
     RowKind::Ellipse,
     7,
     {{"①中心Ｘ座標", true, true, "中心Ｘ座標"},
      {"②中心Ｙ座標", true, true, "中心Ｙ座標"},
      {"③長軸", true, true, "長軸"},
      {"④短軸", false, true, "短軸"},
      {"⑤傾き角度", false, true, "傾き角度"},
      {"⑥開始角度", false, false, "開始角度"},
      {"⑦終了角度", false, false, "終了角度"}}},
};

QString MissingMessage(const FieldRule& rule)
{
    return QString::fromUtf8(rule.subject) + QStringLiteral("の入力がありません！");
}

QString WrongMessage(const FieldRule& rule)
{
    return QString::fromUtf8(rule.subject) + QStringLiteral("の入力に誤りがあります。半角数字で入力してください。");
}

// Only signs, points and digits: "1-2" and "1.2.3" pass, "1e3" does not.
bool NumberCharacters(const QString& text)
{
    for (QChar c : text)
        if (c != u'-' && c != u'.' && !(c >= u'0' && c <= u'9'))
            return false;
    return true;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, int id)
{
    auto* button = new QPushButton(text, parent);
    platform::setControlId(button, id);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CListEntyDlg::CListEntyDlg(QWidget* parent) : CDialog(IDD_LIST_ENTY, parent)
{
    setWindowTitle(QStringLiteral("作図要素リスト"));
    auto* layout = new QVBoxLayout(this);

    m_tab = new QTabBar(this);
    platform::setControlId(m_tab, IDC_TAB);
    for (const TabRule& tab : Tabs)
        m_tab->addTab(QString::fromUtf8(tab.caption));
    m_tab->setDrawBase(true);
    layout->addWidget(m_tab);

    auto* top = new QHBoxLayout;
    auto* fields = new QGridLayout;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_labels[i] = new QLabel(this);
        platform::setControlId(m_labels[i], IDC_LABELS[i]);
        m_fields[i] = new QLineEdit(this);
        platform::setControlId(m_fields[i], IDC_FIELDS[i]);
        LimitTextBytes(m_fields[i], FieldLength);
        m_fields[i]->setMinimumWidth(160);
        const int row = static_cast<int>(i % 4), column = static_cast<int>(i / 4) * 2;
        fields->addWidget(m_labels[i], row, column);
        fields->addWidget(m_fields[i], row, column + 1);
    }
    top->addLayout(fields);

    // The add button is the dialog's OK command, the cancel button its own.
    QHBoxLayout* okCancel = MakeOkCancelRow(QStringLiteral("追　加"), QStringLiteral("キャンセル"));
    delete okCancel;
    auto* edits = new QVBoxLayout;
    edits->addWidget(OkButton());
    edits->addWidget(MakeButton(this, QStringLiteral("変　更"), IDC_CHANGE));
    edits->addWidget(MakeButton(this, QStringLiteral("削　除"), IDC_DELETE));
    edits->addWidget(MakeButton(this, QStringLiteral("クリア"), IDC_CLEAR));
    edits->addStretch();
    top->addLayout(edits);
    layout->addLayout(top);

    m_model = new EntityRowTableModel(rows, this);
    m_list = new QTableView(this);
    platform::setControlId(m_list, IDC_LIST);
    m_list->setModel(m_model);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->setVisible(false);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QFontMetrics metrics(m_list->horizontalHeader()->font());
    for (int c = 0; c < 9; ++c)
        m_list->horizontalHeader()->resizeSection(c, metrics.horizontalAdvance(EntityRowTableModel::Caption(c)) + 15);
    m_list->setMinimumSize(720, 260);
    layout->addWidget(m_list);

    auto* bottom = new QHBoxLayout;
    QPushButton* quantize = MakeButton(this, QStringLiteral("クォンタイズ"), IDC_QUANTIZE);
    QPushButton* csvExport = MakeButton(this, QStringLiteral("CSV書き出し"), IDC_CSV_EXPORT);
    QPushButton* csvImport = MakeButton(this, QStringLiteral("CSV読込み"), IDC_CSV_IMPORT);
    QPushButton* apply = MakeButton(this, QStringLiteral("データ反映"), IDC_APPLY);
    bottom->addWidget(quantize);
    bottom->addWidget(csvExport);
    bottom->addWidget(csvImport);
    bottom->addStretch();
    bottom->addWidget(apply);
    bottom->addWidget(CancelButton());
    layout->addLayout(bottom);

    connect(m_tab, &QTabBar::currentChanged, this, [this](int tab) { OnSelchangeTab(tab); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now, const QModelIndex&) {
                if (now.isValid())
                    OnItemchangedList(now.row());
            });
    connect(platform::control<QPushButton>(this, IDC_CHANGE), &QPushButton::clicked, this, [this] { OnChange(); });
    connect(platform::control<QPushButton>(this, IDC_DELETE), &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(platform::control<QPushButton>(this, IDC_CLEAR), &QPushButton::clicked, this, [this] { OnClear(); });
    connect(quantize, &QPushButton::clicked, this, [this] { OnQuantize(); });
    connect(csvExport, &QPushButton::clicked, this, [this] { OnCsvExport(); });
    connect(csvImport, &QPushButton::clicked, this, [this] { OnCsvImport(); });
    connect(apply, &QPushButton::clicked, this, [this] { OnApplyToDrawing(); });
}

CListEntyDlg::~CListEntyDlg() = default;

int32_t CListEntyDlg::KindOfTab(int tab)
{
    return tab >= 0 && tab < 4 ? Tabs[tab].kind : 0;
}

int CListEntyDlg::TabOfKind(int32_t kind)
{
    for (int tab = 0; tab < 4; ++tab)
        if (Tabs[tab].kind == kind)
            return tab;
    return -1;
}

bool CListEntyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tab->setCurrentIndex(currentTab);
    SetColumnsForTab();
    if (loadFromDrawing == 1)
        LoadRowsFromDocument();
    FillList();
    return true;
}

void CListEntyDlg::SetColumnsForTab()
{
    const TabRule& tab = Tabs[currentTab >= 0 && currentTab < 4 ? currentTab : 0];
    for (int i = 0; i < 7; ++i) {
        const bool used = i < tab.fields;
        m_labels[static_cast<size_t>(i)]->setText(used ? QString::fromUtf8(tab.field[i].label) : QString());
        m_labels[static_cast<size_t>(i)]->setVisible(used);
        m_fields[static_cast<size_t>(i)]->setVisible(used);
    }
}

void CListEntyDlg::OnSelchangeTab(int tab)
{
    if (tab == currentTab || tab < 0 || tab >= 4)
        return;
    currentTab = tab;
    SetColumnsForTab();
}

void CListEntyDlg::FillList()
{
    m_model->Refill();
}

void CListEntyDlg::LoadRowsFromDocument()
{
    for (const CEntity* e = firstEntity; e; e = e->next) {
        if (!IsListedEntity(*e))
            continue;
        if (const std::optional<EntityRow> row = RowFromEntity(*e, originX, originY))
            rows.AddRow(*row);
    }
}

void CListEntyDlg::OnItemchangedList(int row)
{
    selectedRow = row;
    OnSelectRow();
}

void CListEntyDlg::OnSelectRow()
{
    const EntityRow* row = rows.Row(selectedRow);
    if (!row) {
        platform::messageBox(QStringLiteral("リスト選択エラー"), QString(), MB_OK, this);
        return;
    }
    const int tab = TabOfKind(row->kind);
    if (tab >= 0) {
        currentTab = tab;
        const QSignalBlocker quiet(m_tab);
        m_tab->setCurrentIndex(tab);
        SetColumnsForTab();
    }
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(QString::fromStdString(FormatRowValue(row->value[i])));
}

bool CListEntyDlg::ReadFields(RowValues& values)
{
    values = {};
    const TabRule& tab = Tabs[currentTab];
    for (int i = 0; i < tab.fields; ++i) {
        const FieldRule& rule = tab.field[i];
        QLineEdit* edit = m_fields[static_cast<size_t>(i)];
        const QString text = edit->text();
        std::optional<QString> refusal;
        if (text.isEmpty() && rule.required)
            refusal = MissingMessage(rule);
        else if (rule.checked && !NumberCharacters(text))
            refusal = WrongMessage(rule);
        else if (ScanRowValue(text.toStdString(), values[static_cast<size_t>(i)]) == NumberScan::NotFinite)
            refusal = WrongMessage(rule);  // a number no drawing can hold
        if (refusal) {
            platform::messageBox(*refusal, QString(), MB_OK, this);
            edit->setFocus();
            return false;
        }
    }
    return true;
}

bool CListEntyDlg::StoreRow(bool append)
{
    RowValues values;
    if (!ReadFields(values))
        return false;
    const int32_t kind = Tabs[currentTab].kind;
    if (append)
        rows.AddRow(kind, values);
    else
        rows.SetRow(selectedRow, kind, values);
    return true;
}

void CListEntyDlg::ClearFields()
{
    for (QLineEdit* edit : m_fields)
        edit->clear();
}

void CListEntyDlg::OnOK()
{
    OnAdd();
}

void CListEntyDlg::OnAdd()
{
    if (StoreRow(true))
        ClearFields();
    FillList();
}

void CListEntyDlg::OnChange()
{
    StoreRow(false);
    FillList();
}

void CListEntyDlg::OnDelete()
{
    // The row number stays, so it names the row that moved up into its place.
    if (rows.DeleteRow(selectedRow))
        FillList();
}

void CListEntyDlg::OnClear()
{
    ClearFields();
}

void CListEntyDlg::OnQuantize()
{
    CQuantizeDlg dlg(this);
    dlg.digits = 0;
    dlg.mode = 0;
    if (dlg.DoModal() != IDOK)
        return;
    QuantizeRows(rows, dlg.digits, dlg.mode == 1 ? QuantizeMode::Truncate : QuantizeMode::Round);
    FillList();
}

void CListEntyDlg::OnCsvExport()
{
    platform::FileRequest request;
    request.title = QStringLiteral("ＣＳＶ形式で図面データの保存");
    request.initialName = QStringLiteral("未設定ファイル");
    request.defaultExt = QStringLiteral("csv");
    request.filter = QStringLiteral("CSV形式 (*.CSV)|*.csv||");
    const platform::FileChoice choice = platform::chooseSaveFile(request, this);
    if (!choice)
        return;
    // Written beside the target and put in its place only when whole, so a
    // file that cannot be written leaves any file of that name as it was.
    if (!platform::saveFileAtomically(choice.path, WriteEntityCsv(rows)))
        platform::messageBox(QStringLiteral("CSV WriteOpen ERROR!"), QString(), MB_OK, this);
}

void CListEntyDlg::OnCsvImport()
{
    platform::FileRequest request;
    request.title = QStringLiteral("ＣＳＶファイル指定");
    request.filter = QStringLiteral("ＣＳＶファイル (*.CSV)|*.CSV|全てのファイル (*.*)|*.*||");
    const platform::FileChoice choice = platform::chooseOpenFile(request, this);
    if (!choice)
        return;
    std::string text;
    if (!platform::readWholeFile(choice.path, text))
        return;
    ReadEntityCsv(text, rows);
    FillList();
}

void CListEntyDlg::OnApplyToDrawing()
{
    appliedRows = rows.Rows();
    EndDialog(IDOK);
}

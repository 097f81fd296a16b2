#pragma once
// The entity list dialog: points, lines, circles and arcs, ellipses and
// elliptic arcs as rows of numbers. Rows are added from typed values,
// changed, deleted, rounded, written to and read from CSV files; "データ反映"
// hands every row to the caller, which puts the entities into the drawing.
// Nothing in the drawing changes while the dialog is open.

#include "model/EntityRowList.h"
#include "platform/Dialog.h"

#include <QString>

#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QTabBar;
class QTableView;
class EntityRowTableModel;
struct CEntity;

inline constexpr unsigned IDD_LIST_ENTY = 298;

class CListEntyDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_TAB = 1524;
    static constexpr std::array<int, 7> IDC_LABELS = {1506, 1507, 1508, 1509, 1510, 1024, 1025};
    static constexpr std::array<int, 7> IDC_FIELDS = {1511, 1512, 1513, 1514, 1515, 1022, 1023};
    static constexpr int IDC_LIST = 1520;
    static constexpr int IDC_CHANGE = 1517;
    static constexpr int IDC_DELETE = 1518;
    static constexpr int IDC_CLEAR = 1519;
    static constexpr int IDC_QUANTIZE = 1521;
    static constexpr int IDC_CSV_EXPORT = 1522;
    static constexpr int IDC_CSV_IMPORT = 1523;
    static constexpr int IDC_APPLY = 1516;
    static constexpr int FieldLength = 20;  // characters a field takes

    explicit CListEntyDlg(QWidget* parent = nullptr);
    ~CListEntyDlg() override;

    // Set by the caller before the dialog runs: with loadFromDrawing 1 the
    // marked entities from firstEntity on are listed, measured from the
    // origin.
    int loadFromDrawing = 0;
    double originX = 0.0, originY = 0.0;
    const CEntity* firstEntity = nullptr;

    // After "データ反映": the rows, in order, for the caller to apply.
    std::vector<EntityRow> appliedRows;

    int currentTab = 0;   // 0 line, 1 circle and arc, 2 point, 3 ellipse
    int selectedRow = 0;  // row number the list's focus last named
    CEntityRowList rows;

    // The kind the tab stands for, and the tab that shows a kind.
    static int32_t KindOfTab(int tab);
    static int TabOfKind(int32_t kind);

    void OnSelchangeTab(int tab);
    void OnItemchangedList(int row);
    void OnAdd();
    void OnChange();
    void OnDelete();
    void OnClear();
    void OnQuantize();
    void OnCsvExport();
    void OnCsvImport();
    void OnApplyToDrawing();

    // The list shows the rows afresh.
    void FillList();
    // One row for each marked entity from firstEntity on.
    void LoadRowsFromDocument();
    // Labels and shown fields of the current tab.
    void SetColumnsForTab();
    // The selected row into the tab and the fields.
    void OnSelectRow();

protected:
    bool OnInitDialog() override;
    // Enter adds a row, as the add button is the dialog's default.
    void OnOK() override;

private:
    // Checks the current tab's fields and reads them; false (after the
    // field's message) when one is refused.
    bool ReadFields(RowValues& values);
    // The fields as a row of the current tab's kind, appended or written
    // over the selected row; false when a field was refused.
    bool StoreRow(bool append);
    void ClearFields();

    QTabBar* m_tab = nullptr;
    std::array<QLabel*, 7> m_labels{};
    std::array<QLineEdit*, 7> m_fields{};
    QTableView* m_list = nullptr;
    EntityRowTableModel* m_model = nullptr;
};

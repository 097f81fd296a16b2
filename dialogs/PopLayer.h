#pragma once
// The layer list: a floating, resizable tool window with one line per layer
// of the active drawing (a state mark and the layer's name). Selecting a line
// makes that layer current; a double click cycles the line's display state;
// three buttons set every layer's state; the context menu offers the layer
// commands of the main frame. The list works on the process-wide layer table
// and asks the active view to take it over with command 108.

#include "platform/Dialog.h"

#include <QString>

#include <string>

class QListWidget;
class QPushButton;
class QLabel;

class CPopLayer : public CDialog {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 229;
    static constexpr int IDC_LAYER_LIST = 1306;
    static constexpr int IDC_ALL_NORMAL = 1307;
    static constexpr int IDC_ALL_OFFCOLOR = 1308;
    static constexpr int IDC_ALL_HIDDEN = 1309;
    static constexpr int IDC_SIZE_GRIP = 1310;

    explicit CPopLayer(QWidget* parent = nullptr);
    ~CPopLayer() override;

    // Refills the list from LayerCount, LayerNames and LayerStates and
    // selects line CurrentLayer.
    void FillLayerList();
    // Index 0, 1, 2 (the context menu's first three items) sets the current
    // layer's state to 2, 1, 0 and rewrites its line. Sends nothing.
    void SetCurrentLayerState(int index);

    // The button handlers: every layer in use to normal, off-colour, hidden.
    void OnAllNormal();
    void OnAllOffColor();
    void OnAllHidden();
    // Cycles the selected line's state: hidden -> normal -> off-colour -> hidden.
    void OnDblclkLayerList();
    // Makes the selected line's layer current and tells the view.
    void OnSelchangeLayerList();

    // The state mark (" ■ ", " □ ", " ＿ ") of state 2, 1, 0.
    static QString StateMark(int state);
    // The mark at the front of line row.
    QString LineMark(int row) const;
    QString LineText(int row) const;
    int LineCount() const;
    // Writes line row as mark + name (appending when row is the line count)
    // and selects it without treating that as the user's choice.
    void SetLine(int row, const QString& mark, const std::string& nameCp932);

    QListWidget* LayerList() const { return m_wndLayerList; }

signals:
    void closed();

protected:
    bool OnInitDialog() override;
    // Nothing to confirm or cancel: Enter and Escape do nothing.
    void OnOK() override {}
    void OnCancel() override {}
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LayOut(int cx, int cy);
    void SetAllStates(uint8_t state);
    // Sends command 108 with argument 1: the view takes the table and repaints.
    static void SendUpdateLayers();

    QListWidget* m_wndLayerList = nullptr;
    QPushButton* m_btnNormal = nullptr;
    QPushButton* m_btnOffColor = nullptr;
    QPushButton* m_btnHidden = nullptr;
    QLabel* m_grip = nullptr;
    bool m_bPlaced = false;
};

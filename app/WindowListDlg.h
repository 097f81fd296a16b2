#pragma once
// The list of every open drawing, offered by the window menu when it holds
// more drawings than the menu lists: the user picks one to bring forward.

#include "platform/Dialog.h"

#include <QStringList>

class QListWidget;

// The window menu's entry for the list, after the drawings it lists
// (65280 ... 65288), and the list's own dialog.
constexpr unsigned ID_WINDOW_MORE = 65289;
constexpr unsigned IDD_WINDOWLIST = 250;

class CWindowListDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_WINDOW_LIST = 1001;

    explicit CWindowListDlg(QWidget* parent = nullptr);

    QStringList titles;  // in: the drawings' titles in the menu's order
    int selected = -1;   // in: the active one; out: the one chosen

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QListWidget* m_list;
};

#pragma once
// The About box: the program's icon, its version and the legal lines.

#include "platform/Dialog.h"

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

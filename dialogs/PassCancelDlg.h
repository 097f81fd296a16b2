#pragma once
// Asks for a drawing's password before its protection is released.

#include "platform/Dialog.h"

#include <string>

class QLineEdit;

class CPassCancelDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_PASSWORD = 1157;
    static constexpr std::size_t kPasswordBytes = 8;

    explicit CPassCancelDlg(QWidget* parent = nullptr);

    std::string m_strTyped;    // cp932, as typed
    std::string m_strPassword; // the drawing's password, set by the caller

    // True when the first 8 bytes of typed and password agree.
    static bool PasswordMatches(const std::string& typed, const std::string& password);

private:
    QLineEdit* m_edit;
};

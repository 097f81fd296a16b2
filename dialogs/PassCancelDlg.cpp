#include "dialogs/PassCancelDlg.h"

#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "resources/Resource.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPassCancelDlg::CPassCancelDlg(QWidget* parent) : CDialog(IDD_PASSCANCEL, parent)
{
    setWindowTitle(QStringLiteral("パスワードの解除"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("この図面のパスワードを入力してください。"), this));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("パスワード（８文字以内）"), this));
    m_edit = new QLineEdit(this);
    m_edit->setEchoMode(QLineEdit::Password);
    platform::setControlId(m_edit, IDC_PASSWORD);
    row->addWidget(m_edit);
    layout->addLayout(row);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")));
    // A password that does not match is refused with the edit's text selected.
    platform::DataExchange::Field& typed = Exchange().Cp932Text(m_edit, m_strTyped);
    typed.check = [this]() -> platform::DataExchange::Refusal {
        if (PasswordMatches(ToCp932(m_edit->text()), m_strPassword))
            return std::nullopt;
        return QStringLiteral("パスワードが違っています。");
    };
    typed.selectOnRefusal = true;
}

bool CPassCancelDlg::PasswordMatches(const std::string& typed, const std::string& password)
{
    return typed.substr(0, kPasswordBytes) == password.substr(0, kPasswordBytes);
}

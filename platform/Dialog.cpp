#include "platform/Dialog.h"

#include "platform/Controls.h"
#include "platform/TitleBar.h"
#include "platform/Ui.h"

#include <QHBoxLayout>
#include <QPushButton>

CDialog::CDialog(unsigned resourceId, QWidget* parent) : QDialog(parent), m_nIDD(resourceId)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

int CDialog::DoModal()
{
    return platform::runDialog(*this);
}

void CDialog::EndDialog(int result)
{
    QDialog::done(result);
}

bool CDialog::UpdateData(bool save)
{
    if (!save) {
        m_exchange.Load();
        return true;
    }
    return m_exchange.Save();
}

QHBoxLayout* CDialog::MakeOkCancelRow(const QString& okText, const QString& cancelText)
{
    auto* row = new QHBoxLayout;
    m_ok = new QPushButton(okText, this);
    platform::setControlId(m_ok, IDOK);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(cancelText, this);
    platform::setControlId(m_cancel, IDCANCEL);
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    connect(m_ok, &QPushButton::clicked, this, &CDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CDialog::reject);
    return row;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::showEvent(QShowEvent* event)
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    // Panels hosted in a bar have no title bar of their own.
    if (isWindow())
        platform::fitWidthToTitle(*this);
    QDialog::showEvent(event);
}

#include "platform/Dialog.h"

#include "platform/Ui.h"

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

bool CDialog::UpdateData(bool)
{
    return true;
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
    QDialog::showEvent(event);
}

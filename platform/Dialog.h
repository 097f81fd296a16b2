#pragma once
// Base of the program's dialogs: a QDialog that runs modally through the
// platform's UI services (so a test can answer it), initialises itself once
// just before it is first shown (OnInitDialog) and turns the OK and cancel
// buttons, Enter and Escape into OnOK / OnCancel. Its fields are listed once
// in Exchange(): the default UpdateData shows them and reads them back with
// their checks, and the default OnOK closes only when every field passed.

#include "platform/DialogExchange.h"

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QPushButton;

class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(unsigned resourceId, QWidget* parent = nullptr);

    // Runs the dialog modally; IDOK or IDCANCEL (or the code given to EndDialog).
    int DoModal();
    // Closes the dialog with result.
    void EndDialog(int result);
    unsigned ResourceId() const { return m_nIDD; }

    // Moves the members into the controls (save false) or the controls into
    // the members (save true); false when a control's value was refused.
    virtual bool UpdateData(bool save = true);

    platform::DataExchange& Exchange() { return m_exchange; }

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // The row of the OK button (the default, id IDOK) and the cancel button
    // (IDCANCEL), right-aligned, wired to OnOK and OnCancel; the caller puts
    // the row in its layout.
    QHBoxLayout* MakeOkCancelRow(const QString& okText, const QString& cancelText);
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }
    void showEvent(QShowEvent* event) override;

private:
    unsigned m_nIDD;
    bool m_bInitialised = false;
    platform::DataExchange m_exchange{this};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

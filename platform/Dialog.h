#pragma once
// Base of the program's dialogs: a QDialog that runs modally through the
// platform's UI services (so a test can answer it), initialises itself once
// just before it is first shown (OnInitDialog) and turns the OK and cancel
// buttons, Enter and Escape into OnOK / OnCancel.

#include <QDialog>

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

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }
    void showEvent(QShowEvent* event) override;

private:
    unsigned m_nIDD;
    bool m_bInitialised = false;
};

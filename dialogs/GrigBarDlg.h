#pragma once
// The grid bar: the pitch of the active drawing's grid (typed, or picked from
// the pitches used in this run) and its look (lines, dots or crosses).

#include "platform/Dialog.h"

#include <QString>

#include <functional>

class QComboBox;

class CGrigBarDlg : public CDialog {
    Q_OBJECT
public:
    explicit CGrigBarDlg(QWidget* parent = nullptr);

    // Appends the pitch text to the pitch list unless an equal item is there.
    void AddPitchToList();
    // Chooses look 0..6 in the list (no command is sent).
    void SetSelection(int position);

    void OnSelchangeGridKind(int position);
    void OnKillfocusGridPitch();
    void OnSelchangeGridPitch(int index);

    // A pitch as "%f" without trailing zeros and point: 20 -> "20", 2.5 -> "2.5".
    static QString FormatPitch(double pitch);

    // Sends a command to the main window; the main frame unless replaced.
    std::function<void(unsigned)> m_sendCommand;

    QString m_strPitch;      // the pitch text (combo 1000)
    int m_nGridKind = 0;     // look position (list 1505)

    QComboBox* LookCombo() const { return m_lookCombo; }
    QComboBox* PitchCombo() const { return m_pitchCombo; }

protected:
    bool OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void SendGridCommand();

    QComboBox* m_lookCombo = nullptr;
    QComboBox* m_pitchCombo = nullptr;
};

#pragma once
// The quantize dialog: how many decimals the entity list's values keep and
// whether they are rounded or truncated, with a sample of the result.

#include "platform/Dialog.h"

#include <QString>

class QComboBox;
class QRadioButton;
class QWidget;

namespace platform {
class Dc;
struct Rect;
} // namespace platform

inline constexpr unsigned IDD_QUANTIZE = 261;

class CQuantizeDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_DIGITS = 1479;
    static constexpr int IDC_ROUND = 1480;
    static constexpr int IDC_TRUNCATE = 1481;
    static constexpr int IDC_SAMPLE = 1482;

    explicit CQuantizeDlg(QWidget* parent = nullptr);

    int digits = 0;  // decimals kept, 0 to 5 (the list's choice)
    int mode = 0;    // 0 round, 1 truncate

    // The sample's result line for digits and mode; empty for digits
    // outside 0 to 5.
    static QString SampleResult(int digits, int mode);
    // Paints the sample into the client rectangle of its static.
    void DrawSample(platform::Dc& dc, const platform::Rect& client) const;

    void OnRound();
    void OnTruncate();
    void OnSelchangeDigits();

protected:
    bool OnInitDialog() override;

private:
    void RepaintSample();

    QComboBox* m_digits = nullptr;
    QRadioButton* m_round = nullptr;
    QRadioButton* m_truncate = nullptr;
    QWidget* m_sample = nullptr;
};

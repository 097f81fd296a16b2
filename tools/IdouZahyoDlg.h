#pragma once
// The move-or-copy offset dialog: an X and a Y offset, each a short
// arithmetic expression, beside a picture of the two directions.

#include "platform/Dialog.h"

#include <QString>

class QLineEdit;

inline constexpr unsigned IDD_IDOUZAHYO = 280;

class IdouZahyoDlg : public CDialog {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int IDC_PICTURE = 141;
    static constexpr int IDC_X = 1136;
    static constexpr int IDC_Y = 1165;

    explicit IdouZahyoDlg(QWidget* parent = nullptr);

    QString expressionX;  // empty at the start
    QString expressionY;
    double valueX = 0.0;  // out: the offsets
    double valueY = 0.0;

protected:
    bool OnInitDialog() override;

private:
    QLineEdit* m_editX;
    QLineEdit* m_editY;
};

#pragma once
// The layer-name dialog: asks for the name of a layer being added or of the
// current layer being renamed.

#include "platform/Dialog.h"

#include <string>

class QLineEdit;

class CLayerPropatyDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_LAYER_NAME = 1152;
    static constexpr int kMaxNameBytes = 40;

    explicit CLayerPropatyDlg(QWidget* parent = nullptr);

    std::string m_strLayerName; // cp932, at most 40 bytes
    int16_t m_nMode = 0;        // 0 adding a layer, 1 renaming the current one

protected:
    bool OnInitDialog() override;

private:
    QLineEdit* m_edit;
};

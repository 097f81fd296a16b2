#pragma once
// The panel on the information toolbar: line type, pen and colour of new
// entities, and the scale of the active drawing as "1/N".

#include "platform/Dialog.h"

#include <QPixmap>

#include <cstdint>

class QComboBox;
class CPenComboBox;
class QLabel;
class QPushButton;

class CSizeInfoDlg : public CDialog {
    Q_OBJECT
public:
    explicit CSizeInfoDlg(QWidget* parent = nullptr);

    // Refills the pen list from PenColors, chooses CurrentPen and takes its colour.
    void FillPenCombo();
    // Reads the pen colours of the settings file again and goes back to pen 1.
    void ReloadPenColors();
    // Shows the scale read-out of ScaleDenominator again.
    void OnPaint();

    // Pen colours of ORVPRM.DAT in DataFolder into PenColors; CurrentColor := pen 1.
    // False (and nothing changed) when the file cannot be read.
    static bool LoadPenColors();

    // The colour the swatch shows (COLORREF).
    uint32_t SwatchColor() const { return m_swatchColor; }
    QString ScaleText() const;

    void OnSelchangeLineType(int position);
    void OnSelchangePen(int position);
    void OnColorButton();

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void RefillPens();
    void PaintColorSwatch(uint32_t colour);

    QLabel* m_scale = nullptr;
    QComboBox* m_lineCombo = nullptr;
    CPenComboBox* m_penCombo = nullptr;
    QPushButton* m_colorButton = nullptr;
    QPixmap m_swatch;
    uint32_t m_swatchColor = 0;
};

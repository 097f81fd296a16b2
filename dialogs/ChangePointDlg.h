#pragma once
// The point property dialog: position, shape, weight, pen and colour.

#include "dialogs/PropertyDialog.h"

#include <QString>

#include <cstdint>

class QComboBox;

inline constexpr unsigned IDD_CHANGE_POINT = 206;

class CChangePointDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_X = 1144;
    static constexpr int IDC_Y = 1170;
    static constexpr int IDC_SHAPE = 1224;
    static constexpr int IDC_COLOR = 1225;
    static constexpr int IDC_PREVIEW = 1223;
    static constexpr int IDC_PEN = 1409;
    static constexpr int IDC_WEIGHT = 1504;

    explicit CChangePointDlg(QWidget* parent = nullptr);

    int shape = 0;        // 0 point, 1 circle, 2 rectangle
    int16_t weight = 0;   // the style word's line type: 0, or 5..7 for the thick sizes
    double x = 0, y = 0;  // relative to the drawing origin

    CLineComboBox* WeightList() const { return m_weightList; }

    void OnSelchangeWeight(int index);

protected:
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    QComboBox* m_shape;
    CLineComboBox* m_weightList;
};

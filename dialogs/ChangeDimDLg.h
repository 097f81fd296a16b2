#pragma once
// The dimension property dialog: text size, decimals, extension lengths,
// tolerance type and values, prefix, arrowhead kind and size, font, pen and
// colour of one dimension.

#include "dialogs/PropertyDialog.h"

#include <QString>

#include <string>

class QComboBox;

inline constexpr unsigned IDD_CHANGE_DIM = 218;

class CChangeDimDLg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_TOLERANCE1 = 1131;
    static constexpr int IDC_TEXT_SIZE = 1148;
    static constexpr int IDC_TOLERANCE2 = 1161;
    static constexpr int IDC_DECIMALS = 1174;
    static constexpr int IDC_PREFIX = 1182;
    static constexpr int IDC_UPPER = 1190;
    static constexpr int IDC_LOWER = 1202;
    static constexpr int IDC_COLOR = 1262;
    static constexpr int IDC_PREVIEW = 1263;
    static constexpr int IDC_TOLERANCE_TYPE = 1385;
    static constexpr int IDC_PEN = 1404;
    static constexpr int IDC_FONT = 1460;
    static constexpr int IDC_ARROWHEAD = 1500;
    static constexpr int IDC_ARROW_SIZE = 1501;

    explicit CChangeDimDLg(QWidget* parent = nullptr);

    double textSize = 0, upperExtension = 0, lowerExtension = 0;
    int decimals = 0;
    int toleranceType = 0;  // list position: record types 3 and 7 exchanged
    double tolerance1 = 0, tolerance2 = 0;
    std::string prefix;     // code page 932, at most 4 bytes
    int arrowhead = 0;      // 0 none, 1 black dot, 2 half arrow, 3 arrow
    int arrowSizeShown = -1;
    int dotSizeIndex = 0;   // size remembered for arrowheads 0 and 1
    int arrowSizeIndex = 0; // size remembered for arrowheads 2 and 3
    std::string fontName;   // code page 932

    void OnSelchangeArrowhead(int index);
    void OnSelchangeArrowSize(int index);
    void OnSelchangeTolerance(int index);

protected:
    bool OnInitDialog() override;
    void DrawPreview(platform::Dc& dc, const platform::Rect& r) override;

private:
    int& RememberedSize() { return arrowhead < 2 ? dotSizeIndex : arrowSizeIndex; }

    QComboBox* m_sizes = nullptr;
};

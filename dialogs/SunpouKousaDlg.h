#pragma once
// The dimension tolerance dialog "寸法公差設定": the two tolerance values of
// each of the seven tolerance types, with a sketch of how the chosen type
// prints. The list shows the types in its own order: list position p holds
// the values of table slot p, except that positions 2 and 6 hold slots 6
// and 2 (tolerance types 7 and 3).

#include "platform/Dc.h"
#include "platform/Dialog.h"

#include <array>

class QComboBox;
class QLineEdit;
class QWidget;

class CSunpouKousaDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 246;
    enum : int { IDC_TYPE = 1377, IDC_VALUE1 = 1129, IDC_VALUE2 = 1159, IDC_PREVIEW = 1378 };

    explicit CSunpouKousaDlg(QWidget* parent = nullptr);

    int TypeIndex = 0;  // list position 0-6
    double Value1 = 0.0;
    double Value2 = 0.0;
    std::array<double, 8> Values1{};  // by table slot
    std::array<double, 8> Values2{};

    // The table slot of list position p (2 and 6 exchanged).
    static constexpr int SlotOfPosition(int position) { return position == 2 ? 6 : position == 6 ? 2 : position; }
    // The list position that shows tolerance type t (0 none, 1-7).
    static constexpr int PositionOfType(int type) { return type <= 0 ? 0 : SlotOfPosition(type - 1); }

    // Seeds the dialog from the process-wide tables and tolerance type, as
    // the dimension tolerance command opens it.
    void SeedFromSettings();

    // Another list position chosen.
    void OnSelchangeType(int position);
    // The sketch of list position in a client rectangle.
    static void DrawPreview(platform::Dc& dc, const platform::Rect& client, int position);

protected:
    void OnOK() override;

private:
    QComboBox* m_listType;
    QWidget* m_preview;
};

#pragma once
// The area delete's question: all kinds or chosen kinds, inside or outside
// the rectangle. The nine kind boxes take part only under "個別削除".

#include "platform/Dialog.h"

#include <array>

class QAbstractButton;
class QCheckBox;
class QRadioButton;

inline constexpr unsigned IDD_DELETE_GROUP = 187;

// The kinds chosen, in the order the marking reads them.
struct DeleteKindFlags {
    short point = 0, line = 0, circle = 0, text = 0, dimension = 0, hatch = 0, curve = 0, image = 0, polygon = 0;
};

class CDeleteGroupDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_ALL_KINDS = 1093;
    static constexpr int IDC_BY_KIND = 1094;
    static constexpr int IDC_INSIDE = 1095;
    static constexpr int IDC_OUTSIDE = 1096;
    static constexpr int IDC_POINT = 1097;
    static constexpr int IDC_LINE = 1098;
    static constexpr int IDC_CURVE = 1099;
    static constexpr int IDC_CIRCLE = 1100;
    static constexpr int IDC_TEXT = 1101;
    static constexpr int IDC_DIMENSION = 1102;
    static constexpr int IDC_HATCH = 1103;
    static constexpr int IDC_IMAGE = 1104;
    static constexpr int IDC_POLYGON = 1105;

    explicit CDeleteGroupDlg(QWidget* parent = nullptr);

    int point = 0, circle = 0, hatch = 0, line = 0, text = 0, image = 0, curve = 0, dimension = 0, polygon = 0;
    int mode = 0;   // 0 all kinds, 1 by kind
    int range = 0;  // 0 delete inside, 1 delete outside

    DeleteKindFlags Flags() const;
    // The kind boxes take input under "個別削除" only.
    void EnableKindChecks();

protected:
    bool OnInitDialog() override;

private:
    std::array<QCheckBox*, 9> m_kinds{};
    QRadioButton* m_allKinds = nullptr;
    QRadioButton* m_byKind = nullptr;
    QRadioButton* m_inside = nullptr;
    QRadioButton* m_outside = nullptr;
};

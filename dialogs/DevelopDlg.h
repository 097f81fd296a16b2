#pragma once
// The development dialog: the dimensions of a cylinder, a square prism with
// rounded corners or a cone, with a labelled sketch of the kind. Each
// field's text is kept in the profile section "Develop" ("Edit01" ..
// "Edit07") as soon as it passes, so the next opening shows it again.

#include "platform/Dialog.h"

#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QWidget;

inline constexpr unsigned IDD_DEVELOP = 189;

class CDevelopDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_SKETCH = 1106;
    static constexpr int IDC_FIELD1 = 1107;  // .. 1113
    static constexpr std::array<int, 7> LabelIds{1114, 1115, 1116, 1117, 1119, 1120, 1121};

    explicit CDevelopDlg(QWidget* parent = nullptr);

    int DevelopKind = 0;  // 0 cylinder, 1 square prism, 2 cone; set before DoModal
    std::array<QString, 7> FieldText;
    std::array<QString, 7> LabelText;
    std::array<float, 7> FieldValue{};

    // How many fields a kind uses.
    static int FieldCount(int kind);

    void SetupForType(int kind);
    // The check of the confirm button; -1 when every field passed and the
    // kind's rule holds, else the field (0-based) that takes the focus.
    int Validate();

    QLineEdit* Field(int i) const { return m_fields[static_cast<std::size_t>(i)]; }
    QLabel* Label(int i) const { return m_labels[static_cast<std::size_t>(i)]; }
    QWidget* Sketch() const { return m_sketch; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::array<QLineEdit*, 7> m_fields{};
    std::array<QLabel*, 7> m_labels{};
    QWidget* m_sketch = nullptr;
};

// Draws the sketch of a development kind into a frame of width x height
// pixels (the sketch is laid out for 200 x 200).
namespace platform {
class Dc;
}
void DrawDevelopSketch(platform::Dc& dc, int kind, int width, int height);

#pragma once
// The parts palette: a floating tool window with the folder tree of the
// parts library, a preview of the chosen part fitted to a small pane, its
// size, and the placement fields the parts tool reads (reference point,
// scale, angle). Choosing a file reads it into EntityBuffer; the buffer is
// emptied when the palette opens, before every load and when it goes.

#include "dialogs/PartsPreview.h"
#include "platform/Dialog.h"

#include <QString>

#include <filesystem>

class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

class CPopInportDlg : public CDialog, public CPartsPreview {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 191;
    static constexpr int IDC_TREE = 1122;
    static constexpr int IDC_PREVIEW = 1123;
    static constexpr int IDC_SIZE_LINE = 1124;
    static constexpr int IDC_BASE = 1125;
    static constexpr int IDC_SCALE = 1126;
    static constexpr int IDC_ANGLE = 1127;

    explicit CPopInportDlg(QWidget* parent = nullptr);
    ~CPopInportDlg() override;

    // The tree's selection changed: a part file is read into EntityBuffer.
    void OnSelchangedTree();
    // The placement fields.
    void OnSelchangeBase();
    void OnKillfocusScale();
    void OnKillfocusAngle();
    void OnChangeScale();

    // Paints the pane and the size line again (and works out the extents
    // and the reference point at once).
    void RepaintPreview();

    QTreeWidget* Tree() const { return m_tree; }
    // The size line's text as it stands (the part's size or a message).
    QString SizeLine() const;
    // The full path of a tree item; empty for the root.
    static std::filesystem::path ItemPath(const QTreeWidgetItem* item);

    int m_base = 0;
    float m_scale = 1.0f;
    float m_angle = 0.0f;

signals:
    void closed();

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    friend class PartsPane;
    void FillPartsTree();

    QTreeWidget* m_tree = nullptr;
    QComboBox* m_baseList = nullptr;
    QLineEdit* m_scaleEdit = nullptr;
    QLineEdit* m_angleEdit = nullptr;
    QWidget* m_pane = nullptr;
    QWidget* m_sizeLine = nullptr;
    QString m_message;  // a failed load's message, shown in the size line
    bool m_bPlaced = false;
    int m_shift = 0;    // pixels the window was moved left to stay on the screen
};

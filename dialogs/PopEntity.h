#pragma once
// The drawing palette: a small floating window of sixteen category buttons
// over the list of the chosen category's commands. Choosing a button or a
// row cancels the step in progress, makes the (category, row) pair the
// current tool, shows its option panel in the main frame's option bar and
// writes its first prompt. A selection from the drawing menu moves the
// palette to the same pair. Closing it brings up the parts palette.

#include "platform/Dialog.h"

#include <array>
#include <cstdint>

class QAbstractButton;
class QButtonGroup;
class QListWidget;

// Per category, the row last chosen in the palette's list (menu selections
// leave it alone).
extern int16_t PaletteLastSubCommand[16];

class CPopEntity : public CDialog {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 297;
    static constexpr int IDC_COMMAND_LIST = 1030;
    static constexpr int kCategories = 16;
    // The category buttons' control ids, by category.
    static constexpr std::array<int, kCategories> CategoryButtonIds = {
        1001, 1002, 1004, 1006, 1008, 1010, 1012, 1014, 1016, 1018, 1020, 1022, 1024, 1026, 1028, 1029};

    explicit CPopEntity(QWidget* parent = nullptr);
    ~CPopEntity() override;

    // Lists the rows of category (0..15) and selects row 0; any other value
    // does nothing.
    void FillCommandList(int category);
    // The click on the button of category.
    void OnCategoryButton(int category);
    // The user chose another row of the list.
    void OnSelchangeCommandList();
    // Shows the option panel and the first prompt of (category, row) and
    // selects the row.
    void SelectSubCommand(int row);
    // Follows a selection made in the drawing menu: the buttons, the list,
    // the option panel and the prompt show the pair (group, item).
    void FollowMenuSelection(int group, int item);

    int Category() const { return m_nCategory; }
    QListWidget* CommandList() const { return m_wndCommandList; }
    QAbstractButton* CategoryButton(int category) const;

protected:
    bool OnInitDialog() override;
    // The palette has nothing to confirm or cancel: Enter and Escape do nothing.
    void OnOK() override {}
    void OnCancel() override {}
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    void OnMove(int x, int y);
    void OnClose();

private:
    // Shows the button of category pressed and every other one released.
    void CheckCategoryButton(int category);
    void SelectRow(int row);

    QListWidget* m_wndCommandList = nullptr;
    int m_nCategory = 0;
    bool m_bPlaced = false;
    QButtonGroup* m_buttons = nullptr;
};

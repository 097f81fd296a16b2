#pragma once
// Menus, accelerator table and toolbars of the program, as data. The frame
// builds its Qt menus, actions and bars from these tables.

#include <QKeyCombination>

#include <vector>

struct MenuItem {
    unsigned id = 0;          // command id; 0 for a separator or a popup
    const char* text = nullptr; // UTF-8; "\t" starts the key shown beside it
    std::vector<MenuItem> items; // a popup's items
    bool IsSeparator() const { return id == 0 && text == nullptr; }
    bool IsPopup() const { return id == 0 && text != nullptr; }
};

// Menu bars: 128 (no drawing open), 129 (a drawing window), 203 (layer list's
// context menu: one popup); the view's context menus 202, 205, 207, 209, 211,
// 212, 213, each one popup.
// Returns null for an unknown id.
const MenuItem* LoadMenuResource(unsigned id);

struct Accelerator {
    QKeyCombination key; // e.g. Qt::CTRL | Qt::Key_N
    unsigned id; // command
};
// The one accelerator table (128), in table order.
const std::vector<Accelerator>& AcceleratorTable();

struct ToolbarResource {
    unsigned id;
    const char* title;
    std::vector<unsigned> buttons; // 0 is a separator
};
const ToolbarResource* LoadToolbarResource(unsigned id);

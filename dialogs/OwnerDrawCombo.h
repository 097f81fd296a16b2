#pragma once
// What the owner-drawn lists of pens, line types and grid looks share: a
// drop-down list without strings whose items carry a number as their data,
// all 18 pixels high, each painted by the list's DrawItem through a Dc (so
// that dashes come out as the view draws them). The closed list shows its
// current item the same way.

#include "model/Entity.h"
#include "platform/Dc.h"

#include <QComboBox>

// What DrawItem is asked to paint.
struct OwnerDrawItem {
    enum Action { DrawEntire = 1, Select = 2, Focus = 4 };
    int index = -1;
    long data = 0;
    platform::Rect rect;
    int action = DrawEntire;
    bool selected = false;
    bool focused = false;
};

inline constexpr int OwnerDrawItemHeight = 18;

class COwnerDrawCombo : public QComboBox {
    Q_OBJECT
public:
    explicit COwnerDrawCombo(QWidget* parent = nullptr);

    // Adds an item whose data is `data`; its index.
    int AddItemData(long data);
    long ItemData(int index) const;

    // Paints one item.
    virtual void DrawItem(platform::Dc& dc, const OwnerDrawItem& item) const = 0;
    // The item `index` painted at width x 18, selected or not.
    QImage RenderItem(int index, int width, bool selected) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// System colours the lists paint with, as COLORREF.
COLORREF HighlightColour();
COLORREF HighlightTextColour();
COLORREF MenuTextColour();

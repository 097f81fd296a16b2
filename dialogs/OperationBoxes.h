#pragma once
// Makes the tool option panels by their kind (1..25) for the main frame's
// option bar.

class COperationBox;
class QWidget;

// The panel of kind as a child of parent; null for a kind without a panel.
COperationBox* CreateOperationBox(int kind, QWidget* parent);

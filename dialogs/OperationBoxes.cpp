#include "dialogs/OperationBoxes.h"

#include "app/MainFrame.h"
#include "dialogs/OpeLineBoxes.h"

COperationBox* CreateOperationBox(int kind, QWidget* parent)
{
    switch (kind) {
    case 4:
        return new OpeHabatukiBox(parent);
    case 17:
        return new COpeLineBox(parent);
    case 18:
        return new COpeRenzokuLineBox(parent);
    default:
        return nullptr;
    }
}

void InstallOperationBoxes()
{
    CMainFrame::SetPanelFactory([](int kind, QWidget* parent) -> QWidget* { return CreateOperationBox(kind, parent); });
}

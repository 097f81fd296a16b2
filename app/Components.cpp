#include "app/Components.h"

#include "app/MainFrame.h"
#include "app/OrvikCadApp.h"
#include "exchange/DocumentImport.h"
#include "model/Document.h"
#include "annotation_tools/DevelopTool.h"
#include "dialogs/DevelopDlg.h"
#include "dialogs/EntityProperties.h"
#include "dialogs/ListEntyDlg.h"
#include "dialogs/OperationBoxes.h"
#include "edit_tools/SelectTool.h"
#include "dialogs/OperationBox.h"
#include "dialogs/PlotCommands.h"
#include "dialogs/PlotOutGoDlg.h"
#include "platform/Ui.h"
#include "tools/InputNumDlg.h"
#include "tools/LineInputDlg.h"
#include "view/DrawingDocument.h"
#include "view/EntityListCommand.h"
#include "view/OrvikCadView.h"
#include "view/NumericInputDialogs.h"

void InstallNumericInputDialogs()
{
    NumericInputDialogs& dialogs = TheNumericInputDialogs();
    dialogs.askPair = [](QWidget* parent, short& kind, double& value1, double& value2, short ellipseVariant) {
        CLineInputDlg dlg(parent);
        dlg.inputKind = kind;
        dlg.value1 = value1;
        dlg.value2 = value2;
        dlg.ellipseVariant = ellipseVariant;
        if (dlg.DoModal() != IDOK)
            return false;
        kind = dlg.inputKind;
        value1 = dlg.value1;
        value2 = dlg.value2;
        return true;
    };
    dialogs.askValue = [](QWidget* parent, int mode, double& value, const QString& label) {
        CInputNumDlg dlg(parent);
        dlg.mode = static_cast<short>(mode);
        dlg.label = label;
        dlg.value = value;
        if (dlg.DoModal() != IDOK)
            return false;
        value = dlg.value;
        return true;
    };
}

void InstallOperationBoxes()
{
    CMainFrame::SetPanelFactory([](int kind, QWidget* parent) -> QWidget* { return CreateOperationBox(kind, parent); });
}

void InstallImportReaders()
{
    COrvikCadApp::SetImportReader(ImportKind::Dxf, ReadDxfDrawing);
    COrvikCadApp::SetImportReader(ImportKind::Jww, ReadJwwDrawing);
    COrvikCadApp::SetImportReader(ImportKind::Jwc, ReadJwcDrawing);
}

// A double click with the selection tool opens the entity's property dialog.
void InstallPropertyDialogs()
{
    EntityPropertiesEditor = &EditEntityProperties;
}

// Plotter output into a file or onto the port, and the plotter settings.
void InstallPlotter()
{
    ThePlotterCommands.toFile = [](COrvikCadDoc& drawing, const QString& file) {
        RunHpglFileOutput(drawing, file, AfxGetMainFrame());
    };
    ThePlotterCommands.output = [](COrvikCadDoc& drawing) { RunPlotterOutput(drawing, AfxGetMainFrame()); };
    ThePlotterCommands.setup = [](COrvikCadDoc& drawing) { RunPlotterSetup(drawing, AfxGetMainFrame()); };
}

// The entity list dialog of the list commands.
void InstallEntityList()
{
    EntityListDialog = [](const EntityListRequest& request) -> std::optional<std::vector<EntityRow>> {
        CListEntyDlg dlg(request.parent);
        if (request.drawing) {
            dlg.originX = request.drawing->DrawingOrigin[0];
            dlg.originY = request.drawing->DrawingOrigin[1];
            if (request.listMarked) {
                dlg.loadFromDrawing = 1;
                dlg.firstEntity = request.drawing->list.first;
            }
        }
        if (dlg.DoModal() != IDOK)
            return std::nullopt;
        return std::move(dlg.appliedRows);
    };
}

// Each click of the development tool asks for the development's dimensions.
void InstallDevelopDialog()
{
    CDevelopTool::RunParameterDialog = [](COrvikCadView* view, int kind, std::array<float, 7>& values) {
        CDevelopDlg dlg(view);
        dlg.DevelopKind = kind;
        if (dlg.DoModal() != IDOK)
            return false;
        values = dlg.FieldValue;
        return true;
    };
}

void InstallComponents()
{
    InstallPlotter();
    InstallDevelopDialog();
    InstallPropertyDialogs();
    InstallEntityList();
    InstallImportReaders();
    InstallTools();
    InstallNumericInputDialogs();
    InstallOperationBoxes();
}

#include "app/AppDocumentHost.h"

#include "app/MainFrame.h"
#include "dialogs/GrigBarDlg.h"
#include "dialogs/InitialSetDlg.h"
#include "dialogs/SunpouKousaDlg.h"
#include "dialogs/PlanInfoDlg.h"
#include "dialogs/SizeInfoDlg.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"
#include "view/DrawingDocument.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string Digits(int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

} // namespace

bool CAppDocumentHost::RunDrawingInfoDialog(COrvikCadDoc&, DrawingInfo& info)
{
    CPlanInfoDlg dlg(AfxGetMainFrame());
    dlg.m_strFileName = info.title;
    dlg.m_strPlanName = info.drawingName;
    dlg.m_strAuthor = info.author;
    dlg.m_strUpdater = info.updater;
    dlg.m_strPassword = info.password;
    dlg.m_strMakeYear = Digits(info.createdYear, 4);
    dlg.m_strMakeMonth = Digits(info.createdMonth, 2);
    dlg.m_strMakeDay = Digits(info.createdDay, 2);
    dlg.m_strUpdateYear = Digits(info.modifiedYear, 4);
    dlg.m_strUpdateMonth = Digits(info.modifiedMonth, 2);
    dlg.m_strUpdateDay = Digits(info.modifiedDay, 2);
    dlg.m_nProtection = info.protection;
    dlg.m_nScale = info.scale;
    dlg.m_nPaper = info.paperIndex;
    dlg.m_nOrientation = info.orientation;
    dlg.m_nPaperSource = info.paperSource;
    dlg.m_nPrintType = info.printFit;
    dlg.m_bExisting = info.newDrawing ? 0 : 1;
    dlg.m_bFromView = info.newDrawing ? 0 : 1;
    if (dlg.DoModal() != IDOK) {
        return false;
    }
    info.title = dlg.m_strFileName;
    info.drawingName = dlg.m_strPlanName;
    info.author = dlg.m_strAuthor;
    info.updater = dlg.m_strUpdater;
    info.password = dlg.m_strPassword;
    info.createdYear = std::atoi(dlg.m_strMakeYear.c_str());
    info.createdMonth = std::atoi(dlg.m_strMakeMonth.c_str());
    info.createdDay = std::atoi(dlg.m_strMakeDay.c_str());
    info.modifiedYear = std::atoi(dlg.m_strUpdateYear.c_str());
    info.modifiedMonth = std::atoi(dlg.m_strUpdateMonth.c_str());
    info.modifiedDay = std::atoi(dlg.m_strUpdateDay.c_str());
    info.protection = dlg.m_nProtection;
    info.scale = dlg.m_nScale;
    info.paperIndex = dlg.m_nPaper;
    info.orientation = dlg.m_nOrientation;
    info.paperSource = dlg.m_nPaperSource;
    info.printFit = dlg.m_nPrintType;
    return true;
}

void CAppDocumentHost::DocumentChanged(COrvikCadDoc& doc)
{
    CDrawingDocument* document = CDrawingDocument::FromDrawing(&doc);
    if (document && document->GetPathName().isEmpty()) {
        document->SetTitle(FromCp932(doc.title));
    }
}

void CAppDocumentHost::FillPenCombo()
{
    CMainFrame* frame = AfxGetMainFrame();
    if (frame)
        frame->RefillPenList();
}

void CAppDocumentHost::ReloadPenColors()
{
    CMainFrame* frame = AfxGetMainFrame();
    if (frame)
        frame->ReloadPenColours();
}

void CAppDocumentHost::RepaintScaleReadout()
{
    CMainFrame* frame = AfxGetMainFrame();
    if (frame)
        frame->RepaintScaleReadout();
}

void CAppDocumentHost::SetGridBarSelection(int selection)
{
    CMainFrame* frame = AfxGetMainFrame();
    if (frame)
        frame->SetGridLook(selection);
}

void CAppDocumentHost::ShowOpenProgress(int percent)
{
    if (CMainFrame* frame = AfxGetMainFrame())
        frame->ShowOpenProgress(percent);
}

void CAppDocumentHost::UpdateAllViews(COrvikCadDoc& doc)
{
    if (CDrawingDocument* document = CDrawingDocument::FromDrawing(&doc)) {
        document->UpdateAllViews(nullptr, 0);
    }
}

bool CAppDocumentHost::RunInitialSettingsDialog(CParameterBlock& record)
{
    CInitialSetDlg dlg(AfxGetMainFrame());
    dlg.Parameters = record;
    if (dlg.DoModal() != IDOK)
        return false;
    record = dlg.Parameters;
    return true;
}

void CAppDocumentHost::RunDimensionToleranceDialog()
{
    CSunpouKousaDlg dlg(AfxGetMainFrame());
    dlg.SeedFromSettings();
    dlg.DoModal();
}

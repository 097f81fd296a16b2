#include "app/DrawingDocument.h"

#include "app/MainFrame.h"
#include "app/OrvikCadApp.h"
#include "dialogs/GrigBarDlg.h"
#include "dialogs/PlanInfoDlg.h"
#include "dialogs/SizeInfoDlg.h"
#include "model/Notify.h"
#include "platform/Encoding.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace {

std::unordered_map<const COrvikCadDoc*, CDrawingDocument*>& Registry()
{
    static std::unordered_map<const COrvikCadDoc*, CDrawingDocument*> documents;
    return documents;
}

std::filesystem::path NativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::string Digits(int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

} // namespace

CDrawingDocument::CDrawingDocument()
{
    Registry()[&m_drawing] = this;
}

CDrawingDocument::~CDrawingDocument()
{
    Registry().erase(&m_drawing);
}

CDrawingDocument* CDrawingDocument::FromDrawing(const COrvikCadDoc* drawing)
{
    auto it = Registry().find(drawing);
    return it == Registry().end() ? nullptr : it->second;
}

bool CDrawingDocument::OnNewDocument()
{
    if (!CDocument::OnNewDocument() || !m_drawing.OnNewDocument()) {
        return false;
    }
    SetTitle(FromCp932(m_drawing.title));
    return true;
}

void CDrawingDocument::SetTitle(const QString& title)
{
    CDocument::SetTitle(title);
    m_drawing.title = ToCp932(title);
}

bool CDrawingDocument::OnOpenDocument(const QString& path)
{
    return m_drawing.OnOpenDocument(NativePath(path)) == OpenResult::Ok;
}

bool CDrawingDocument::OnSaveDocument(const QString& path)
{
    return m_drawing.OnSaveDocument(NativePath(path));
}

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
    if (frame && frame->m_pSizeInfoDlg) {
        frame->m_pSizeInfoDlg->FillPenCombo();
    }
}

void CAppDocumentHost::ReloadPenColors()
{
    CMainFrame* frame = AfxGetMainFrame();
    if (frame && frame->m_pSizeInfoDlg) {
        frame->m_pSizeInfoDlg->ReloadPenColors();
    }
}

void CAppDocumentHost::RepaintScaleReadout()
{
    CMainFrame* frame = AfxGetMainFrame();
    if (frame && frame->m_pSizeInfoDlg) {
        frame->m_pSizeInfoDlg->OnPaint();
    }
}

void CAppDocumentHost::SetGridBarSelection(int selection)
{
    CMainFrame* frame = AfxGetMainFrame();
    if (frame && frame->m_pGridBarDlg) {
        frame->m_pGridBarDlg->SetSelection(selection);
    }
}

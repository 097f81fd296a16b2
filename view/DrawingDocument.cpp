#include "view/DrawingDocument.h"

#include "model/Notify.h"
#include "view/EntityListCommand.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"
#include "resources/Resource.h"

#include <QFile>

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

} // namespace

CDrawingDocument::CDrawingDocument()
{
    Registry()[&m_drawing] = this;
    OnCommand(ID_FILE_SAVE_DXF, [this] { OnFileSaveDxf(); });
    OnCommand(ID_FILE_SAVE_JWW, [this] { OnFileSaveJww(); });
    OnCommand(ID_ELEMENT_LIST, [this] { OnElementList(); });
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

bool CDrawingDocument::ImportDxf(const QString& path)
{
    return m_drawing.ImportDxf(NativePath(path)) != 0;
}

bool CDrawingDocument::ImportJww(const QString& path)
{
    return m_drawing.ImportJww(NativePath(path)) != 0;
}

bool CDrawingDocument::ImportJwc(const QString& path)
{
    return m_drawing.ImportJwc(NativePath(path)) != 0;
}

namespace {

// The save dialog of the exports; an empty path when cancelled.
QString ChooseExportFile(const char* ext, const char* filter, const char* title)
{
    platform::FileRequest request;
    request.defaultExt = QString::fromUtf8(ext);
    request.initialName = QStringLiteral("未設定ファイル");
    request.filter = QString::fromUtf8(filter);
    request.title = QString::fromUtf8(title);
    platform::FileChoice choice = platform::chooseSaveFile(request);
    return choice.ok ? choice.path : QString();
}

} // namespace

void CDrawingDocument::OnFileSaveDxf()
{
    const QString path = ChooseExportFile("dxf", "図面データ (*.DXF)|*.dxf||", "DXF形式で図面データの保存");
    if (!path.isEmpty()) m_drawing.ExportDxf(NativePath(path));
}

void CDrawingDocument::OnFileSaveJww()
{
    const QString path = ChooseExportFile("jww", "図面データ (*.JWW)|*.jww||", "JWW形式で図面データの保存");
    if (!path.isEmpty()) m_drawing.ExportJww(NativePath(path));
}

void CDrawingDocument::OnElementList()
{
    if (!EntityListDialog)
        return;
    EntityListRequest request;
    request.drawing = &m_drawing;
    const std::optional<std::vector<EntityRow>> rows = EntityListDialog(request);
    if (!rows)
        return;
    AddEntityRows(m_drawing, *rows);
    m_drawing.ViewUpdateRequest = 1;
    UpdateAllViews(nullptr, 0);
    m_drawing.ViewUpdateRequest = 0;
}

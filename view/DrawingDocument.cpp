#include "view/DrawingDocument.h"

#include "model/Notify.h"
#include "platform/Encoding.h"

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

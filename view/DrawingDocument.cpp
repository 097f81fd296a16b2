#include "view/DrawingDocument.h"

#include "exchange/DocumentImport.h"
#include "model/Notify.h"
#include "view/EntityListCommand.h"
#include "platform/Encoding.h"
#include "platform/Programs.h"
#include "platform/Ui.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <unordered_map>
#include <vector>

PlotterCommands ThePlotterCommands;

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
    OnCommand(ID_FILE_SEND_MAIL, [this] { OnFileSendMail(); });
    OnCommand(ID_DOC_INITIAL_SETTINGS, [this] { m_drawing.OnInitialSettings(); });
    OnCommand(ID_DIM_TOLERANCE, [this] { m_drawing.OnDimensionTolerance(); });
    OnCommand(ID_FILE_SAVE_HPGL, [this] { OnFileSaveHpgl(); });
    OnCommand(ID_PLOTTER_OUTPUT, [this] { OnPlotterOutput(); });
    OnCommand(ID_PLOTTER_SETUP, [this] { OnPlotterSetup(); });
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
    const SaveResult result = m_drawing.SaveDocument(NativePath(path));
    m_bSaveAsInstead = result == SaveResult::SaveAs;
    return result == SaveResult::Ok;
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
    if (!path.isEmpty()) ExportDxf(m_drawing, NativePath(path));
}

void CDrawingDocument::OnFileSaveJww()
{
    const QString path = ChooseExportFile("jww", "図面データ (*.JWW)|*.jww||", "JWW形式で図面データの保存");
    if (!path.isEmpty()) ExportJww(m_drawing, NativePath(path));
}

QString CDrawingDocument::MailAttachment() const
{
    const QString& path = GetPathName();
    if (!path.isEmpty() && !IsModified() && QFileInfo(path).isFile())
        return path;
    // The drawing as it stands, under its title, in a folder of its own that
    // stays for the mail program to read.
    QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("orvik-mail-XXXXXX")));
    if (!folder.isValid())
        return QString();
    folder.setAutoRemove(false);
    QString name = path.isEmpty() ? GetTitle() : QFileInfo(path).fileName();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("図面");
    if (QFileInfo(name).suffix().compare(QLatin1String("orv"), Qt::CaseInsensitive) != 0)
        name += QStringLiteral(".orv");
    const QString copy = folder.filePath(name);
    std::vector<uint8_t> bytes;
    QFile out(copy);
    if (!m_drawing.StoreDrawing(bytes) || !out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()) ||
        !out.flush()) {
        out.remove();
        QDir().rmdir(folder.path());
        return QString();
    }
    return copy;
}

void CDrawingDocument::OnFileSendMail()
{
    const QString file = MailAttachment();
    if (file.isEmpty()) {
        platform::messageBox(QStringLiteral("送信する図面のファイルを作れませんでした。"), QString(),
                             MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    platform::mailWithAttachment(file, [](bool ok) {
        if (!ok)
            platform::messageBox(QStringLiteral("図面を送信するメールソフトが見つかりません。\n"
                                                "デスクトップの設定で既定のメールソフトを選んでください。"),
                                 QString(), MB_OK | MB_ICONEXCLAMATION);
    });
}

void CDrawingDocument::OnFileSaveHpgl()
{
    const QString path = ChooseExportFile("pgl", "図面データ (*.PGL)|*.pgl||", "HPGL形式で図面データの保存");
    if (!path.isEmpty() && ThePlotterCommands.toFile) ThePlotterCommands.toFile(m_drawing, path);
}

void CDrawingDocument::OnPlotterOutput()
{
    if (ThePlotterCommands.output) ThePlotterCommands.output(m_drawing);
}

void CDrawingDocument::OnPlotterSetup()
{
    if (ThePlotterCommands.setup) ThePlotterCommands.setup(m_drawing);
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

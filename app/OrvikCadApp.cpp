#include "app/OrvikCadApp.h"

#include "app/AboutDlg.h"
#include "app/ChildFrame.h"
#include "app/DocTemplate.h"
#include "view/Document.h"
#include "view/DrawingDocument.h"
#include "app/AppDocumentHost.h"
#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/ForeignDrawing.h"
#include "platform/Printing.h"
#include "platform/Encoding.h"
#include "platform/Places.h"
#include "platform/Startup.h"
#include "view/RecentFileList.h"
#include "model/Settings.h"
#include "model/Cp932Text.h"
#include "model/ParameterBlock.h"
#include "app/SplashWnd.h"
#include "app/Components.h"
#include "platform/Ui.h"
#include "resources/Resource.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QWindow>

#include <algorithm>

namespace {

class MessageFilter : public QObject {
public:
    explicit MessageFilter(COrvikCadApp* app) : m_app(app) {}
    bool eventFilter(QObject* target, QEvent* event) override { return m_app->PreTranslateMessage(target, event); }

private:
    COrvikCadApp* m_app;
};

} // namespace

COrvikCadApp& AfxGetApp()
{
    static COrvikCadApp theApp;
    return theApp;
}

COrvikCadApp::COrvikCadApp()
{
    SetProcessWideStartValues();
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_OPEN_DXF, [this] { OnFileOpenDxf(); });
    OnCommand(ID_FILE_OPEN_JWC, [this] { OnFileOpenJwc(); });
    OnCommand(ID_FILE_OPEN_JWW, [this] { OnFileOpenJww(); });
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_APP_INITIAL_SETTINGS, [this] { OnInitialSettings(); });
    // With no drawing open, the printer's own page setup.
    OnCommand(ID_FILE_PRINT_SETUP, [] { platform::pageSetup(AfxGetMainFrame()); });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + 3, [this](unsigned id) {
        int index = int(id - ID_FILE_MRU_FILE1);
        QString path = RecentFiles()[index];
        if (!path.isEmpty() && !OpenDocumentFile(path)) {
            RecentFiles().Remove(index);
        }
    });
    for (unsigned id = ID_FILE_MRU_FILE1; id < ID_FILE_MRU_FILE1 + 4; ++id) {
        OnUpdateCommandUI(id, [id](CCmdUI& ui) { ui.Enable(int(id - ID_FILE_MRU_FILE1) < RecentFiles().GetCount()); });
    }
}

COrvikCadApp::~COrvikCadApp() = default;

void COrvikCadApp::SetProcessWideStartValues()
{
    LayerCount = 10;
    CurrentLayer = 0;
    for (int i = 0; i < MaxLayers; ++i) {
        LayerStates[i] = 1;
        LayerNames[i] = DefaultLayerName(i);
    }
}

bool COrvikCadApp::InitInstance(const QStringList& args)
{
    // Command line: files to open; -nologo (or a print request) suppresses the
    // splash window. Everything after "--" is a file, even when it starts
    // with "-"; an option we do not know is reported once the frame is up.
    QStringList files;
    QStringList unknownOptions;
    bool onlyFiles = false;
    ShowSplash = true;
    m_shellPrintResult.reset();
    bool printRequest = false;
    QString printFile, printerName;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (onlyFiles) {
            files.append(a);
        } else if (a == QLatin1String("--")) {
            onlyFiles = true;
        } else if (a == QLatin1String("-nologo") || a == QLatin1String("/nologo")) {
            ShowSplash = false;
        } else if (a == QLatin1String("-p") || a == QLatin1String("/p") || a == QLatin1String("-pt") ||
                   a == QLatin1String("/pt")) {
            // /p FILE; /pt FILE PRINTER [DRIVER PORT] (driver and port are
            // the printer's business here).
            ShowSplash = false;
            printRequest = true;
            const bool named = a.endsWith(QLatin1String("pt"));
            if (i + 1 < args.size())
                printFile = args[++i];
            if (named && i + 1 < args.size())
                printerName = args[++i];
            if (named)
                i = std::min<int>(i + 2, int(args.size()) - 1);
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            unknownOptions.append(a);
        } else {
            files.append(a);
        }
    }

    platform::startPlatformServices(QStringLiteral("アプリケーション ウィザードで生成されたローカル アプリケーション"));
    static CAppDocumentHost documentHost;
    TheDocumentHost = &documentHost;

    // Per-user data folder and the parts folder.
    DataFolder = QFile::encodeName(platform::dataFolder()).toStdString();
    PartsFolder = ToCp932(platform::partsFolder());

    RecentFiles().SetSize(4);
    RecentFiles().Load();

    m_pDocTemplate = std::make_unique<CMultiDocTemplate>(
        IDR_ORVIKCTYPE, [] { return std::make_unique<CDrawingDocument>(); }, [] { return new COrvikCadView; });

    InstallComponents();
    m_pMainWnd = new CMainFrame;
    if (!m_pMainWnd->OnCreate()) {
        delete m_pMainWnd;
        m_pMainWnd = nullptr;
        return false;
    }

    if (printRequest) {
        m_shellPrintResult = PrintFromShell(printFile, printerName);
        return true;
    }

    m_pMessageFilter = std::make_unique<MessageFilter>(this);
    qApp->installEventFilter(m_pMessageFilter.get());

    // Without a window manager to maximise it, the frame still fills the
    // screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_pMainWnd->setGeometry(screen->availableGeometry());
    m_pMainWnd->showMaximized();
    if (SplashWindow) {
        SplashWindow->raise();
    }
    if (!files.isEmpty() || !unknownOptions.isEmpty())
        ShowBeforeReading();
    for (const QString& option : unknownOptions) {
        platform::messageBox(QStringLiteral("コマンドラインのオプション %1 は使えません。無視します。\n"
                                            "\"-\" で始まる名前のファイルは \"--\" の後に書いてください。")
                                 .arg(option),
                             QString(), MB_OK | MB_ICONEXCLAMATION);
    }
    for (const QString& f : files) {
        OpenDocumentFile(f);
    }
    return true;
}

void COrvikCadApp::ShowBeforeReading()
{
    // The files named on the command line are read before the event loop
    // runs: let the frame come up and paint first, so that a long read shows
    // the window and its progress instead of an empty black rectangle.
    QWindow* window = m_pMainWnd->windowHandle();
    QElapsedTimer waited;
    waited.start();
    while (window && !window->isExposed() && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_pMainWnd->repaint();
    if (SplashWindow)
        SplashWindow->repaint();
}

int COrvikCadApp::PrintFromShell(const QString& file, const QString& printerName)
{
    if (file.isEmpty()) {
        platform::messageBox(QStringLiteral("印刷する図面ファイルが指定されていません。"));
        return 2;
    }
    if (!printerName.isEmpty())
        platform::applicationPrinter().setPrinterName(printerName);
    CChildFrame* frame = OpenDocumentFile(file);
    auto* view = frame ? dynamic_cast<COrvikCadView*>(frame->GetActiveView()) : nullptr;
    if (!view)
        return 1;  // the open has said why
    const bool printed = view->OnFilePrintDirect();
    return printed ? 0 : 1;
}

void COrvikCadApp::ExitInstance()
{
    if (m_pMessageFilter) {
        qApp->removeEventFilter(m_pMessageFilter.get());
        m_pMessageFilter.reset();
    }
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    delete SplashWindow;
    m_pDocTemplate.reset();
    RecentFiles().Save();
}

bool COrvikCadApp::PreTranslateMessage(QObject*, QEvent* event)
{
    if (!SplashWindow) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        SplashWindow->DestroyWindow();
        delete SplashWindow; // gone at once, not at the next turn of the loop
        if (m_pMainWnd) {
            m_pMainWnd->update();
        }
        return true;
    default:
        return false;
    }
}

CChildFrame* COrvikCadApp::OnFileNew()
{
    return m_pDocTemplate ? m_pDocTemplate->OpenDocumentFile(QString()) : nullptr;
}

CChildFrame* COrvikCadApp::OpenDocumentFile(const QString& path)
{
    if (!m_pDocTemplate || path.isEmpty()) {
        return nullptr;
    }
    QString full = QFileInfo(path).absoluteFilePath();
    // A file already open only gets its window activated.
    if (m_pMainWnd) {
        for (CChildFrame* f : m_pMainWnd->ChildFrames()) {
            if (f->GetActiveDocument() && f->GetActiveDocument()->GetPathName() == full) {
                m_pMainWnd->Client()->setActiveSubWindow(f);
                return f;
            }
        }
    }
    return m_pDocTemplate->OpenDocumentFile(full);
}

void COrvikCadApp::OnFileOpen()
{
    platform::FileRequest req;
    req.filter = QStringLiteral("OrvikCAD Files (*.orv)|*.orv|全てのファイル (*.*)|*.*||");
    req.defaultExt = QStringLiteral("orv");
    platform::FileChoice choice = platform::chooseOpenFile(req, m_pMainWnd);
    if (choice) {
        OpenDocumentFile(choice.path);
    }
}

QString ImportedDocumentPath(const QString& folder, const QString& fileName, const QString& ext)
{
    QString name;
    name.reserve(fileName.size());
    for (QChar c : fileName) {
        name.append(c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 'a' + 'A') : c);
    }
    // Only the extension that ends the name goes: "A.DXFDATA.DXF" keeps its
    // middle part.
    if (name.endsWith(ext)) {
        name.chop(ext.size());
    }
    name += QStringLiteral(".ORV");
    return QDir(folder).filePath(name);
}

namespace {

struct ImportKindText {
    const char* filter;
    const char* title;
    const char* ext;
    const char* format;
};

const ImportKindText& TextsOf(ImportKind kind)
{
    static const ImportKindText kinds[] = {
        {"ＤＸＦファイル (*.DXF)|*.DXF|全てのファイル (*.*)|*.*||", "ＤＸＦファイル指定", ".DXF", "DXF"},
        {"ＪＷＣファイル (*.JWC)|*.JWC|全てのファイル (*.*)|*.*||", "ＪＷ-ＣＡＤ形式ファイル指定", ".JWC", "JWC"},
        {"ＪＷＷファイル (*.JWW)|*.JWW|全てのファイル (*.*)|*.*||", "ＪＷＷファイル指定", ".JWW", "JWW"},
    };
    return kinds[int(kind)];
}

ImportReader& ReaderSlot(ImportKind kind)
{
    static ImportReader readers[3];
    return readers[int(kind)];
}

void TellFormatNotReadable(ImportKind kind, QWidget* parent)
{
    platform::messageBox(QStringLiteral("%1 形式のファイルはまだ読み込めません。").arg(QLatin1String(TextsOf(kind).format)),
                         QString(), MB_OK | MB_ICONEXCLAMATION, parent);
}

} // namespace

void COrvikCadApp::SetImportReader(ImportKind kind, ImportReader reader)
{
    ReaderSlot(kind) = std::move(reader);
}

const ImportReader& COrvikCadApp::GetImportReader(ImportKind kind)
{
    return ReaderSlot(kind);
}

CChildFrame* COrvikCadApp::ImportDocumentFile(const QString& file, ImportKind kind, const ImportReader& reader)
{
    if (!reader) {
        TellFormatNotReadable(kind, m_pMainWnd);
        return nullptr;
    }
    const QFileInfo info(file);
    if (!info.isFile()) {
        platform::messageBox(QStringLiteral("%1\nはファイルではないため開けません。").arg(info.absoluteFilePath()),
                             QString(), MB_OK | MB_ICONEXCLAMATION, m_pMainWnd);
        return nullptr;
    }
    // Read aside first: a refused file opens no window and leaves no name
    // a later save could write beside the user's file.
    ForeignDrawing read;
    if (!reader(std::filesystem::path(QFile::encodeName(info.absoluteFilePath()).toStdString()), read)) {
        return nullptr;
    }
    CChildFrame* frame = m_pDocTemplate ? m_pDocTemplate->OpenBuiltDocument([&read](CDocument& built) {
        auto* drawing = dynamic_cast<CDrawingDocument*>(&built);
        if (!drawing) {
            return false;
        }
        drawing->Drawing().BuildFromForeign(read);
        return true;
    })
                                        : nullptr;
    auto* doc = frame ? dynamic_cast<CDrawingDocument*>(frame->GetActiveDocument()) : nullptr;
    if (!doc) {
        delete frame;
        return nullptr;
    }
    const QString native =
        ImportedDocumentPath(info.absolutePath(), info.fileName(), QString::fromUtf8(TextsOf(kind).ext));
    // Whatever the format, the drawing is named beside its source and a plain
    // save writes there, asking first when that name is taken.
    doc->SetImportedPathName(native);
    // What the file held that the drawing could not take, once it is open.
    if (!read.report.empty()) {
        platform::messageBox(QString::fromStdString(read.report), QString(), MB_OK | MB_ICONINFORMATION, m_pMainWnd);
    }
    return frame;
}

void COrvikCadApp::OpenForeignFile(ImportKind kind)
{
    const ImportReader& reader = GetImportReader(kind);
    if (!reader) {
        TellFormatNotReadable(kind, m_pMainWnd);
        return;
    }
    const ImportKindText& k = TextsOf(kind);
    platform::FileRequest req;
    req.filter = QString::fromUtf8(k.filter);
    req.title = QString::fromUtf8(k.title);
    platform::FileChoice choice = platform::chooseOpenFile(req, m_pMainWnd);
    if (!choice) {
        return;
    }
    ImportDocumentFile(choice.path, kind, reader);
}

void COrvikCadApp::OnFileOpenDxf()
{
    OpenForeignFile(ImportKind::Dxf);
}

void COrvikCadApp::OnFileOpenJwc()
{
    OpenForeignFile(ImportKind::Jwc);
}

void COrvikCadApp::OnFileOpenJww()
{
    OpenForeignFile(ImportKind::Jww);
}

void COrvikCadApp::OnAppAbout()
{
    CAboutDlg dlg(m_pMainWnd);
    dlg.DoModal();
}

CParameterBlock COrvikCadApp::InitialSettingsDefaults()
{
    CParameterBlock record;
    record.PaletteLeft = 0;
    record.PaletteTop = 0;
    record.LayerListLeft = 100;
    record.LayerListTop = 100;
    record.LayerListWidth = 100;
    record.LayerListHeight = 100;
    record.PenColors[7] = 0xFFFFFF;
    const std::string_view folder = Cp932Fit(PartsFolder, MaxPartsFolderBytes);
    std::copy(folder.begin(), folder.end(), record.PartsFolder.begin());
    return record;
}

void COrvikCadApp::OnInitialSettings()
{
    CParameterBlock record = InitialSettingsDefaults();
    ReadSettingsFile(record);
    const CParameterBlock before = record;
    if (!TheDocumentHost || !TheDocumentHost->RunInitialSettingsDialog(record))
        return;
    KeepWindowPositions(record, before);
    if (WriteSettingsFile(record))
        TheDocumentHost->ReloadPenColors();
}

int PrintableMillimetres(int pixels, int dotsPerInch)
{
    if (dotsPerInch <= 0) {
        return 0;
    }
    return int(pixels / (dotsPerInch / 25.4));
}

bool COrvikCadApp::GetPrinterPageSize(int& widthMm, int& heightMm) const
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return false; // no printer: the caller keeps to the paper table
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageOrientation(m_nPrinterOrientation ? QPageLayout::Portrait : QPageLayout::Landscape);
    QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    widthMm = PrintableMillimetres(page.width(), printer.logicalDpiX());
    heightMm = PrintableMillimetres(page.height(), printer.logicalDpiY());
    return true;
}

void COrvikCadApp::SetPrinterOrientation(int orientation)
{
    m_nPrinterOrientation = orientation ? 1 : 0;
}

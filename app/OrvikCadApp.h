#pragma once
// The application object: gives the process-wide settings their start values,
// sets up the data folder, the document template and the main frame, opens
// the files named on the command line, removes the splash window at the first
// key press or click, and handles the application's own commands.

#include "view/CmdTarget.h"
#include "app/MainFrame.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class CMultiDocTemplate;
class CParameterBlock;
class CChildFrame;
class COrvikCadDoc;
struct ForeignDrawing;
class QObject;

// The foreign drawing formats the open commands import.
enum class ImportKind { Dxf, Jwc, Jww };

// Reads a foreign drawing file aside; the new drawing is built from what
// it read (COrvikCadDoc::BuildFromForeign). False when the file is refused;
// the reader has told the user why.
using ImportReader = std::function<bool(const std::filesystem::path& file, ForeignDrawing& read)>;

class COrvikCadApp : public CCmdTarget {
public:
    COrvikCadApp();
    ~COrvikCadApp() override;

    // Start-up; args are the command-line arguments without the program name.
    // False when start-up failed.
    bool InitInstance(const QStringList& args);
    // Closes the main frame and every drawing (also used between tests).
    void ExitInstance();
    // After a print request on the command line (/p FILE, or /pt FILE
    // PRINTER [DRIVER PORT]): the program's exit status, the job done; no
    // request: nothing (the program runs as usual).
    std::optional<int> ShellPrintResult() const { return m_shellPrintResult; }

    CMainFrame* m_pMainWnd = nullptr;
    CMultiDocTemplate* DocTemplate() const { return m_pDocTemplate.get(); }

    // A new drawing (the drawing-information dialog first); null when cancelled.
    CChildFrame* OnFileNew();
    // Opens path in a new drawing window; null when it could not be opened.
    CChildFrame* OpenDocumentFile(const QString& path);

    void OnFileOpen();
    // Opens file as a new drawing read by reader and named after the file
    // (upper case, ext cut, ".ORV"; not a recent file). Null, with no window
    // and no path left behind, when the file is not a regular file, reader
    // is empty (the format cannot be read yet) or the reader refused it.
    CChildFrame* ImportDocumentFile(const QString& file, ImportKind kind, const ImportReader& reader);
    // The reader each open command uses; none until the format's reader exists.
    static void SetImportReader(ImportKind kind, ImportReader reader);
    static const ImportReader& GetImportReader(ImportKind kind);

    void OnFileOpenDxf();
    void OnFileOpenJwc();
    void OnFileOpenJww();
    void OnAppAbout();
    // The settings command while no drawing is open: the settings file (or
    // its own defaults when there is none) edited in the settings dialog and
    // written back with the window positions it had; then the size bar
    // reloads its pens. The running program and open drawings keep their
    // settings.
    void OnInitialSettings();
    // What that command edits when there is no settings file.
    static CParameterBlock InitialSettingsDefaults();

    // Printable size of the default printer in whole millimetres; false when
    // there is no printer (an ordinary state: callers use the paper table).
    bool GetPrinterPageSize(int& widthMm, int& heightMm) const;
    // 0 landscape, nonzero portrait.
    void SetPrinterOrientation(int orientation);
    int PrinterOrientation() const { return m_nPrinterOrientation; }

    // Removes the splash window when event is a key press or click; true
    // when the event is consumed.
    bool PreTranslateMessage(QObject* target, QEvent* event);

private:
    void OpenForeignFile(ImportKind kind);
    // Prints file on the application's printer (or the printer named)
    // without a dialog; the exit status.
    int PrintFromShell(const QString& file, const QString& printerName);
    // Lets the frame come up and paint before files named at the start are read.
    void ShowBeforeReading();

    std::optional<int> m_shellPrintResult;
    void SetProcessWideStartValues();

    std::unique_ptr<CMultiDocTemplate> m_pDocTemplate;
    std::unique_ptr<QObject> m_pMessageFilter;
    int m_nPrinterOrientation = 0;
};

// The application object (made on first use).
COrvikCadApp& AfxGetApp();

// Printable millimetres of a page of pixels at dotsPerInch, truncated.
int PrintableMillimetres(int pixels, int dotsPerInch);

// The native path an imported file is saved under: its name in upper case,
// cut at the first occurrence of ext (".DXF", ".JWC", ".JWW"), with ".ORV",
// in folder.
QString ImportedDocumentPath(const QString& folder, const QString& fileName, const QString& ext);

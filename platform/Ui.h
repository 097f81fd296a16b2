#pragma once
// User-interface services: message boxes, beeps, modal dialogs and the common
// choosers (file, folder, colour, font).
//
// Everything outside platform/ asks for these through the functions below,
// never through QMessageBox, QDialog::exec or the Qt choosers directly, so
// that a test can install a UiScript (platform/UiScript.h) that answers each
// request in turn and records what was shown.
//
// Message-box flags and results are the framework's numbers from
// model/Notify.h (MB_YESNO | MB_ICONQUESTION -> IDYES / IDNO ...).

#include "model/Notify.h"

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace platform {

// A file chooser request. `filter` may be given in the framework's form
// ("Drawing (*.orv)|*.orv|All files (*.*)|*.*||") or in Qt's form
// ("Drawing (*.orv);;All files (*)").
struct FileRequest {
    QString title;        // window title; empty: the default title
    QString filter;
    int filterIndex = 0;  // filter shown first (0-based)
    QString initialName;  // file name (or full path) proposed
    QString defaultExt;   // without the dot; for a saved name without one, when the filter gives none
    QString initialDir;   // folder shown first
};

struct FileChoice {
    bool ok = false;      // false: the user cancelled
    QString path;         // absolute path chosen
    int filterIndex = 0;  // filter in use when the user chose (0-based)
    explicit operator bool() const { return ok; }
};

// One item of a context menu: a command id and its text; id 0 is a
// separator.
struct PopupItem {
    unsigned id = 0;
    QString text;
};

// What a backend answers. The real one shows Qt dialogs; UiScript answers
// from a script. Install with setUiBackend.
class UiBackend {
public:
    virtual ~UiBackend() = default;
    virtual int messageBox(QWidget* parent, const QString& text, const QString& caption, unsigned flags) = 0;
    virtual void beep(unsigned type) = 0;
    // Runs dialog modally; returns its result as IDOK / IDCANCEL or the code
    // the dialog finished with.
    virtual int runDialog(QDialog& dialog) = 0;
    virtual FileChoice chooseFile(QWidget* parent, const FileRequest& request, bool save) = 0;
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& initialDir) = 0;
    virtual std::optional<std::uint32_t> chooseColor(QWidget* parent, std::uint32_t initial) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    // Shows a context menu at a screen point until the user picks an item or
    // dismisses it; the command id picked, 0 for none.
    virtual unsigned trackPopupMenu(QWidget* parent, const std::vector<PopupItem>& items, int screenX,
                                    int screenY) = 0;
};

// The Qt backend, used unless something else is installed.
UiBackend& qtUiBackend();
// The backend in use; never null.
UiBackend& uiBackend();
// Installs b (null restores the Qt backend); returns the previous one (null
// if it was the Qt backend).
UiBackend* setUiBackend(UiBackend* b);

// Shows a message box; returns the button pressed (IDOK, IDCANCEL, IDYES,
// IDNO, IDABORT, IDRETRY, IDIGNORE). Empty caption: "OrvikCAD".
// parent null: the active window.
int messageBox(const QString& text, const QString& caption = QString(), unsigned flags = MB_OK,
               QWidget* parent = nullptr);
// Beeps; type is 0, 0xFFFFFFFF or an MB_ICON* value.
void beep(unsigned type = 0);
// Runs a dialog modally. Returns IDOK when it was accepted, IDCANCEL when it
// was rejected or closed, or the code passed to QDialog::done otherwise.
int runDialog(QDialog& dialog);

// File choosers. A saved name without an extension gets the extension of the
// filter chosen when it names exactly one ("*.png"), else request.defaultExt.
FileChoice chooseOpenFile(const FileRequest& request, QWidget* parent = nullptr);
FileChoice chooseSaveFile(const FileRequest& request, QWidget* parent = nullptr);
std::optional<QString> chooseFolder(const QString& title, const QString& initialDir = QString(),
                                    QWidget* parent = nullptr);
// Colours are COLORREF values, 0x00BBGGRR.
std::optional<std::uint32_t> chooseColor(std::uint32_t initial, QWidget* parent = nullptr);
// The same with the sixteen custom colours the chooser offers: they go in,
// and come back as the user left them.
std::optional<std::uint32_t> chooseColor(std::uint32_t initial, std::array<std::uint32_t, 16>& customColors,
                                         QWidget* parent = nullptr);
std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent = nullptr);
// A context menu at a screen point (left-aligned there); the command id
// picked, 0 when it was dismissed.
unsigned trackPopupMenu(const std::vector<PopupItem>& items, int screenX, int screenY, QWidget* parent = nullptr);

// A framework-style filter ("a|*.x|b|*.y;*.z||") in Qt's form, each text
// followed by its patterns in both cases (the file dialog hides them and shows
// the text as written); a Qt filter comes back unchanged.
QString qtFileFilter(const QString& filter);
// The one extension (without the dot) that filter number index of a
// framework-style or Qt filter names; empty for "*.*", several patterns or
// no such filter.
QString filterExtension(const QString& filter, int index);

// Routes the model's ShowMessage / MessageBeep (model/Notify.h) through the
// backend in use. The application calls this once at start-up.
void installUiNotifier();

} // namespace platform

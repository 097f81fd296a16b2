#include "platform/Ui.h"
#include "platform/FileChooser.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMenu>
#include <QAction>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QWidget* ownerOr(QWidget* parent)
{
    return parent ? parent : QApplication::activeWindow();
}

// The file chooser's list as the rest of the program speaks: the dates in
// Japanese whatever the user's locale (Qt formats them in the system's).
class JapaneseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.column() == 3) {
            if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel())) {
                const QDateTime modified = files->lastModified(mapToSource(index));
                if (modified.isValid())
                    return QLocale(QLocale::Japanese, QLocale::Japan).toString(modified, QLocale::ShortFormat);
            }
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// The folder of the last file or folder chosen, where the next chooser that
// names none opens.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

FileRequest inLastFolder(const FileRequest& request)
{
    FileRequest r = request;
    if (r.initialDir.isEmpty() && !QFileInfo(r.initialName).isAbsolute())
        r.initialDir = lastFolder();
    return r;
}

struct ButtonSpec {
    int id;
    const char* text;
    QMessageBox::ButtonRole role;
};

// The buttons of each MB_* button set, in the order they are shown.
std::vector<ButtonSpec> buttonsFor(unsigned flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        return {{IDOK, "OK", QMessageBox::AcceptRole}, {IDCANCEL, "キャンセル", QMessageBox::RejectRole}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "中止(&A)", QMessageBox::RejectRole},
                {IDRETRY, "再試行(&R)", QMessageBox::AcceptRole},
                {IDIGNORE, "無視(&I)", QMessageBox::AcceptRole}};
    case MB_YESNOCANCEL:
        return {{IDYES, "はい(&Y)", QMessageBox::YesRole},
                {IDNO, "いいえ(&N)", QMessageBox::NoRole},
                {IDCANCEL, "キャンセル", QMessageBox::RejectRole}};
    case MB_YESNO:
        return {{IDYES, "はい(&Y)", QMessageBox::YesRole}, {IDNO, "いいえ(&N)", QMessageBox::NoRole}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "再試行(&R)", QMessageBox::AcceptRole}, {IDCANCEL, "キャンセル", QMessageBox::RejectRole}};
    default:
        return {{IDOK, "OK", QMessageBox::AcceptRole}};
    }
}

QMessageBox::Icon iconFor(unsigned flags)
{
    switch (flags & 0xF0) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

class QtUiBackend : public UiBackend {
public:
    int messageBox(QWidget* parent, const QString& text, const QString& caption, unsigned flags) override
    {
        QMessageBox box(iconFor(flags), caption, text, QMessageBox::NoButton, parent);
        std::vector<ButtonSpec> specs = buttonsFor(flags);
        std::vector<QPushButton*> buttons;
        for (const ButtonSpec& s : specs) {
            buttons.push_back(box.addButton(QString::fromUtf8(s.text), s.role));
        }
        unsigned def = (flags & 0xF00) >> 8;
        box.setDefaultButton(buttons[def < buttons.size() ? def : 0]);
        // Escape answers Cancel where there is one, OK for a lone OK button,
        // and nothing otherwise (Yes/No and Abort/Retry/Ignore must be chosen).
        for (size_t i = 0; i < specs.size(); ++i) {
            if (specs[i].id == IDCANCEL || (specs.size() == 1 && specs[i].id == IDOK)) {
                box.setEscapeButton(buttons[i]);
            }
        }
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i] == clicked) {
                return specs[i].id;
            }
        }
        // Closed without a button: the framework answers Cancel, or OK when
        // there is only OK.
        return specs.size() == 1 ? IDOK : IDCANCEL;
    }

    void beep(unsigned) override { QApplication::beep(); }

    int runDialog(QDialog& dialog) override { return dialog.exec(); }

    FileChoice chooseFile(QWidget* parent, const FileRequest& request, bool save) override
    {
        QFileDialog dlg(parent, request.title);
        prepareFileDialog(dlg, request, save);
        FileChoice choice;
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
            return choice;
        }
        choice.ok = true;
        choice.path = dlg.selectedFiles().first();
        const QString filter = qtFileFilter(request.filter);
        const QStringList filters = filter.isEmpty() ? QStringList() : filter.split(QStringLiteral(";;"));
        choice.filterIndex = std::max(0, static_cast<int>(filters.indexOf(dlg.selectedNameFilter())));
        return choice;
    }

    std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& initialDir) override
    {
        QString dir = QFileDialog::getExistingDirectory(parent, title, initialDir);
        if (dir.isEmpty()) {
            return std::nullopt;
        }
        return dir;
    }

    std::optional<std::uint32_t> chooseColor(QWidget* parent, std::uint32_t initial) override
    {
        QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
        QColor c = QColorDialog::getColor(start, parent);
        if (!c.isValid()) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
               (static_cast<std::uint32_t>(c.blue()) << 16);
    }

    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override
    {
        bool ok = false;
        QFont f = QFontDialog::getFont(&ok, initial, parent);
        if (!ok) {
            return std::nullopt;
        }
        return f;
    }

    unsigned trackPopupMenu(QWidget* parent, const std::vector<PopupItem>& items, int screenX, int screenY) override
    {
        QMenu menu(parent);
        for (const PopupItem& item : items) {
            if (item.id == 0) {
                menu.addSeparator();
                continue;
            }
            QAction* action = menu.addAction(item.text);
            action->setData(item.id);
        }
        QAction* chosen = menu.exec(QPoint(screenX, screenY));
        return chosen ? chosen->data().toUInt() : 0;
    }
};

QtUiBackend qtBackend;
UiBackend* currentBackend = &qtBackend;

class UiNotifier : public Notifier {
public:
    int MessageBox(std::string_view text, std::string_view caption, unsigned flags) override
    {
        return platform::messageBox(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                    QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                                    flags);
    }
    void MessageBeep(unsigned type) override { platform::beep(type); }
};

UiNotifier uiNotifier;

} // namespace

void prepareFileDialog(QFileDialog& dlg, const FileRequest& request, bool save)
{
    // Qt's own chooser, not the desktop's, so that its texts follow the
    // program's language.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setProxyModel(new JapaneseFileColumns(&dlg));
    if (!request.title.isEmpty())
        dlg.setWindowTitle(request.title);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString filter = qtFileFilter(request.filter);
    const QStringList filters = filter.isEmpty() ? QStringList() : filter.split(QStringLiteral(";;"));
    if (request.filter.contains(u'|')) {
        dlg.setOption(QFileDialog::HideNameFilterDetails);
    }
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        if (request.filterIndex >= 0 && request.filterIndex < filters.size()) {
            dlg.selectNameFilter(filters[request.filterIndex]);
        }
    }
    if (!request.initialDir.isEmpty()) {
        dlg.setDirectory(request.initialDir);
    }
    if (!request.initialName.isEmpty()) {
        dlg.selectFile(request.initialName);
    }
}

void forgetLastFolder()
{
    lastFolder().clear();
}

UiBackend& qtUiBackend()
{
    return qtBackend;
}

UiBackend& uiBackend()
{
    return *currentBackend;
}

UiBackend* setUiBackend(UiBackend* b)
{
    UiBackend* previous = currentBackend == &qtBackend ? nullptr : currentBackend;
    currentBackend = b ? b : &qtBackend;
    return previous;
}

int messageBox(const QString& text, const QString& caption, unsigned flags, QWidget* parent)
{
    return currentBackend->messageBox(ownerOr(parent), text,
                                      caption.isEmpty() ? QStringLiteral("OrvikCAD") : caption, flags);
}

void beep(unsigned type)
{
    currentBackend->beep(type);
}

int runDialog(QDialog& dialog)
{
    int r = currentBackend->runDialog(dialog);
    if (r == QDialog::Rejected) {
        return IDCANCEL;
    }
    return r; // QDialog::Accepted is IDOK
}

FileChoice chooseOpenFile(const FileRequest& request, QWidget* parent)
{
    FileChoice c = currentBackend->chooseFile(ownerOr(parent), inLastFolder(request), false);
    if (c.ok)
        lastFolder() = QFileInfo(c.path).absolutePath();
    return c;
}

QString filterExtension(const QString& filter, int index)
{
    QString patterns;
    if (filter.contains(u'|')) {
        const QStringList parts = filter.split(u'|');
        const qsizetype at = 2 * qsizetype(index) + 1;
        if (index < 0 || at >= parts.size()) {
            return QString();
        }
        patterns = parts[at];
    } else {
        const QStringList items = filter.split(QStringLiteral(";;"));
        if (index < 0 || index >= items.size()) {
            return QString();
        }
        const QString& item = items[index];
        const qsizetype open = item.lastIndexOf(u'('), close = item.lastIndexOf(u')');
        if (open < 0 || close < open) {
            return QString();
        }
        patterns = item.mid(open + 1, close - open - 1);
    }
    patterns.replace(u';', u' ');
    const QStringList each = patterns.simplified().split(u' ', Qt::SkipEmptyParts);
    if (each.size() != 1 || !each[0].startsWith(QStringLiteral("*."))) {
        return QString();
    }
    const QString ext = each[0].mid(2);
    for (QChar c : ext) {
        if (c == u'*' || c == u'?' || c == u'.' || c == u'[') {
            return QString();
        }
    }
    return ext;
}

FileChoice chooseSaveFile(const FileRequest& request, QWidget* parent)
{
    FileChoice c = currentBackend->chooseFile(ownerOr(parent), inLastFolder(request), true);
    if (c.ok)
        lastFolder() = QFileInfo(c.path).absolutePath();
    if (c.ok && QFileInfo(c.path).suffix().isEmpty()) {
        // A name without an extension takes the chosen filter's, or the
        // request's default where the filter names no single one.
        QString ext = filterExtension(request.filter, c.filterIndex);
        if (ext.isEmpty()) {
            ext = request.defaultExt.startsWith(u'.') ? request.defaultExt.mid(1) : request.defaultExt;
        }
        if (!ext.isEmpty()) {
            if (!c.path.endsWith(u'.')) {
                c.path += u'.';
            }
            c.path += ext;
        }
    }
    return c;
}

std::optional<QString> chooseFolder(const QString& title, const QString& initialDir, QWidget* parent)
{
    std::optional<QString> chosen =
        currentBackend->chooseFolder(ownerOr(parent), title, initialDir.isEmpty() ? lastFolder() : initialDir);
    if (chosen)
        lastFolder() = QDir(*chosen).absolutePath();
    return chosen;
}

std::optional<std::uint32_t> chooseColor(std::uint32_t initial, QWidget* parent)
{
    return currentBackend->chooseColor(ownerOr(parent), initial);
}

std::optional<std::uint32_t> chooseColor(std::uint32_t initial, std::array<std::uint32_t, 16>& customColors,
                                         QWidget* parent)
{
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t c = customColors[i];
        QColorDialog::setCustomColor(i, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
    std::optional<std::uint32_t> chosen = chooseColor(initial, parent);
    for (int i = 0; i < 16; ++i) {
        const QColor c = QColorDialog::customColor(i);
        customColors[i] = static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
                          (static_cast<std::uint32_t>(c.blue()) << 16);
    }
    return chosen;
}

unsigned trackPopupMenu(const std::vector<PopupItem>& items, int screenX, int screenY, QWidget* parent)
{
    return currentBackend->trackPopupMenu(ownerOr(parent), items, screenX, screenY);
}

std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent)
{
    return currentBackend->chooseFont(ownerOr(parent), initial);
}

QString qtFileFilter(const QString& filter)
{
    if (!filter.contains(u'|')) {
        return filter;
    }
    QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i].trimmed();
        QString patterns = parts[i + 1];
        if (desc.isEmpty() && patterns.isEmpty()) {
            break;
        }
        patterns.replace(u';', u' ');
        // File names on Linux are case-sensitive, the filters were written
        // for a system where they are not: match either case. "*.*" means
        // every file, with or without a dot.
        QStringList each;
        for (const QString& p : patterns.simplified().split(u' ', Qt::SkipEmptyParts)) {
            for (const QString& v : {p == QStringLiteral("*.*") ? QStringLiteral("*") : p, p.toLower(), p.toUpper()}) {
                if (!each.contains(v) && !(v == QStringLiteral("*.*"))) {
                    each << v;
                }
            }
        }
        // Qt reads the patterns from the parentheses at the end; the dialog
        // hides them and shows the text as written.
        out << desc + QStringLiteral(" (") + each.join(u' ') + u')';
    }
    return out.join(QStringLiteral(";;"));
}

void installUiNotifier()
{
    SetNotifier(&uiNotifier);
}

} // namespace platform

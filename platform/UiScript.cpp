#include "platform/UiScript.h"

#include <QApplication>
#include <QDialog>

namespace platform {

const char* uiKindName(UiKind kind)
{
    switch (kind) {
    case UiKind::MessageBox: return "message box";
    case UiKind::Beep: return "beep";
    case UiKind::Dialog: return "dialog";
    case UiKind::OpenFile: return "open-file chooser";
    case UiKind::SaveFile: return "save-file chooser";
    case UiKind::Folder: return "folder chooser";
    case UiKind::Color: return "colour chooser";
    case UiKind::Font: return "font chooser";
    case UiKind::Menu: return "context menu";
    }
    return "?";
}

UiScript::UiScript() : previous_(setUiBackend(this)) {}

UiScript::~UiScript()
{
    setUiBackend(previous_);
}

UiScript& UiScript::button(int id)
{
    answers_.push_back({AnswerKind::Button, id, {}, {}, {}, {}});
    return *this;
}

UiScript& UiScript::dialog(int result)
{
    answers_.push_back({AnswerKind::DialogResult, result, {}, {}, {}, {}});
    return *this;
}

UiScript& UiScript::dialog(std::function<void(QDialog&)> fill)
{
    answers_.push_back({AnswerKind::DialogFill, 0, {}, {}, std::move(fill), {}});
    return *this;
}

UiScript& UiScript::dialogReturning(std::function<int(QDialog&)> fill)
{
    answers_.push_back({AnswerKind::DialogReturning, 0, {}, {}, {}, std::move(fill)});
    return *this;
}

UiScript& UiScript::path(const QString& chosen, int filterIndex)
{
    answers_.push_back({AnswerKind::Path, filterIndex, chosen, {}, {}, {}});
    return *this;
}

UiScript& UiScript::cancel()
{
    answers_.push_back({AnswerKind::Cancel, 0, {}, {}, {}, {}});
    return *this;
}

UiScript& UiScript::color(std::uint32_t colorref)
{
    answers_.push_back({AnswerKind::Color, static_cast<int>(colorref), {}, {}, {}, {}});
    return *this;
}

UiScript& UiScript::font(const QFont& f)
{
    answers_.push_back({AnswerKind::Font, 0, {}, f, {}, {}});
    return *this;
}

UiScript& UiScript::menu(unsigned id)
{
    answers_.push_back({AnswerKind::Menu, static_cast<int>(id), {}, {}, {}, {}});
    return *this;
}

std::vector<UiScript::Call> UiScript::calls(UiKind kind) const
{
    std::vector<Call> out;
    for (const Call& c : calls_) {
        if (c.kind == kind) {
            out.push_back(c);
        }
    }
    return out;
}

QStringList UiScript::messages() const
{
    QStringList out;
    for (const Call& c : calls_) {
        if (c.kind == UiKind::MessageBox) {
            out << c.text;
        }
    }
    return out;
}

int UiScript::beeps() const
{
    return static_cast<int>(calls(UiKind::Beep).size());
}

void UiScript::clear()
{
    answers_.clear();
    calls_.clear();
    problems_.clear();
}

std::optional<UiScript::Answer> UiScript::next(std::initializer_list<AnswerKind> fits, const QString& what)
{
    if (answers_.empty()) {
        problems_ << QStringLiteral("no answer left for %1").arg(what);
        return std::nullopt;
    }
    for (AnswerKind k : fits) {
        if (answers_.front().kind == k) {
            Answer a = std::move(answers_.front());
            answers_.pop_front();
            return a;
        }
    }
    problems_ << QStringLiteral("the next answer does not fit %1").arg(what);
    return std::nullopt;
}

int UiScript::messageBox(QWidget*, const QString& text, const QString& caption, unsigned flags)
{
    // Record first so that the order of calls matches the order of requests.
    size_t index = calls_.size();
    calls_.push_back({UiKind::MessageBox, caption, text, flags, 0, {}});
    std::optional<Answer> a = next({AnswerKind::Button}, QStringLiteral("message box \"%1\"").arg(text));
    int result;
    if (a) {
        result = a->value;
    } else {
        // The default button of the set.
        static const int firsts[] = {IDOK, IDOK, IDABORT, IDYES, IDYES, IDRETRY};
        static const int seconds[] = {IDOK, IDCANCEL, IDRETRY, IDNO, IDNO, IDCANCEL};
        unsigned set = flags & 0x0F;
        if (set > 5) {
            set = 0;
        }
        result = (flags & MB_DEFBUTTON2) ? seconds[set] : firsts[set];
    }
    calls_[index].result = result;
    return result;
}

void UiScript::beep(unsigned type)
{
    calls_.push_back({UiKind::Beep, {}, {}, type, 0, {}});
}

int UiScript::runDialog(QDialog& dialog)
{
    size_t index = calls_.size();
    calls_.push_back({UiKind::Dialog, dialog.windowTitle(), QString::fromLatin1(dialog.metaObject()->className()), 0,
                      0, {}});
    QString what = QStringLiteral("dialog %1").arg(calls_[index].text);
    std::optional<Answer> a =
        next({AnswerKind::DialogResult, AnswerKind::DialogFill, AnswerKind::DialogReturning}, what);

    bool finished = false;
    int finishedWith = QDialog::Rejected;
    QMetaObject::Connection conn = QObject::connect(&dialog, &QDialog::finished, [&](int r) {
        finished = true;
        finishedWith = r;
    });
    // Shown as exec would show it, so that whatever the dialog does when it
    // appears has been done before the script looks at it.
    dialog.show();
    QApplication::sendPostedEvents();

    int result = QDialog::Rejected;
    if (!a) {
        dialog.reject();
    } else if (a->kind == AnswerKind::DialogReturning) {
        result = a->fillReturning(dialog);
        if (!finished) {
            dialog.done(result);
        }
        finished = true;
        finishedWith = result;
    } else {
        if (a->kind == AnswerKind::DialogFill) {
            a->fill(dialog);
        } else if (a->value == IDOK) {
            dialog.accept();
        } else if (a->value == IDCANCEL) {
            dialog.reject();
        } else {
            dialog.done(a->value);
        }
        if (!finished) {
            problems_ << QStringLiteral("%1 was still open after its answer").arg(what);
            dialog.reject();
        }
    }
    QObject::disconnect(conn);
    if (dialog.isVisible()) {
        dialog.hide();
    }
    result = finished ? finishedWith : QDialog::Rejected;
    calls_[index].result = result == QDialog::Rejected ? IDCANCEL : result;
    return result;
}

FileChoice UiScript::chooseFile(QWidget*, const FileRequest& request, bool save)
{
    size_t index = calls_.size();
    calls_.push_back({save ? UiKind::SaveFile : UiKind::OpenFile, request.title, request.filter, 0, 0, {}});
    std::optional<Answer> a = next({AnswerKind::Path, AnswerKind::Cancel},
                                   QString::fromLatin1(uiKindName(calls_[index].kind)));
    FileChoice c;
    if (a && a->kind == AnswerKind::Path) {
        c.ok = true;
        c.path = a->path;
        c.filterIndex = a->value;
        calls_[index].result = 1;
        calls_[index].answer = a->path;
    }
    return c;
}

std::optional<QString> UiScript::chooseFolder(QWidget*, const QString& title, const QString& initialDir)
{
    size_t index = calls_.size();
    calls_.push_back({UiKind::Folder, title, initialDir, 0, 0, {}});
    std::optional<Answer> a = next({AnswerKind::Path, AnswerKind::Cancel}, QStringLiteral("folder chooser"));
    if (a && a->kind == AnswerKind::Path) {
        calls_[index].result = 1;
        calls_[index].answer = a->path;
        return a->path;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> UiScript::chooseColor(QWidget*, std::uint32_t initial)
{
    size_t index = calls_.size();
    calls_.push_back({UiKind::Color, {}, {}, initial, 0, {}});
    std::optional<Answer> a = next({AnswerKind::Color, AnswerKind::Cancel}, QStringLiteral("colour chooser"));
    if (a && a->kind == AnswerKind::Color) {
        calls_[index].result = 1;
        return static_cast<std::uint32_t>(a->value);
    }
    return std::nullopt;
}

std::optional<QFont> UiScript::chooseFont(QWidget*, const QFont& initial)
{
    size_t index = calls_.size();
    calls_.push_back({UiKind::Font, {}, initial.family(), 0, 0, {}});
    std::optional<Answer> a = next({AnswerKind::Font, AnswerKind::Cancel}, QStringLiteral("font chooser"));
    if (a && a->kind == AnswerKind::Font) {
        calls_[index].result = 1;
        return a->font;
    }
    return std::nullopt;
}

unsigned UiScript::trackPopupMenu(QWidget*, const std::vector<PopupItem>& items, int, int)
{
    QStringList texts;
    for (const PopupItem& item : items)
        texts << (item.id == 0 ? QStringLiteral("-") : item.text);
    size_t index = calls_.size();
    calls_.push_back({UiKind::Menu, {}, texts.join(QLatin1Char('|')), 0, 0, {}});
    std::optional<Answer> a = next({AnswerKind::Menu}, QStringLiteral("context menu"));
    const unsigned id = a ? static_cast<unsigned>(a->value) : 0;
    calls_[index].result = static_cast<int>(id);
    return id;
}

} // namespace platform

#pragma once
// A UiBackend for tests: answers each user-interface request from a script,
// in order, and records every request with its exact text.
//
//     platform::UiScript ui;                 // installed until it goes away
//     ui.button(IDYES).path("/tmp/a.orv").dialog([](QDialog& d) {
//         platform::control<QLineEdit>(&d, 1156)->setText("12");
//         d.accept();
//     });
//     ... run the code under test ...
//     EXPECT_EQ(ui.messages(), QStringList{"..."});
//     EXPECT_TRUE(ui.problems().isEmpty());
//
// A request for which the next answer does not fit (or no answer is left)
// is answered with a safe default (the default button; cancel for choosers
// and dialogs) and noted in problems().

#include "platform/Ui.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace platform {

enum class UiKind { MessageBox, Beep, Dialog, OpenFile, SaveFile, Folder, Color, Font, Menu };

class UiScript : public UiBackend {
public:
    struct Call {
        UiKind kind;
        QString caption;   // message-box caption, dialog or chooser title
        QString text;      // message text; dialog class name; chooser filter
        unsigned flags = 0;   // message-box flags, beep type
        int result = 0;       // the answer given (button or dialog result; 1/0 for choosers)
        QString answer;       // the path given to a chooser
    };

    UiScript();
    ~UiScript() override;
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    // Answers, consumed in order.
    UiScript& button(int id);                                 // next message box
    UiScript& dialog(int result);                             // next modal dialog ends with result
    UiScript& dialog(std::function<void(QDialog&)> fill);     // fills the dialog and presses a button
    UiScript& dialogReturning(std::function<int(QDialog&)> fill); // fills and returns the result itself
    UiScript& path(const QString& chosen, int filterIndex = 0); // next file or folder chooser
    UiScript& cancel();                                       // next chooser is cancelled
    UiScript& color(std::uint32_t colorref);                  // next colour chooser
    UiScript& font(const QFont& f);                           // next font chooser
    UiScript& menu(unsigned id);                              // next context menu: the item picked (0 dismisses)

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> calls(UiKind kind) const;
    QStringList messages() const;  // texts of the message boxes shown, in order
    int beeps() const;
    QStringList problems() const { return problems_; }
    bool finished() const { return answers_.empty(); }  // every answer was used
    void clear();  // forgets calls, answers and problems

    // UiBackend
    int messageBox(QWidget* parent, const QString& text, const QString& caption, unsigned flags) override;
    void beep(unsigned type) override;
    int runDialog(QDialog& dialog) override;
    FileChoice chooseFile(QWidget* parent, const FileRequest& request, bool save) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& initialDir) override;
    std::optional<std::uint32_t> chooseColor(QWidget* parent, std::uint32_t initial) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    // Recorded with the item texts joined by "|" (a separator as "-").
    unsigned trackPopupMenu(QWidget* parent, const std::vector<PopupItem>& items, int screenX, int screenY) override;

private:
    enum class AnswerKind { Button, DialogResult, DialogFill, DialogReturning, Path, Cancel, Color, Font, Menu };
    struct Answer {
        AnswerKind kind;
        int value = 0;
        QString path;
        QFont font;
        std::function<void(QDialog&)> fill;
        std::function<int(QDialog&)> fillReturning;
    };
    std::optional<Answer> next(std::initializer_list<AnswerKind> fits, const QString& what);

    std::deque<Answer> answers_;
    std::vector<Call> calls_;
    QStringList problems_;
    UiBackend* previous_ = nullptr;
};

const char* uiKindName(UiKind kind);

} // namespace platform

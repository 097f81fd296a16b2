#pragma once
// How model code speaks to the user without knowing about windows: a message
// box and a beep. The platform layer installs the real notifier at start-up;
// tests install one that records what was shown.

#include <string>
#include <string_view>

// Message-box flags and results, with the framework's numeric values.
enum MessageBoxFlags : unsigned {
    MB_OK = 0x0000,
    MB_OKCANCEL = 0x0001,
    MB_ABORTRETRYIGNORE = 0x0002,
    MB_YESNOCANCEL = 0x0003,
    MB_YESNO = 0x0004,
    MB_RETRYCANCEL = 0x0005,
    MB_ICONHAND = 0x0010,
    MB_ICONQUESTION = 0x0020,
    MB_ICONEXCLAMATION = 0x0030,
    MB_ICONASTERISK = 0x0040,
    MB_DEFBUTTON2 = 0x0100,
};
enum MessageBoxResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;

class Notifier {
public:
    virtual ~Notifier() = default;
    // text and caption are UTF-8; returns the button pressed (IDOK, IDYES, ...).
    virtual int MessageBox(std::string_view text, std::string_view caption, unsigned flags) = 0;
    // type: 0 plain, 0xFFFFFFFF simple beep, or an MB_ICON* value.
    virtual void MessageBeep(unsigned type) = 0;
};

// The notifier in use; never null (a silent one until something is installed).
Notifier& CurrentNotifier();
// Installs n (null restores the silent one); returns the previous notifier.
Notifier* SetNotifier(Notifier* n);

// Shorthands used throughout the model.
int ShowMessage(std::string_view text, unsigned flags = MB_OK, std::string_view caption = {});
void MessageBeep(unsigned type);

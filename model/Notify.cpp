#include "model/Notify.h"

namespace {

class SilentNotifier : public Notifier {
public:
    int MessageBox(std::string_view, std::string_view, unsigned flags) override
    {
        switch (flags & 0x0F) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDYES;
        default:
            return IDOK;
        }
    }
    void MessageBeep(unsigned) override {}
};

SilentNotifier silentNotifier;
Notifier* currentNotifier = &silentNotifier;

} // namespace

Notifier& CurrentNotifier()
{
    return *currentNotifier;
}

Notifier* SetNotifier(Notifier* n)
{
    Notifier* previous = currentNotifier == &silentNotifier ? nullptr : currentNotifier;
    currentNotifier = n ? n : &silentNotifier;
    return previous;
}

int ShowMessage(std::string_view text, unsigned flags, std::string_view caption)
{
    return currentNotifier->MessageBox(text, caption.empty() ? std::string_view("OrvikCAD") : caption, flags);
}

void MessageBeep(unsigned type)
{
    currentNotifier->MessageBeep(type);
}

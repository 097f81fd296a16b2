#pragma once
// A notifier that answers every message box with OK and keeps the texts.

#include "model/Notify.h"

#include <string>
#include <string_view>
#include <vector>

class RecordingNotifier : public Notifier {
public:
    std::vector<std::string> messages;
    int MessageBox(std::string_view text, std::string_view, unsigned) override
    {
        messages.emplace_back(text);
        return IDOK;
    }
    void MessageBeep(unsigned) override {}
};

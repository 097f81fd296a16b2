#pragma once
// A notifier for tests of model code: records the text of every message box
// shown (answering OK) and counts the beeps.

#include "model/Notify.h"

#include <string>
#include <string_view>
#include <vector>

class RecordingNotifier : public Notifier {
public:
    std::vector<std::string> messages;
    int beeps = 0;
    int MessageBox(std::string_view text, std::string_view, unsigned) override
    {
        messages.emplace_back(text);
        return IDOK;
    }
    void MessageBeep(unsigned) override { ++beeps; }
};

#pragma once
// A notifier for tests of model code: records the text and flags of every
// message box shown (answering `answer`, OK unless a test says otherwise)
// and counts the beeps.

#include "model/Notify.h"

#include <string>
#include <string_view>
#include <vector>

class RecordingNotifier : public Notifier {
public:
    std::vector<std::string> messages;
    std::vector<unsigned> flags;
    int answer = IDOK;
    int beeps = 0;
    int MessageBox(std::string_view text, std::string_view, unsigned how) override
    {
        messages.emplace_back(text);
        flags.push_back(how);
        return answer;
    }
    void MessageBeep(unsigned) override { ++beeps; }
};

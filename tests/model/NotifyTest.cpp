#include "model/Notify.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Recorder : public Notifier {
public:
    std::vector<std::string> shown;
    int beeps = 0;
    int MessageBox(std::string_view text, std::string_view, unsigned) override
    {
        shown.emplace_back(text);
        return IDNO;
    }
    void MessageBeep(unsigned) override { ++beeps; }
};

} // namespace

TEST(Notify, InstalledNotifierReceivesMessagesAndSilentOneAnswersOk)
{
    Recorder r;
    SetNotifier(&r);
    EXPECT_EQ(ShowMessage("001:やり直しエラー！"), IDNO);
    MessageBeep(1);
    SetNotifier(nullptr);
    EXPECT_EQ(ShowMessage("ignored"), IDOK);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0], "001:やり直しエラー！");
    EXPECT_EQ(r.beeps, 1);
}

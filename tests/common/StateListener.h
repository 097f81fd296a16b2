#pragma once
// Puts the process-wide state back after every test, so that tests run in
// any order: the settings always; the shared tool state and the tool
// objects where the executable has tools (OrvikToolStateSeam).

#include "model/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

class StateListener : public ::testing::EmptyTestEventListener {
public:
    // Taken when a test starts, given back when it ends.
    struct Seam {
        std::function<void()> capture;
        std::function<void()> restore;
    };
    explicit StateListener(std::optional<Seam> more = std::nullopt) : more_(std::move(more)) {}

    void OnTestStart(const ::testing::TestInfo&) override
    {
        settings_ = SettingsSnapshot::Capture();
        if (more_)
            more_->capture();
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        if (more_)
            more_->restore();
        settings_.Restore();
    }

    // Installs a listener in gtest's list (which owns it).
    static void Install(std::optional<Seam> more = std::nullopt)
    {
        ::testing::UnitTest::GetInstance()->listeners().Append(new StateListener(std::move(more)));
    }

private:
    SettingsSnapshot settings_;
    std::optional<Seam> more_;
};

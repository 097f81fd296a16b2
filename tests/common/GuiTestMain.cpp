// Entry point of the GUI test executables: one QApplication for the whole
// run, on the offscreen platform unless the caller chose another, with the
// tools and their numeric-input dialogs installed as the application does.
#include "app/Components.h"
#include "common/StateListener.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // Settings, profile and data files go to a private home, also when the
    // executable is started by hand rather than by ctest.
    if (!std::getenv("ORVIK_SOURCE_DIR")) {
        char pattern[] = "/tmp/orvik-test-home-XXXXXX";
        if (const char* home = mkdtemp(pattern)) {
            const std::string h(home);
            setenv("HOME", home, 1);
            setenv("XDG_DATA_HOME", (h + "/.local/share").c_str(), 1);
            setenv("XDG_CONFIG_HOME", (h + "/.config").c_str(), 1);
        }
    } else if (const char* home = std::getenv("HOME");
               home && std::string_view(home).find("/testhome/") != std::string_view::npos) {
        // ctest's private home outlives the run: the first drawing of the
        // next run would copy the settings file the last test left there
        // into the settings. Start from an empty one, as a fresh checkout does.
        std::error_code ec;
        for (const char* folder : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            if (const char* dir = std::getenv(folder))
                std::filesystem::remove_all(dir, ec);
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    InstallTools();
    InstallNumericInputDialogs();
    ::testing::InitGoogleTest(&argc, argv);
    auto toolState = std::make_shared<ToolStateSnapshot>();
    StateListener::Install(StateListener::Seam{
        [toolState] { *toolState = ToolStateSnapshot::Capture(); },
        [toolState] {
            ResetToolsToDefaults();
            toolState->Restore();
        }});
    return RUN_ALL_TESTS();
}

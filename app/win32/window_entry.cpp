// Starting the main window on Windows: one window per user, the hand-over from a running idle
// window, the start-up, and opening each saved result.
#include "app/window_entry.hpp"

#include <windows.h>

#include <iostream>
#include <memory>

#include "app/exit_codes.hpp"
#include "app/win32/instance_channel.hpp"
#include "app/win32/main_window.hpp"
#include "app/window_claim.hpp"
#include "platform/windows/wide_text.hpp"

namespace ls::app {
namespace {

void showMessage(const std::string& text) {
    std::cerr << "Lieferschein: " << text << std::endl;
    MessageBoxW(nullptr, platform::windows::wide(text).c_str(), L"Lieferschein",
                MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
}

}  // namespace

int runWindow(const CommandLine& commandLine, int /*argc*/, char** /*argv*/) {
    auto claim = claimWindow([] { return win32::requestHandover(); }, showMessage);
    if (const auto* exitCode = std::get_if<int>(&claim)) return *exitCode;
    const auto instance = std::move(std::get<std::unique_ptr<SingleInstance>>(claim));

    // The forms are laid out in twips for the screen's real resolution; without this
    // Windows would stretch a 96-dpi bitmap of them on an enlarged display.
    SetProcessDPIAware();
    win32::MainWindow window(commandLine);
    if (!window.created()) {
        showMessage("Das Fenster konnte nicht angelegt werden.");
        return kExitConfiguration;
    }
    window.model().setOpenAfterRun(true);
    window.show();
    if (!window.load()) return kExitConfiguration;
    return window.run();
}

}  // namespace ls::app

// Starting the main window on Windows: one window per user, the hand-over from a running idle
// window, the start-up, and opening each saved result.
#include "app/window_entry.hpp"

#include <windows.h>

#include <chrono>
#include <iostream>
#include <memory>

#include "app/exit_codes.hpp"
#include "app/single_instance.hpp"
#include "app/win32/instance_channel.hpp"
#include "app/win32/main_window.hpp"
#include "app/win32/wide_text.hpp"

namespace ls::app {
namespace {

void showMessage(const std::string& text) {
    std::cerr << "Lieferschein: " << text << std::endl;
    MessageBoxW(nullptr, win32::wide(text).c_str(), L"Lieferschein",
                MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
}

}  // namespace

int runWindow(const CommandLine& commandLine, int /*argc*/, char** /*argv*/) {
    auto instance = std::make_unique<SingleInstance>();
    if (!instance->refusal().empty()) {
        showMessage(instance->refusal());
        return kExitConfiguration;
    }
    if (instance->otherInstanceRunning()) {
        // The running window hands over when idle, so that this start's invoice is the one
        // the clerk gets; a busy window keeps its run.
        const auto answer = win32::requestHandover();
        if (!answer) {
            // A window that is converting or printing answers only when that step ends.
            showMessage(
                "Lieferschein läuft bereits und antwortet gerade nicht; bitte warten "
                "oder abbrechen.");
            return kExitAlreadyRunning;
        }
        if (!answer->empty()) {
            showMessage(*answer);
            return kExitAlreadyRunning;
        }
        instance.reset();
        instance = std::make_unique<SingleInstance>(std::chrono::seconds(15));
        if (instance->otherInstanceRunning()) {
            showMessage(
                "Das andere Fenster hat sich nicht geschlossen; bitte später erneut "
                "versuchen.");
            return kExitAlreadyRunning;
        }
    }

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

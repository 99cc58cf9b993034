// What the main window's model needs from a window toolkit. The Qt window implements it on
// Linux; a Win32 window can implement it the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_options.hpp"

namespace ls::app {

class WindowView {
  public:
    virtual ~WindowView() = default;
    // A German message with an OK button only.
    virtual void showMessage(std::string_view text) = 0;
    // The template of several; the dialog preselects the first.
    virtual std::size_t chooseTemplate(const std::vector<std::string>& names) = 0;
    // The run options into the controls.
    virtual void showOptions(const RunOptions& options) = 0;
    // The job above the options: what is written (invoice, customer) and from what
    // (template, database).
    virtual void showJob(const std::string& invoice, const std::string& source) = 0;
    // The status line; the view repaints it at once.
    virtual void showStatus(const std::string& text) = 0;
    // During a run the options and OK are disabled and "Abbrechen" cancels.
    virtual void showRunning(bool running) = 0;
    // "Öffnen" and "Ordner öffnen" usable: there is a saved result.
    virtual void showResultAvailable(bool available) = 0;
    // Lets the user's clicks (Abbrechen) and a second start's request through during a run.
    virtual void processEvents() = 0;
    // Starts a program on a file without waiting; false when it could not be started.
    virtual bool startDetached(const std::string& program, const std::string& file) = 0;
    // Closes the window as its close button would.
    virtual void closeWindow() = 0;
};

}  // namespace ls::app

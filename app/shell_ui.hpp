// What the shell needs from its face: the main window, or standard error when unattended.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ls::app {

class ShellUi {
  public:
    virtual ~ShellUi() = default;
    // A German message with an OK button, or a line on standard error.
    virtual void message(std::string_view text) = 0;
    // The progress text of the run.
    virtual void status(std::string_view text) = 0;
    // The template of several; the dialog preselects the first, and closing it in any way
    // takes the selected one.
    virtual std::size_t chooseTemplate(const std::vector<std::string>& names) = 0;
};

}  // namespace ls::app

// The main window's behaviour without a toolkit: options from the template and back, the job
// line, the run with progress and cancel, the status texts, the result buttons and the
// answer to a second start.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "app/command_line.hpp"
#include "app/session.hpp"
#include "app/shell_ui.hpp"
#include "app/window_view.hpp"

namespace ls::app {

class WindowModel : public ShellUi {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // How often progress repaints the status line at most.
    static constexpr std::chrono::milliseconds kRepaintInterval{250};
    // How often a run lets the window's events through (Abbrechen, a second start).
    static constexpr std::chrono::milliseconds kEventsInterval{100};

    WindowModel(
        const CommandLine& commandLine, WindowView& view,
        Clock clock = [] { return std::chrono::steady_clock::now(); });

    // The load event's start-up; false when it ended with a message (the window closes).
    bool load();

    // B_OK: runs the report with the options shown. Does nothing while a run is going on.
    void ok(const RunOptions& options);
    // ButAbbrech: stops a run at its next row or statement; otherwise closes the window.
    void cancel();
    // The window's close box: refused during a run, which is cancelled instead.
    bool mayClose();

    bool running() const { return running_; }
    const RunReport& lastReport() const { return lastReport_; }
    Session& session() { return session_; }
    const Session& session() const { return session_; }
    std::string jobText() const;

    // A second start asks to take over. Empty: idle, this window closes and the new start
    // opens its own. Otherwise the German text that the new start shows.
    std::string answerSecondStart();

    // The result buttons: the saved workbook, or its folder, in the desktop's programs.
    // A result that cannot be opened is named in the status line.
    void openResult();
    void openResultFolder();
    // The window opens every saved result at once (off in tests).
    void setOpenAfterRun(bool open) { openAfterRun_ = open; }

    // ShellUi, for the session.
    void message(std::string_view text) override;
    void status(std::string_view text) override;
    std::size_t chooseTemplate(const std::vector<std::string>& names) override;

  private:
    void showJob();
    void checkpoint();
    void rowDone(std::size_t done, std::size_t total);
    void paintIfDue(std::chrono::steady_clock::time_point now);
    void paint(std::chrono::steady_clock::time_point now);
    void letEventsThrough(std::chrono::steady_clock::time_point now);
    // Empty when the program started; else why not.
    std::string open(const std::filesystem::path& target, bool folder);
    std::string finalStatus() const;

    WindowView& view_;
    Clock clock_;
    Session session_;
    std::string iniPfad_;
    bool running_ = false;
    bool cancelRequested_ = false;
    bool openAfterRun_ = false;
    std::string lastMessage_;  // the last message, for the status line after a failure
    std::string phase_;        // the last phase text of the run ("Einzeln ...")
    std::string statusText_;   // what the status line should show
    std::string paintedText_;  // what it shows
    std::chrono::steady_clock::time_point lastPaint_{};
    std::chrono::steady_clock::time_point lastEvents_{};
    RunReport lastReport_;
};

}  // namespace ls::app

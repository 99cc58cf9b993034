// The main window "F_Start" as a native Win32 window: the job, the run options of one delivery
// note, OK and Abbrechen, the result buttons and the status line. A view of WindowModel.
#pragma once

#include <windows.h>

#include <string>

#include "app/run_options.hpp"
#include "app/win32/form_controls.hpp"
#include "app/window_model.hpp"
#include "app/window_view.hpp"

namespace ls::app::win32 {

class MainWindow final : public WindowView {
  public:
    explicit MainWindow(const CommandLine& commandLine);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // False when the window could not be made.
    bool created() const { return window_ != nullptr; }
    void show();
    // The load event's start-up; false when it ended with a message (the window then closes).
    bool load();
    // Runs the window's messages until it is closed; returns the program's exit status.
    int run();

    void ShowOptionen(const RunOptions& options);
    RunOptions currentOptions() const;
    WindowModel& model() { return model_; }
    HWND handle() const { return window_; }

    // WindowView
    void showMessage(std::string_view text) override;
    std::size_t chooseTemplate(const std::vector<std::string>& names) override;
    void showOptions(const RunOptions& options) override { ShowOptionen(options); }
    void showJob(const std::string& invoice, const std::string& source) override;
    void showStatus(const std::string& text) override;
    void showRunning(bool running) override;
    void showResultAvailable(bool available) override;
    void processEvents() override;
    bool startDetached(const std::string& program, const std::string& file) override;
    void closeWindow() override;

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int code);
    void okClicked();
    void toggleCheckBox(int id);
    // Enter and Escape from any control; the dialog manager for Tab and the arrow keys.
    bool preTranslate(MSG& message);
    void setText(int id, const std::string& text);
    void setElidedText(int id, const std::string& text);
    void setTooltip(int id, const std::string& text);
    void setTopmost(bool topmost);
    void enable(int id, bool enabled);

    int dpi_;
    FormFonts fonts_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    WindowModel model_;
    bool closed_ = false;
};

}  // namespace ls::app::win32

// One program run of the shell: start-up, template, run options, report runs and closing,
// shared by the main window and the unattended modes.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/command_line.hpp"
#include "app/job_description.hpp"
#include "app/run_options.hpp"
#include "app/shell_ui.hpp"
#include "host/db/connection.hpp"
#include "host/sheet/workbook.hpp"
#include "run/report.hpp"
#include "run/run_state.hpp"
#include "run/template_settings.hpp"

namespace ls::app {

enum class RunStatus {
    Saved,            // the delivery note is saved (and printed when asked)
    InvoiceNotFound,  // no invoice: nothing written, nothing saved
    NoWorkbook,       // no template could be opened
    Failed,           // the run stopped with an error: nothing saved
    PrintFailed,      // saved, but the printout failed
    Cancelled,        // the user stopped the run: nothing saved
    OutputBusy,       // another run kept writing the same file: nothing saved
};

struct RunReport {
    RunStatus status = RunStatus::Failed;
    std::filesystem::path savedFile;
    std::filesystem::path pdfFile;
    std::vector<std::string> warnings;  // the note was written, but the caller should know
};

// What a window adds to a run: a check before every statement and phase that may show
// progress and stops the run by throwing run::RunCancelled, and the rows of a long list.
struct RunHooks {
    std::function<void()> checkpoint;
    run::RowProgress rowDone;
    // How long to wait for another run that writes the same output file.
    std::chrono::milliseconds outputWait{0};
};

class Session {
  public:
    Session(CommandLine commandLine, ShellUi& ui);
    ~Session();

    // Start-up after the window exists: the job from the command line, the connection
    // string from the INI file when the command line has none, the database connection,
    // the template. false when start-up ended with a message.
    bool load();

    // Chooses a template of the template folder, makes the workbook and reads its settings.
    // false (after a message) when there is none or it cannot be opened.
    bool OpenVorlage();

    bool hasWorkbook() const { return workbook_ != nullptr; }
    const run::TemplateSettings& settings() const { return settings_; }
    const run::RunState& state() const { return state_; }
    const std::string& templateName() const { return strVorlage_; }

    RunOptions showOptionen() const { return ShowOptionen(settings_); }

    // The OK button: options stored, invoice and volume format fetched, the report run,
    // the result saved and printed when asked.
    RunReport ok(const RunOptions& options, const RunHooks& hooks = {});

    // The job as the window names it.
    JobDescription job() const;

  private:
    std::optional<std::string> iniValue(std::string_view key);
    bool checkOutputTarget();
    void readCustomer();
    std::filesystem::path resultPath();
    RunReport saveAndPrint(bool print, const RunHooks& hooks);

    CommandLine commandLine_;
    ShellUi& ui_;
    run::RunState state_;
    run::TemplateSettings settings_;
    std::unique_ptr<db::Connection> db_;
    std::unique_ptr<sheet::Workbook> workbook_;
    std::string strVorlage_;
    std::string customer_;
    bool iniFailed_ = false;  // the INI file could not be read for the template folder
};

}  // namespace ls::app

// Running a delivery note for a caller, without a display.
#include "app/unattended.hpp"

#include <iostream>

#include "app/exit_codes.hpp"
#include "app/output_lock.hpp"
#include "app/session.hpp"

namespace ls::app {
namespace {

class StderrUi : public ShellUi {
  public:
    void message(std::string_view text) override {
        std::cerr << "Lieferschein: " << text << std::endl;
    }
    void status(std::string_view text) override { std::cerr << "  " << text << std::endl; }
    // The choice the dialog preselects.
    std::size_t chooseTemplate(const std::vector<std::string>& names) override {
        std::cerr << "  Vorlage: " << names.front() << " (erste von " << names.size() << ")"
                  << std::endl;
        return 0;
    }
};

}  // namespace

// No one-instance lock here: a caller's runs go on beside the clerk's window, and runs that
// would write the same file take turns on that file.
int runUnattended(const CommandLine& commandLine) {
    StderrUi ui;
    Session session(commandLine, ui);
    if (!session.load() || !session.hasWorkbook()) return kExitConfiguration;

    RunHooks hooks;
    hooks.outputWait = outputLockWait();
    const auto report = session.ok(session.showOptionen(), hooks);
    // The caller reads where the note went from standard output, and nothing else.
    if (!report.savedFile.empty()) std::cout << report.savedFile.string() << '\n';
    if (!report.pdfFile.empty()) std::cout << report.pdfFile.string() << '\n';
    std::cout.flush();
    switch (report.status) {
        case RunStatus::Saved:
            return kExitOk;
        case RunStatus::PrintFailed:
            return kExitPrintFailed;
        case RunStatus::NoWorkbook:
            return kExitConfiguration;
        case RunStatus::OutputBusy:
            return kExitAlreadyRunning;
        case RunStatus::InvoiceNotFound:
        case RunStatus::Failed:
        case RunStatus::Cancelled:
            break;
    }
    return kExitRunFailed;
}

}  // namespace ls::app

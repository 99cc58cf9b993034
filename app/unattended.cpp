// Running a delivery note for a caller, without a display.
#include "app/unattended.hpp"

#include <iostream>

#include "app/exit_codes.hpp"
#include "app/session.hpp"
#include "app/single_instance.hpp"

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

int runUnattended(const CommandLine& commandLine) {
    StderrUi ui;
    const SingleInstance instance;
    if (instance.otherInstanceRunning()) {
        ui.message("Das Programm läuft bereits; der Lieferschein wurde nicht erstellt.");
        return kExitAlreadyRunning;
    }
    Session session(commandLine, ui);
    if (!session.load() || !session.hasWorkbook()) return kExitConfiguration;

    const auto report = session.ok(session.showOptionen());
    switch (report.status) {
        case RunStatus::Saved:
            return kExitOk;
        case RunStatus::PrintFailed:
            return kExitPrintFailed;
        case RunStatus::NoWorkbook:
            return kExitConfiguration;
        case RunStatus::InvoiceNotFound:
        case RunStatus::Failed:
            break;
    }
    return kExitRunFailed;
}

}  // namespace ls::app

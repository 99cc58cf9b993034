// Start-up, template, runs and results of one program run.
#include "app/session.hpp"

#include "app/ini_file.hpp"
#include "app/result_output.hpp"
#include "app/section_writers.hpp"
#include "app/settings_sheet.hpp"
#include "app/template_choice.hpp"
#include "host/db/db_error.hpp"
#include "run/invoice_options.hpp"
#include "run/report_run.hpp"

namespace ls::app {
namespace {

// The first lines of a failing statement: enough for support staff to recognise it.
std::string statementExcerpt(const std::string& sql) {
    constexpr std::size_t kMax = 600;
    std::string excerpt = sql.size() > kMax ? sql.substr(0, kMax) + " ..." : sql;
    for (auto& c : excerpt) {
        if (c == '\r') c = '\n';
    }
    return excerpt;
}

}  // namespace

Session::Session(CommandLine commandLine, ShellUi& ui)
    : commandLine_(std::move(commandLine)), ui_(ui) {}

Session::~Session() = default;

// An unreadable file is told apart from every value, so that a database or server that
// happens to be named "Error" is not taken for the failure.
std::optional<std::string> Session::iniValue(std::string_view key) {
    auto value = GetIniWert(key, state_.IniPfad);
    if (!value) ui_.message(kIniOpenFailed);
    return value;
}

bool Session::load() {
    state_.ConnectString = commandLine_.connectString;
    state_.RechNr = commandLine_.rechNr;
    state_.RechArt = commandLine_.rechArt;
    state_.IniPfad = commandLine_.iniPfad;
    state_.Modus = commandLine_.modus;

    db::ConnectOptions options;
    if (state_.ConnectString.empty()) {
        const auto database = iniValue("DATABASENAME");
        if (!database) return false;
        const auto server = iniValue("SQLSERVER");
        if (!server) return false;
        state_.ConnectString = sqlServerConnectString(*database, *server);
        if (auto driver = GetIniWert("SqlServerDriver", state_.IniPfad);
            driver && !driver->empty()) {
            options.sqlServerDriver = *driver;
        }
    }
    try {
        db_ = db::connect(state_.ConnectString, options);
    } catch (const db::DbError& e) {
        ui_.message(std::string("Die Datenbank konnte nicht geöffnet werden.\n") + e.what());
        return false;
    }
    return OpenVorlage() || !iniFailed_;
}

bool Session::OpenVorlage() {
    iniFailed_ = false;
    const auto folderSetting = iniValue("PathTemplates");
    if (!folderSetting) {
        iniFailed_ = true;
        return false;
    }
    const std::filesystem::path folder = folderSetting->empty()
                                             ? std::filesystem::current_path()
                                             : std::filesystem::path(*folderSetting);
    const auto names = listTemplates(folder);
    if (names.empty()) {
        ui_.message(kNoTemplate);
        return false;
    }
    strVorlage_ = names.size() == 1 ? names.front() : names.at(ui_.chooseTemplate(names));

    try {
        workbook_ = std::make_unique<sheet::Workbook>(openTemplate(folder / strVorlage_));
    } catch (const std::exception& e) {
        workbook_.reset();
        ui_.message(e.what());
        return false;
    }
    const auto problems = readTemplateSettings(*workbook_, settings_);
    for (const auto& problem : problems)
        ui_.message(problem);
    return true;
}

RunReport Session::ok(const RunOptions& options) {
    if (!workbook_ && !OpenVorlage()) return {RunStatus::NoWorkbook, {}, {}};

    try {
        storeOptions(settings_, options);
        if (state_.RechNr.empty() || state_.RechArt.empty()) run::GetRechNr(*db_, state_);
        state_.KubFormat = run::GetKubaturFormat(*db_, state_);

        const auto status = [this](std::string_view text) { ui_.status(text); };
        const auto message = [this](std::string_view text) { ui_.message(text); };
        const auto result = run::Workbook_Aktualisieren(*db_, *workbook_, settings_, state_,
                                                        deliveryNoteWriters(), status, message);
        if (result.outcome == run::RunOutcome::InvoiceNotFound) {
            return {RunStatus::InvoiceNotFound, {}, {}};
        }
        // Only a template with a macro project has macros that could have run.
        for (const auto& call : workbook_->macroEnabled() ? workbook_->macroCalls()
                                                          : std::vector<sheet::MacroCall>{}) {
            ui_.status("Vorlagenmakro " + call.name +
                       " vorgemerkt (wird beim Öffnen nicht ausgeführt)");
        }
        return saveAndPrint(result.print);
    } catch (const db::DbError& e) {
        ui_.message(
            std::string("Der Lieferschein konnte nicht erstellt werden.\n") + e.what() +
            (e.statement().empty() ? "" : "\nAnweisung:\n" + statementExcerpt(e.statement())));
    } catch (const std::exception& e) {
        ui_.message(std::string("Der Lieferschein konnte nicht erstellt werden.\n") + e.what());
    }
    // A workbook that a run left half-filled is not used again: the next OK starts afresh.
    workbook_.reset();
    return {RunStatus::Failed, {}, {}};
}

RunReport Session::saveAndPrint(bool print) {
    RunReport report;
    if (commandLine_.output) {
        report.savedFile = *commandLine_.output;
    } else {
        const auto outputDir = GetIniWert("PathOutput", state_.IniPfad).value_or("");
        report.savedFile =
            defaultResultPath(outputDir, state_.RechArt, state_.RechNr, workbook_->fileExtension());
    }
    workbook_->save(report.savedFile);
    report.status = RunStatus::Saved;
    ui_.status("Gespeichert: " + report.savedFile.string());

    if (!print && !commandLine_.keepPdf) return report;
    try {
        report.pdfFile = writePdf(report.savedFile, workbook_->sheet(0).name());
        if (print) {
            printPdf(report.pdfFile, GetIniWert("Printer", state_.IniPfad).value_or(""));
            ui_.status("Gedruckt.");
        }
        if (!commandLine_.keepPdf) {
            std::filesystem::remove(report.pdfFile);
            report.pdfFile.clear();
        }
    } catch (const std::exception& e) {
        ui_.message(e.what());
        report.status = RunStatus::PrintFailed;
    }
    return report;
}

}  // namespace ls::app

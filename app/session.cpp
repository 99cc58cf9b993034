// Start-up, template, runs and results of one program run.
#include "app/session.hpp"

#include <cctype>

#include "app/ini_file.hpp"
#include "app/libreoffice.hpp"
#include "app/output_lock.hpp"
#include "app/result_output.hpp"
#include "app/section_writers.hpp"
#include "app/settings_sheet.hpp"
#include "app/template_choice.hpp"
#include "host/db/db_error.hpp"
#include "host/db/sql_text.hpp"
#include "host/text/convert.hpp"
#include "platform/open_document.hpp"
#include "platform/utf8_path.hpp"
#include "run/invoice_options.hpp"
#include "run/report_run.hpp"
#include "run/run_cancel.hpp"
#include "sections/header/header_sql.hpp"

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

std::string lowerExtension(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    for (auto& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

void removeQuietly(const std::filesystem::path& file) {
    std::error_code ignored;
    if (!file.empty()) std::filesystem::remove(file, ignored);
}

}  // namespace

Session::Session(CommandLine commandLine, ShellUi& ui)
    : commandLine_(std::move(commandLine)), ui_(ui) {}

Session::~Session() = default;

// An unreadable file is told apart from every value, so that a database or server that
// happens to be named "Error" is not taken for the failure.
std::optional<std::string> Session::iniValue(std::string_view key) {
    auto value = GetIniWert(key, state_.IniPfad);
    if (!value) ui_.message(iniOpenFailedMessage(state_.IniPfad));
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
    }
    // The driver serves an OLE DB string from the call as well as the INI file's own.
    if (auto driver = GetIniWert("SqlServerDriver", state_.IniPfad); driver && !driver->empty())
        options.sqlServerDriver = *driver;
    try {
        db_ = db::connect(state_.ConnectString, options);
    } catch (const db::DbError& e) {
        const auto where = describeDatabase(state_.ConnectString);
        ui_.message(std::string("Die Datenbank konnte nicht geöffnet werden.") +
                    (where.empty() ? "" : "\nVersucht: " + where) + "\n" + e.what());
        return false;
    }
    readCustomer();
    if (!OpenVorlage()) return !iniFailed_;
    return checkOutputTarget();
}

// The customer's name for the job line; an invoice without head has none.
void Session::readCustomer() {
    customer_.clear();
    if (state_.RechNr.empty() || state_.RechArt.empty()) return;
    try {
        const auto kind = db::checkedInvoiceKind(state_.RechArt);
        auto rs = db_->execute(sections::kundenAdresseSql(kind, state_.RechNr));
        if (rs.eof()) return;
        customer_ = text::trim(rs["BEZEICHNUNG"].toText());
        if (customer_.empty()) {
            customer_ = text::trim(rs["VORNAME"].toText() + " " + text::trim(rs["NAME"].toText()));
        }
    } catch (const std::exception&) {
        // The run reports a database that cannot answer; the job line just shows less.
        customer_.clear();
    }
}

// A result that could only be saved under a wrong name, or into a folder that is not
// there, is refused before the run.
bool Session::checkOutputTarget() {
    if (commandLine_.output && workbook_) {
        const auto wanted = workbook_->fileExtension();
        if (lowerExtension(*commandLine_.output) != wanted) {
            ui_.message(
                "Die Ausgabedatei \"" + *commandLine_.output + "\" muss auf " + wanted +
                " enden.\nDie Vorlage " + strVorlage_ +
                (workbook_->macroEnabled() ? " enthält Makros." : " enthält keine Makros."));
            return false;
        }
    }
    if (!commandLine_.output) {
        const auto folder = GetIniWert("PathOutput", state_.IniPfad).value_or("");
        std::error_code ec;
        if (!folder.empty() && !std::filesystem::is_directory(platform::pathFromUtf8(folder), ec)) {
            ui_.message("Der Ausgabeordner fehlt: \"" + folder +
                        "\".\nINI-Schlüssel PathOutput in " +
                        platform::utf8(iniPath(state_.IniPfad)));
            return false;
        }
    }
    return true;
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
                                             : platform::pathFromUtf8(*folderSetting);
    const auto names = listTemplates(folder);
    if (names.empty()) {
        ui_.message(std::string(kNoTemplate) + "\nGesucht in \"" + platform::utf8(folder) +
                    "\" nach Lieferschein*.xlt, *.xltx, *.xltm (INI-Schlüssel PathTemplates).");
        return false;
    }
    strVorlage_ = names.size() == 1 ? names.front() : names.at(ui_.chooseTemplate(names));

    try {
        workbook_ = std::make_unique<sheet::Workbook>(
            openTemplate(folder / platform::pathFromUtf8(strVorlage_)));
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

JobDescription Session::job() const {
    return {state_.RechArt, state_.RechNr, customer_, strVorlage_,
            describeDatabase(state_.ConnectString)};
}

RunReport Session::ok(const RunOptions& options, const RunHooks& hooks) {
    if (!workbook_ && !OpenVorlage()) return {RunStatus::NoWorkbook, {}, {}, {}};

    const auto checkpoint = [&hooks] {
        if (hooks.checkpoint) hooks.checkpoint();
    };
    run::CheckedConnection db(*db_, checkpoint);
    try {
        storeOptions(settings_, options);
        if (state_.RechNr.empty() || state_.RechArt.empty()) run::GetRechNr(db, state_);
        state_.KubFormat = run::GetKubaturFormat(db, state_);

        const auto status = [this](std::string_view text) { ui_.status(text); };
        const auto message = [this](std::string_view text) { ui_.message(text); };
        const auto result =
            run::Workbook_Aktualisieren(db, *workbook_, settings_, state_, deliveryNoteWriters(),
                                        status, message, hooks.rowDone);
        if (result.outcome == run::RunOutcome::InvoiceNotFound) {
            return {RunStatus::InvoiceNotFound, {}, {}, {}};
        }
        // Only a template with a macro project has macros that could have run.
        for (const auto& call : workbook_->macroEnabled() ? workbook_->macroCalls()
                                                          : std::vector<sheet::MacroCall>{}) {
            ui_.status("Vorlagenmakro " + call.name +
                       " vorgemerkt (wird beim Öffnen nicht ausgeführt)");
        }
        auto report = saveAndPrint(result.print, hooks);
        report.warnings = result.warnings;
        return report;
    } catch (const run::RunCancelled&) {
        ui_.status("Abgebrochen.");
        workbook_.reset();
        return {RunStatus::Cancelled, {}, {}, {}};
    } catch (const db::DbError& e) {
        ui_.message(
            std::string("Der Lieferschein konnte nicht erstellt werden.\n") + e.what() +
            (e.statement().empty() ? "" : "\nAnweisung:\n" + statementExcerpt(e.statement())));
    } catch (const std::exception& e) {
        ui_.message(std::string("Der Lieferschein konnte nicht erstellt werden.\n") + e.what());
    }
    // A workbook that a run left half-filled is not used again: the next OK starts afresh.
    workbook_.reset();
    return {RunStatus::Failed, {}, {}, {}};
}

std::filesystem::path Session::resultPath() {
    if (commandLine_.output) return platform::pathFromUtf8(*commandLine_.output);
    const auto outputDir = GetIniWert("PathOutput", state_.IniPfad).value_or("");
    return defaultResultPath(platform::pathFromUtf8(outputDir), state_.RechArt, state_.RechNr,
                             workbook_->fileExtension());
}

RunReport Session::saveAndPrint(bool print, const RunHooks& hooks) {
    const auto checkpoint = [&hooks] {
        if (hooks.checkpoint) hooks.checkpoint();
    };
    RunReport report;
    const auto target = resultPath();
    // Two runs for one invoice take turns; the second then overwrites the first's note.
    const auto lock = OutputLock::acquire(target, hooks.outputWait);
    if (!lock) {
        ui_.message("Die Datei \"" + platform::utf8(target) +
                    "\" wird von einem anderen Lauf geschrieben; der Lieferschein wurde nicht "
                    "gespeichert.\nGewartet: " +
                    std::to_string(hooks.outputWait.count() / 1000) + " Sekunden.");
        return {RunStatus::OutputBusy, {}, {}, {}};
    }
    checkpoint();
    ui_.status("Wird gespeichert …");
    workbook_->save(target);
    report.savedFile = target;
    report.status = RunStatus::Saved;
    ui_.status("Gespeichert: " + report.savedFile.string());

    if (!print && !commandLine_.keepPdf) return report;
    // Looked up once for the job: the PDF, the printout and the decision between them.
    const auto office = findLibreOffice();
    if (print && !commandLine_.keepPdf && !platform::printSpooler() && !office) {
        // Windows without LibreOffice: the program registered for workbooks prints the note.
        checkpoint();
        ui_.status("Wird gedruckt …");
        if (auto problem = platform::printWithDesktop(report.savedFile); !problem.empty()) {
            ui_.message(problem +
                        "\nLibreOffice ist nicht installiert; es hätte den Druck übernommen.");
            report.status = RunStatus::PrintFailed;
            return report;
        }
        ui_.status("Zum Drucken übergeben.");
        return report;
    }
    try {
        checkpoint();
        ui_.status("PDF wird erstellt …");
        report.pdfFile = writePdf(office, *workbook_, report.savedFile, workbook_->sheet(0).name());
        if (print) {
            checkpoint();
            const auto printer = GetIniWert("Printer", state_.IniPfad).value_or("");
            ui_.status("Wird gedruckt …");
            try {
                printPdf(office, report.pdfFile, printer);
            } catch (const PrintError& e) {
                throw PrintError(std::string(e.what()) +
                                 "\nDrucker: " + (printer.empty() ? "Standarddrucker" : printer) +
                                 " (INI-Schlüssel Printer in " + iniPath(state_.IniPfad).string() +
                                 ")");
            }
            ui_.status("Gedruckt.");
        }
        if (!commandLine_.keepPdf) {
            removeQuietly(report.pdfFile);
            report.pdfFile.clear();
        }
    } catch (const run::RunCancelled&) {
        // A cancel after saving takes the result back: the clerk asked for no note.
        removeQuietly(report.savedFile);
        removeQuietly(report.pdfFile);
        throw;
    } catch (const std::exception& e) {
        ui_.message(e.what());
        report.status = RunStatus::PrintFailed;
        // Only the caller's --pdf keeps a PDF; a failed printout leaves none behind.
        if (!commandLine_.keepPdf) {
            removeQuietly(report.pdfFile);
            report.pdfFile.clear();
        }
    }
    return report;
}

}  // namespace ls::app

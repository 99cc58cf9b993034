// The main window's behaviour.
#include "app/window_model.hpp"

#include "app/ini_file.hpp"
#include "app/job_description.hpp"
#include "app/process.hpp"
#include "host/text/convert.hpp"
#include "platform/open_document.hpp"
#include "platform/utf8_path.hpp"
#include "run/run_cancel.hpp"

namespace ls::app {
namespace {

// "Einzeln ..." -> "Einzeln": the phase word that progress numbers follow.
std::string phaseWord(std::string phase) {
    for (const std::string_view tail : {" ...", "...", " …", "…"}) {
        if (phase.ends_with(tail)) {
            phase.resize(phase.size() - tail.size());
            break;
        }
    }
    return phase;
}

// A message as one status line: its lines joined by blanks.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (auto& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return line;
}

}  // namespace

WindowModel::WindowModel(const CommandLine& commandLine, WindowView& view, Clock clock)
    : view_(view),
      clock_(std::move(clock)),
      session_(commandLine, *this),
      iniPfad_(commandLine.iniPfad) {}

bool WindowModel::load() {
    if (!session_.load()) return false;
    view_.showOptions(session_.showOptionen());
    showJob();
    return true;
}

void WindowModel::showJob() {
    const auto job = session_.job();
    view_.showJob(jobInvoice(job), jobSource(job));
}

std::string WindowModel::jobText() const {
    return jobLine(session_.job());
}

void WindowModel::ok(const RunOptions& options) {
    if (running_) return;
    running_ = true;
    cancelRequested_ = false;
    lastMessage_.clear();
    view_.showRunning(true);
    view_.showResultAvailable(false);

    RunHooks hooks;
    hooks.checkpoint = [this] { checkpoint(); };
    hooks.rowDone = [this](std::size_t done, std::size_t total) { rowDone(done, total); };
    lastReport_ = session_.ok(options, hooks);

    running_ = false;
    cancelRequested_ = false;
    const bool saved =
        lastReport_.status == RunStatus::Saved || lastReport_.status == RunStatus::PrintFailed;
    statusText_ = finalStatus();
    if (saved && openAfterRun_) {
        if (const auto problem = open(lastReport_.savedFile, false); !problem.empty()) {
            statusText_ += " – " + problem;
        }
    }
    paint(clock_());
    showJob();
    view_.showResultAvailable(saved);
    view_.showRunning(false);
}

std::string WindowModel::finalStatus() const {
    std::string text;
    switch (lastReport_.status) {
        case RunStatus::Saved:
            text = "Gespeichert: " + lastReport_.savedFile.string();
            break;
        case RunStatus::PrintFailed:
            text = "Gespeichert, aber nicht gedruckt: " + lastReport_.savedFile.string();
            break;
        case RunStatus::Cancelled:
            return "Abgebrochen.";
        case RunStatus::OutputBusy:
            return "Nicht gespeichert: ein anderer Lauf schreibt dieselbe Datei.";
        case RunStatus::NoWorkbook:
            return lastMessage_.empty() ? "Keine Vorlage geöffnet." : lastMessage_;
        case RunStatus::InvoiceNotFound:
            return lastMessage_.empty() ? "Rechnung nicht gefunden." : lastMessage_;
        case RunStatus::Failed:
            return "Fehler: " +
                   (lastMessage_.empty() ? "der Lieferschein wurde nicht erstellt." : lastMessage_);
    }
    for (const auto& warning : lastReport_.warnings)
        text += " – " + warning;
    return text;
}

void WindowModel::cancel() {
    if (!running_) {
        view_.closeWindow();
        return;
    }
    cancelRequested_ = true;
    statusText_ = "Wird abgebrochen …";
    paint(clock_());
}

bool WindowModel::mayClose() {
    if (!running_) return true;
    cancel();
    return false;
}

std::string WindowModel::answerSecondStart() {
    if (!running_) return {};
    const auto& state = session_.state();
    if (state.RechNr.empty()) return "Lieferschein läuft bereits; bitte warten oder abbrechen.";
    return "Lieferschein läuft bereits für " + state.RechArt + " " + state.RechNr +
           "; bitte warten oder abbrechen.";
}

// Before every statement and phase: the window stays responsive and a cancel takes effect.
void WindowModel::checkpoint() {
    if (cancelRequested_) throw run::RunCancelled();
    const auto now = clock_();
    paintIfDue(now);
    letEventsThrough(now);
    if (cancelRequested_) throw run::RunCancelled();
}

void WindowModel::rowDone(std::size_t done, std::size_t total) {
    if (cancelRequested_) throw run::RunCancelled();
    const auto now = clock_();
    if (now - lastPaint_ >= kRepaintInterval) {
        statusText_ = phaseWord(phase_) + " … " + text::groupedNumber(done) + " von " +
                      text::groupedNumber(total) + " Stämmen";
        paintIfDue(now);
    }
    letEventsThrough(now);
    if (cancelRequested_) throw run::RunCancelled();
}

void WindowModel::paintIfDue(std::chrono::steady_clock::time_point now) {
    if (now - lastPaint_ < kRepaintInterval) return;
    paint(now);
}

void WindowModel::paint(std::chrono::steady_clock::time_point now) {
    lastPaint_ = now;
    if (statusText_ == paintedText_) return;
    paintedText_ = statusText_;
    view_.showStatus(statusText_);
}

void WindowModel::letEventsThrough(std::chrono::steady_clock::time_point now) {
    if (now - lastEvents_ < kEventsInterval) return;
    lastEvents_ = now;
    view_.processEvents();
}

void WindowModel::openResult() {
    if (lastReport_.savedFile.empty()) return;
    if (auto problem = open(lastReport_.savedFile, false); !problem.empty()) {
        statusText_ = problem;
        paint(clock_());
    }
}

void WindowModel::openResultFolder() {
    if (lastReport_.savedFile.empty()) return;
    if (auto problem = open(lastReport_.savedFile, true); !problem.empty()) {
        statusText_ = problem;
        paint(clock_());
    }
}

std::string WindowModel::open(const std::filesystem::path& file, bool folder) {
    auto target = folder ? std::filesystem::absolute(file).parent_path() : file;
    std::optional<std::string> program = platform::desktopOpener();
    if (!folder) {
        const auto command = GetIniWert("SpreadsheetCommand", iniPfad_).value_or("");
        if (!command.empty()) program = command;
    }
    // Windows opens by the file type's registered program, with no opener of its own.
    if (!program) return platform::openWithDesktop(target);
    if (!findProgram(*program)) {
        return "Öffnen nicht möglich: kein Programm dafür gefunden (\"" + *program +
               "\" fehlt; INI-Schlüssel SpreadsheetCommand).";
    }
    if (!view_.startDetached(*program, platform::utf8(target))) {
        return "Öffnen nicht möglich: \"" + *program + "\" ließ sich nicht starten.";
    }
    return {};
}

void WindowModel::message(std::string_view text) {
    lastMessage_ = oneLine(text);
    view_.showMessage(text);
}

void WindowModel::status(std::string_view text) {
    phase_ = std::string(text);
    statusText_ = phase_;
    // Outside a run, and before the steps that block for a while (saving, PDF, printing;
    // their texts end in "…"), the text shows at once; phases of the run wait their turn
    // like the progress numbers.
    if (!running_ || phase_.ends_with("…")) {
        paint(clock_());
    } else {
        paintIfDue(clock_());
    }
}

std::size_t WindowModel::chooseTemplate(const std::vector<std::string>& names) {
    return view_.chooseTemplate(names);
}

}  // namespace ls::app

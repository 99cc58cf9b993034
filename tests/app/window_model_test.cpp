// The main window's behaviour without a toolkit: job line, run with progress and cancel,
// status texts, second start, result buttons.
#include "app/window_model.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "host/text/convert.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// A window that records what it is told and lets a test act where the user could.
class FakeView : public WindowView {
  public:
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    std::size_t chooseTemplate(const std::vector<std::string>&) override { return 0; }
    void showOptions(const RunOptions& o) override { options = o; }
    void showJob(const std::string& invoice, const std::string& source) override {
        job = invoice + " | " + source;
    }
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    void showRunning(bool running) override { runningShown.push_back(running); }
    void showResultAvailable(bool available) override { resultAvailable = available; }
    void processEvents() override {
        ++eventRounds;
        if (onEvents) onEvents();
    }
    bool startDetached(const std::string& program, const std::string& file) override {
        started.emplace_back(program, file);
        return true;
    }
    void closeWindow() override { closed = true; }

    std::vector<std::string> messages, statuses;
    std::vector<bool> runningShown;
    std::vector<std::pair<std::string, std::string>> started;
    RunOptions options;
    std::string job;
    bool resultAvailable = false;
    bool closed = false;
    int eventRounds = 0;
    std::function<void()> onEvents;
};

// A clock that moves on by a fixed step each time it is read.
struct SteppingClock {
    std::chrono::milliseconds step;
    std::chrono::steady_clock::time_point now{};
    std::chrono::steady_clock::time_point operator()() { return now += step; }
};

class WindowModelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        shared_ = std::make_unique<test::TempDir>();
        demo::writeDemoDatabase(shared_->path() / "demo.db", {.extraLogs = 3000});
        demo::writeDefaultTemplate(shared_->path() / "Lieferschein_Test.xltx");
    }
    static void TearDownTestSuite() { shared_.reset(); }

    WindowModelTest() {
        text::setUserLocale(text::UserLocale{});
        std::filesystem::create_directory(dir.path() / "vorlagen");
        std::filesystem::copy_file(shared_->path() / "Lieferschein_Test.xltx",
                                   dir.path() / "vorlagen" / "Lieferschein_Test.xltx");
        writeIni("");
        commandLine.connectString =
            "Provider=SQLite;Data Source=" + (shared_->path() / "demo.db").string();
        commandLine.rechNr = "1001";
        commandLine.rechArt = "R";
        commandLine.iniPfad = (dir.path() / "tannova.ini").string();
    }

    void writeIni(const std::string& extra) {
        std::ofstream(dir.path() / "tannova.ini")
            << "PathTemplates=" << (dir.path() / "vorlagen").string()
            << "\nPathOutput=" << dir.path().string() << "\n"
            << extra;
    }

    std::filesystem::path result() const { return dir.path() / "Lieferschein_R_1001.xlsx"; }

    static inline std::unique_ptr<test::TempDir> shared_;
    test::TempDir dir;
    CommandLine commandLine;
    FakeView view;
};

TEST_F(WindowModelTest, TheJobLineNamesInvoiceCustomerTemplateAndDatabase) {
    WindowModel model(commandLine, view);
    ASSERT_TRUE(model.load()) << (view.messages.empty() ? "" : view.messages.front());
    EXPECT_EQ(view.job,
              "Rechnung R 1001 · Sägewerk Mustermann GmbH | Vorlage Lieferschein_Test.xltx · "
              "demo.db");
    EXPECT_EQ(model.jobText(),
              "Rechnung R 1001 · Sägewerk Mustermann GmbH · Vorlage Lieferschein_Test.xltx · "
              "demo.db");

    // An invoice without head has no customer; the job line just leaves it out.
    commandLine.rechNr = "4711";
    WindowModel unknown(commandLine, view);
    ASSERT_TRUE(unknown.load());
    EXPECT_EQ(view.job, "Rechnung R 4711 | Vorlage Lieferschein_Test.xltx · demo.db");
}

TEST_F(WindowModelTest, ARunShowsItsProgressAFewTimesASecondAndEndsWithThePath) {
    // Each reading of the clock is 5 ms later: a run of about n checks paints about n / 50
    // progress lines, not one per row.
    WindowModel model(commandLine, view, SteppingClock{std::chrono::milliseconds(5)});
    ASSERT_TRUE(model.load());
    view.statuses.clear();
    model.ok(view.options);

    ASSERT_EQ(model.lastReport().status, RunStatus::Saved)
        << (view.messages.empty() ? "" : view.messages.front());
    EXPECT_EQ(view.runningShown, (std::vector<bool>{true, false}));
    EXPECT_TRUE(view.resultAvailable);
    EXPECT_EQ(view.statuses.back(), "Gespeichert: " + result().string());

    std::vector<std::string> progress;
    for (const auto& s : view.statuses) {
        if (s.find(" von ") != std::string::npos) progress.push_back(s);
    }
    ASSERT_GE(progress.size(), 3u);
    // Counted over the whole invoice, not per list: the demo's logs plus the 3,000 extra.
    EXPECT_THAT(progress.front(), StartsWith("Einzeln … "));
    EXPECT_THAT(progress.back(), HasSubstr(" von 3.0"));
    EXPECT_THAT(progress.back(), testing::EndsWith(" Stämmen"));
    // 3,000 rows at 5 ms a row are 15 s: about 60 repaints at 250 ms, never one per row.
    EXPECT_LT(progress.size(), 150u);
    EXPECT_GT(view.eventRounds, 0);
}

TEST_F(WindowModelTest, CancelStopsTheRunSavesNothingAndTheWindowStaysUsable) {
    WindowModel model(commandLine, view, SteppingClock{std::chrono::milliseconds(300)});
    ASSERT_TRUE(model.load());
    // The clerk presses Abbrechen while the single-log list is being written.
    view.onEvents = [&] {
        if (!view.statuses.empty() && view.statuses.back().find(" von ") != std::string::npos) {
            model.cancel();
        }
    };
    model.ok(view.options);
    EXPECT_EQ(model.lastReport().status, RunStatus::Cancelled);
    EXPECT_EQ(view.statuses.back(), "Abgebrochen.");
    EXPECT_FALSE(std::filesystem::exists(result()));
    EXPECT_FALSE(view.closed);
    EXPECT_FALSE(view.resultAvailable);
    EXPECT_TRUE(view.messages.empty());

    // The next OK starts afresh from the template and saves.
    view.onEvents = nullptr;
    model.ok(view.options);
    EXPECT_EQ(model.lastReport().status, RunStatus::Saved);
    EXPECT_TRUE(std::filesystem::exists(result()));
}

TEST_F(WindowModelTest, ACancelAtAnyPointLeavesNoResult) {
    // Every check is a chance to cancel (300 ms a reading): cancel at the n-th one, for n
    // spread over the whole run including saving.
    int checks = 0;
    {
        WindowModel model(commandLine, view, SteppingClock{std::chrono::milliseconds(300)});
        ASSERT_TRUE(model.load());
        view.onEvents = [&] { ++checks; };
        model.ok(view.options);
        ASSERT_EQ(model.lastReport().status, RunStatus::Saved);
        std::filesystem::remove(result());
    }
    ASSERT_GT(checks, 5);
    for (int n = 1; n <= checks; n = n < 8 ? n + 1 : n * 2) {
        FakeView v;
        WindowModel model(commandLine, v, SteppingClock{std::chrono::milliseconds(300)});
        ASSERT_TRUE(model.load());
        int seen = 0;
        v.onEvents = [&] {
            if (++seen == n) model.cancel();
        };
        model.ok(v.options);
        EXPECT_EQ(model.lastReport().status, RunStatus::Cancelled) << "cancel at check " << n;
        EXPECT_EQ(v.statuses.back(), "Abgebrochen.") << n;
        EXPECT_FALSE(std::filesystem::exists(result())) << n;
    }
    // Nothing else was left in the output folder: no PDF, no temporary file.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const auto name = entry.path().filename().string();
        EXPECT_TRUE(name == "vorlagen" || name == "tannova.ini") << name;
    }
}

TEST_F(WindowModelTest, ASecondStartTakesOverWhenIdleAndIsRefusedDuringARun) {
    WindowModel model(commandLine, view, SteppingClock{std::chrono::milliseconds(300)});
    ASSERT_TRUE(model.load());
    EXPECT_EQ(model.answerSecondStart(), "");

    std::string answer;
    bool mayClose = true;
    view.onEvents = [&] {
        if (!answer.empty()) return;
        answer = model.answerSecondStart();
        // The close box during a run cancels it instead of closing.
        mayClose = model.mayClose();
    };
    model.ok(view.options);
    EXPECT_EQ(answer, "Lieferschein läuft bereits für R 1001; bitte warten oder abbrechen.");
    EXPECT_FALSE(mayClose);
    EXPECT_EQ(model.lastReport().status, RunStatus::Cancelled);
    EXPECT_FALSE(view.closed);

    EXPECT_TRUE(model.mayClose());
    model.cancel();  // Abbrechen when idle closes the window
    EXPECT_TRUE(view.closed);
}

TEST_F(WindowModelTest, AFailureIsNamedInTheStatusNotAStalePhaseWord) {
    commandLine.rechNr = "4711";
    WindowModel model(commandLine, view);
    ASSERT_TRUE(model.load());
    model.ok(view.options);
    EXPECT_EQ(model.lastReport().status, RunStatus::InvoiceNotFound);
    EXPECT_EQ(view.statuses.back(), "Rechnung R 4711 nicht gefunden.");
    EXPECT_FALSE(view.resultAvailable);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Lieferschein_R_4711.xlsx"));
}

TEST_F(WindowModelTest, ResultButtonsOpenTheFileAndItsFolderOrSayWhyNot) {
    // The desktop's opener, as a program of the test's own.
    std::filesystem::create_directory(dir.path() / "bin");
    std::ofstream(dir.path() / "bin" / "xdg-open") << "#!/bin/sh\n";
    std::filesystem::permissions(dir.path() / "bin" / "xdg-open",
                                 std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", ((dir.path() / "bin").string() + ":" + path).c_str(), 1);
    writeIni("SpreadsheetCommand=true\n");
    WindowModel model(commandLine, view);
    ASSERT_TRUE(model.load());
    model.ok(view.options);
    ASSERT_EQ(model.lastReport().status, RunStatus::Saved);
    model.openResult();
    model.openResultFolder();
    ASSERT_EQ(view.started.size(), 2u);
    EXPECT_EQ(view.started[0], std::make_pair(std::string("true"), result().string()));
    EXPECT_EQ(view.started[1].second, dir.path().string());

    // No program to open it with: the status says so instead of a line on stderr.
    writeIni("SpreadsheetCommand=kein-solches-programm\n");
    model.setOpenAfterRun(true);
    model.ok(view.options);
    EXPECT_THAT(view.statuses.back(), StartsWith("Gespeichert: " + result().string() + " – "));
    EXPECT_THAT(view.statuses.back(), HasSubstr("Öffnen nicht möglich"));
    EXPECT_THAT(view.statuses.back(), HasSubstr("kein-solches-programm"));
    EXPECT_EQ(view.started.size(), 2u);
    ::setenv("PATH", path.c_str(), 1);
}

}  // namespace
}  // namespace ls::app

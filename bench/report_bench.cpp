// Benchmark of the whole delivery note: the demo invoice scaled to 1,000, 10,000 and 100,000
// further logs, each size run in a child process of its own so that its peak memory is its
// own. Prints per size the wall time, the peak memory, the share of the time spent inside the
// database, and the time relative to the smallest size measured in the same run.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/section_writers.hpp"
#include "app/settings_sheet.hpp"
#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "host/db/connection.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"
#include "run/invoice_options.hpp"
#include "run/report_run.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// Adds up the time the run spends waiting for the database.
class TimingConnection : public ls::db::Connection {
  public:
    explicit TimingConnection(std::unique_ptr<ls::db::Connection> inner)
        : inner_(std::move(inner)) {}
    ls::db::Recordset execute(std::string_view sql) override {
        const auto start = Clock::now();
        auto result = inner_->execute(sql);
        spent_ += Clock::now() - start;
        ++statements_;
        return result;
    }
    std::string describe() const override { return inner_->describe(); }
    double seconds() const { return std::chrono::duration<double>(spent_).count(); }
    long statements() const { return statements_; }

  private:
    std::unique_ptr<ls::db::Connection> inner_;
    Clock::duration spent_{};
    long statements_ = 0;
};

struct Figures {
    double wallSeconds = 0;
    double dbSeconds = 0;
    long statements = 0;
    long peakKiB = 0;
};

// Runs one size in this (child) process and writes its figures to the pipe.
Figures runOnce(const std::filesystem::path& dir, long extraLogs) {
    const auto database = dir / ("demo-" + std::to_string(extraLogs) + ".db");
    ls::demo::writeDemoDatabase(database, {.extraLogs = extraLogs});
    const auto templateFile = dir / "Lieferschein_Standard.xltx";

    const auto start = Clock::now();
    TimingConnection db(ls::db::connect("Provider=SQLite;Data Source=" + database.string()));
    auto workbook = ls::sheet::Workbook::fromTemplate(templateFile);
    ls::run::TemplateSettings settings;
    ls::app::readTemplateSettings(workbook, settings);
    ls::run::RunState state;
    state.RechNr = "1001";
    state.RechArt = "R";
    state.Modus = "SILENT";
    state.KubFormat = ls::run::GetKubaturFormat(db, state);
    ls::run::Workbook_Aktualisieren(
        db, workbook, settings, state, ls::app::deliveryNoteWriters(), [](std::string_view) {},
        [](std::string_view m) { std::fprintf(stderr, "%.*s\n", int(m.size()), m.data()); });
    workbook.save(dir / ("Lieferschein-" + std::to_string(extraLogs) + ".xlsx"));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {wall, db.seconds(), db.statements(), usage.ru_maxrss};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<long> sizes = {1'000, 10'000, 100'000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(std::atol(argv[i]));
    }
    ls::text::setUserLocale(ls::text::UserLocale{});
    auto dir = std::filesystem::temp_directory_path() / "lieferschein-bench-XXXXXX";
    std::string pattern = dir.string();
    if (!::mkdtemp(pattern.data())) return 1;
    dir = pattern;
    ls::demo::writeDefaultTemplate(dir / "Lieferschein_Standard.xltx");

    std::printf("%10s %10s %10s %10s %12s %10s\n", "logs", "wall s", "vs first", "peak MiB",
                "db share", "statements");
    double first = 0;
    for (const long size : sizes) {
        int fds[2];
        if (::pipe(fds) != 0) return 1;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            const Figures f = runOnce(dir, size);
            if (::write(fds[1], &f, sizeof f) != sizeof f) _exit(2);
            _exit(0);
        }
        ::close(fds[1]);
        Figures f{};
        const bool ok = ::read(fds[0], &f, sizeof f) == sizeof f;
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "run with %ld logs failed\n", size);
            return 1;
        }
        if (first == 0) first = f.wallSeconds;
        std::printf("%10ld %10.2f %10.1fx %10.0f %11.0f%% %10ld\n", size, f.wallSeconds,
                    f.wallSeconds / first, f.peakKiB / 1024.0, 100.0 * f.dbSeconds / f.wallSeconds,
                    f.statements);
    }
    std::filesystem::remove_all(dir);
    return 0;
}

// Benchmark of the whole delivery note: the demo invoice scaled to 1,000, 10,000 and 100,000
// further logs, each size run in a child process of its own so that its peak memory is its
// own. Prints per size the wall time, the peak memory, the share of the time spent inside the
// database, and the time relative to the smallest size measured in the same run.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef LS_BENCH_XLSXWRITER
#include <xlsxwriter.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
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
    double saveSeconds = 0;
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
    const auto saveStart = Clock::now();
    workbook.save(dir / ("Lieferschein-" + std::to_string(extraLogs) + ".xlsx"));
    const auto end = Clock::now();
    const double wall = std::chrono::duration<double>(end - start).count();
    const double save = std::chrono::duration<double>(end - saveStart).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {wall, save, db.seconds(), db.statements(), usage.ru_maxrss};
}

#ifdef LS_BENCH_XLSXWRITER
// The baseline: libxlsxwriter writing one row of 11 cells per log (two texts, nine numbers
// with a number format), in a child process of its own; its wall time in seconds.
double xlsxwriterSeconds(const std::filesystem::path& dir, long rows) {
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const auto file = dir / "xlsxwriter.xlsx";
        lxw_workbook* book = workbook_new(file.c_str());
        lxw_worksheet* sheet = workbook_add_worksheet(book, "Holzliste");
        lxw_format* number = workbook_add_format(book);
        format_set_num_format(number, "0.00");
        for (long r = 0; r < rows; ++r) {
            const auto row = static_cast<lxw_row_t>(r);
            worksheet_write_string(sheet, row, 0, ("S-" + std::to_string(100000 + r)).c_str(),
                                   nullptr);
            worksheet_write_string(sheet, row, 1, r % 2 ? "Fichte" : "Kiefer", nullptr);
            for (int c = 2; c < 11; ++c)
                worksheet_write_number(sheet, row, static_cast<lxw_col_t>(c), r * 0.25 + c, number);
        }
        _exit(workbook_close(book) == LXW_NO_ERROR ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
    return std::chrono::duration<double>(Clock::now() - start).count();
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::vector<long> sizes;
    std::filesystem::path keep;  // --keep DIR: the saved notes are copied there
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--keep" && i + 1 < argc) {
            keep = argv[++i];
        } else {
            sizes.push_back(std::atol(argv[i]));
        }
    }
    if (sizes.empty()) sizes = {1'000, 10'000, 100'000};
    ls::text::setUserLocale(ls::text::UserLocale{});
    auto dir = std::filesystem::temp_directory_path() / "lieferschein-bench-XXXXXX";
    std::string pattern = dir.string();
    if (!::mkdtemp(pattern.data())) return 1;
    dir = pattern;
    ls::demo::writeDefaultTemplate(dir / "Lieferschein_Standard.xltx");

    std::printf("%10s %10s %10s %12s %8s %10s %10s %10s\n", "logs", "wall s", "vs first",
                "us/log vs 1st", "save s", "peak MiB", "db share", "statements");
    double first = 0;
    double firstPerLog = 0;
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
        // Time per log: the invoice's own logs count too, so flat time per log shows as 1.0.
        const double perLog = f.wallSeconds / static_cast<double>(size);
        if (first == 0) {
            first = f.wallSeconds;
            firstPerLog = perLog;
        }
        std::printf("%10ld %10.2f %9.1fx %12.2f %8.2f %10.0f %9.0f%% %10ld\n", size, f.wallSeconds,
                    f.wallSeconds / first, perLog / firstPerLog, f.saveSeconds, f.peakKiB / 1024.0,
                    100.0 * f.dbSeconds / f.wallSeconds, f.statements);
#ifdef LS_BENCH_XLSXWRITER
        const double baseline = xlsxwriterSeconds(dir, size);
        if (baseline > 0) {
            std::printf(
                "%10s libxlsxwriter, %ld rows of 11 cells: %.2f s; note / libxlsxwriter: "
                "%.2f\n",
                "", size, baseline, f.wallSeconds / baseline);
        }
#endif
        if (!keep.empty()) {
            const auto name = "Lieferschein-" + std::to_string(size) + ".xlsx";
            std::filesystem::create_directories(keep);
            std::filesystem::copy_file(dir / name, keep / name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
    std::filesystem::remove_all(dir);
    return 0;
}

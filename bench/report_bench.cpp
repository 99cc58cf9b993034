// Benchmark of the whole delivery note: the demo invoice, and the demo invoice grown by
// further logs (2,000, 10,000 and 100,000 by default), each size run in a child process of
// its own so that its peak memory is its own. Prints per size the statements, the rows
// fetched, the round trips a network driver would make, the wall time and the time the run
// would take at 30 ms per round trip, the peak memory and the database's share of the time.
//
//   report_bench [--fetch-rows N] [--delay-ms D] [--shapes] [--keep DIR] [sizes...]
//
// --fetch-rows: rows per fetch call of the driver played (default 500, as the ODBC backend);
// --delay-ms:   really wait D ms per round trip instead of only adding it up;
// --shapes:     list the statement shapes (values blanked) by count, largest first.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#ifdef LS_BENCH_XLSXWRITER
#include <xlsxwriter.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/section_writers.hpp"
#include "app/settings_sheet.hpp"
#include "bench/latency_connection.hpp"
#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "host/db/connection.hpp"
#include "host/db/sqlite_library.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"
#include "run/invoice_options.hpp"
#include "run/report_run.hpp"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kNetworkSeconds = 0.030;

struct Options {
    std::int64_t fetchRows = 500;
    int delayMs = 0;
    bool shapes = false;
    std::filesystem::path keep;  // --keep DIR: the saved notes are copied there
    std::vector<long> sizes;
};

// A statement with its numbers and quoted texts blanked: statements that differ only in a
// spliced value have the same shape.
std::string shapeOf(std::string_view sql) {
    std::string out;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '\'') {
            out += '?';
            for (++i; i < sql.size(); ++i) {
                if (sql[i] == '\'' && (i + 1 >= sql.size() || sql[i + 1] != '\'')) break;
                if (sql[i] == '\'') ++i;
            }
        } else if (c >= '0' && c <= '9' &&
                   (out.empty() || !std::isalnum((unsigned char)out.back()))) {
            out += '?';
            while (i + 1 < sql.size() && std::isdigit((unsigned char)sql[i + 1]))
                ++i;
        } else if (c == '\r' || c == '\n') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

class ShapeCounter : public ls::db::Connection {
  public:
    // Per shape: how often it ran and the seconds the database took for it.
    struct Cost {
        long count = 0;
        double seconds = 0;
    };

    explicit ShapeCounter(std::unique_ptr<ls::db::Connection> inner) : inner_(std::move(inner)) {}
    ls::db::Recordset execute(std::string_view sql) override {
        return timed(sql, [&] { return inner_->execute(sql); });
    }
    ls::db::Recordset execute(std::string_view sql,
                              const std::vector<ls::db::Value>& parameters) override {
        return timed(sql, [&] { return inner_->execute(sql, parameters); });
    }
    void beginRead() override { inner_->beginRead(); }
    void endRead() override { inner_->endRead(); }
    std::string describe() const override { return inner_->describe(); }
    std::map<std::string, Cost> shapes;

  private:
    template <class Run>
    ls::db::Recordset timed(std::string_view sql, Run run) {
        const auto start = Clock::now();
        auto result = run();
        Cost& cost = shapes[shapeOf(sql)];
        ++cost.count;
        cost.seconds += std::chrono::duration<double>(Clock::now() - start).count();
        return result;
    }

    std::unique_ptr<ls::db::Connection> inner_;
};

// User and system CPU seconds of a usage record.
double cpuSeconds(const rusage& u) {
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    double wallSeconds = 0;
    double cpuSeconds = 0;  // every thread of the note's run, the save included
    double saveSeconds = 0;
    double dbSeconds = 0;
    std::int64_t statements = 0;
    std::int64_t rows = 0;
    std::int64_t roundTrips = 0;
    std::int64_t strictRoundTrips = 0;
    long peakKiB = 0;
};

// Runs one size in this (child) process and writes its figures to the pipe.
Figures runOnce(const std::filesystem::path& dir, long extraLogs, const Options& options) {
    const auto database = dir / ("demo-" + std::to_string(extraLogs) + ".db");
    ls::demo::writeDemoDatabase(database, {.extraLogs = extraLogs});
    const auto templateFile = dir / "Lieferschein_Standard.xltx";

    auto opened = ls::db::connect("Provider=SQLite;Data Source=" + database.string());
    ShapeCounter* shapes = nullptr;
    if (options.shapes) {
        auto counter = std::make_unique<ShapeCounter>(std::move(opened));
        shapes = counter.get();
        opened = std::move(counter);
    }
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = Clock::now();
    ls::bench::LatencyConnection db(std::move(opened), options.fetchRows,
                                    std::chrono::milliseconds(options.delayMs));
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

    if (shapes) {
        // Largest cost first: where the database time goes.
        std::vector<std::pair<double, std::string>> sorted;
        for (const auto& [shape, cost] : shapes->shapes)
            sorted.emplace_back(cost.seconds, shape);
        std::sort(sorted.rbegin(), sorted.rend());
        std::fprintf(stderr, "%zu shapes for %ld logs (count, seconds, shape):\n", sorted.size(),
                     extraLogs);
        for (const auto& [seconds, shape] : sorted)
            std::fprintf(stderr, "%8ld %8.3f  %.160s\n", shapes->shapes.at(shape).count, seconds,
                         shape.c_str());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Figures f;
    f.wallSeconds = wall;
    f.cpuSeconds = cpuSeconds(usage) - cpuSeconds(before);
    f.saveSeconds = save;
    f.dbSeconds = db.databaseSeconds();
    f.statements = db.statements();
    f.rows = db.rows();
    f.roundTrips = db.roundTrips();
    f.strictRoundTrips = db.strictRoundTrips();
    f.peakKiB = usage.ru_maxrss;
    return f;
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--fetch-rows" && i + 1 < argc) {
            o.fetchRows = std::atol(argv[++i]);
        } else if (arg == "--delay-ms" && i + 1 < argc) {
            o.delayMs = std::atoi(argv[++i]);
        } else if (arg == "--keep" && i + 1 < argc) {
            o.keep = argv[++i];
        } else if (arg == "--shapes") {
            o.shapes = true;
        } else {
            o.sizes.push_back(std::atol(argv[i]));
        }
    }
    if (o.sizes.empty()) o.sizes = {0, 2'000, 10'000, 100'000};
    return o;
}

#ifdef LS_BENCH_XLSXWRITER
// The baseline: libxlsxwriter writing one row of 11 cells per log (two texts, nine numbers
// with a number format), in a child process of its own; its wall and CPU seconds.
struct Baseline {
    double wall = 0;
    double cpu = 0;
};

Baseline xlsxwriterSeconds(const std::filesystem::path& dir, long rows) {
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
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return {std::chrono::duration<double>(Clock::now() - start).count(), cpuSeconds(usage)};
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    // Before the demo database is written: the note's connection opens SQLite second.
    ls::db::configureSqliteLibrary();
    ls::text::setUserLocale(ls::text::UserLocale{});
    auto dir = std::filesystem::temp_directory_path() / "lieferschein-bench-XXXXXX";
    std::string pattern = dir.string();
    if (!::mkdtemp(pattern.data())) return 1;
    dir = pattern;
    ls::demo::writeDefaultTemplate(dir / "Lieferschein_Standard.xltx");

    std::printf(
        "fetch: %lld rows per call%s\n", static_cast<long long>(options.fetchRows),
        options.delayMs
            ? (", waiting " + std::to_string(options.delayMs) + " ms per round trip").c_str()
            : "");
    std::printf("%8s %10s %10s %11s %9s %12s %12s %9s %9s %8s %13s\n", "logs", "statements", "rows",
                "round trips", "wall s", "at 30 ms s", "strict 30 s", "peak MiB", "db share",
                "save s", "us/log vs 1st");
    double firstPerLog = 0;
    for (const long size : options.sizes) {
        int fds[2];
        if (::pipe(fds) != 0) return 1;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            const Figures f = runOnce(dir, size, options);
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
        // Waiting really, the wall time holds the delays; otherwise they are added up.
        const double cpu = options.delayMs ? f.wallSeconds - options.delayMs / 1000.0 * f.roundTrips
                                           : f.wallSeconds;
        const double at30 = cpu + kNetworkSeconds * static_cast<double>(f.roundTrips);
        const double strict30 = cpu + kNetworkSeconds * static_cast<double>(f.strictRoundTrips);
        // Time per log against the first size: flat time per log shows as 1.0. The invoice's
        // own logs count too, so size 0 gives no ratio.
        const double perLog = size > 0 ? cpu / static_cast<double>(size) : 0;
        if (firstPerLog == 0) firstPerLog = perLog;
        std::printf("%8ld %10lld %10lld %11lld %9.2f %12.1f %12.1f %9.0f %8.0f%% %8.2f %13.2f\n",
                    size, static_cast<long long>(f.statements), static_cast<long long>(f.rows),
                    static_cast<long long>(f.roundTrips), f.wallSeconds, at30, strict30,
                    f.peakKiB / 1024.0, 100.0 * f.dbSeconds / f.wallSeconds, f.saveSeconds,
                    firstPerLog > 0 ? perLog / firstPerLog : 0.0);
#ifdef LS_BENCH_XLSXWRITER
        const Baseline baseline = size > 0 ? xlsxwriterSeconds(dir, size) : Baseline{};
        if (baseline.wall > 0 && baseline.cpu > 0) {
            // On a busy machine the wall times swing; the CPU times hold.
            std::printf(
                "%8s libxlsxwriter, %ld rows of 11 cells: %.2f s; note / libxlsxwriter: "
                "%.2f; CPU %.2f s against %.2f s: %.2f\n",
                "", size, baseline.wall, cpu / baseline.wall, f.cpuSeconds, baseline.cpu,
                f.cpuSeconds / baseline.cpu);
        }
#endif
        if (!options.keep.empty()) {
            const auto name = "Lieferschein-" + std::to_string(size) + ".xlsx";
            std::filesystem::create_directories(options.keep);
            std::filesystem::copy_file(dir / name, options.keep / name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
    std::filesystem::remove_all(dir);
    return 0;
}

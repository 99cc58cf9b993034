// The delivery note of the demo invoice, plain and grown by 10,000 logs, cell by cell as
// recorded in tests/data/notes: a change to how the rows are fetched must not move a single
// value, format, merge, width or page break. To record anew after an intended change of the
// note, run the program and write `sheet_dump <note>` over the file (gzip -9 for the large
// one).
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/process.hpp"
#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "tests/support/sheet_dump.hpp"
#include "tests/support/test_database.hpp"

namespace ls {
namespace {

// A recorded dump, plain or gzip-compressed (the large ones).
std::string readFile(const std::filesystem::path& file) {
    std::string content;
    gzFile in = gzopen(file.c_str(), "rb");
    if (!in) return content;
    char buffer[65536];
    for (int n; (n = gzread(in, buffer, sizeof buffer)) > 0;)
        content.append(buffer, static_cast<std::size_t>(n));
    gzclose(in);
    return content;
}

// The first line where two dumps part, for a readable failure.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected), b(actual);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ha = static_cast<bool>(std::getline(a, la));
        const bool hb = static_cast<bool>(std::getline(b, lb));
        if (!ha && !hb) return "";
        if (!ha || !hb || la != lb)
            return "line " + std::to_string(line) + ":\n  recorded: " + (ha ? la : "<end>") +
                   "\n  written:  " + (hb ? lb : "<end>");
    }
}

class CanonicalNote : public ::testing::Test {
  protected:
    CanonicalNote() {
        demo::writeDefaultTemplate(templates() / "Lieferschein_Standard.xltx");
        std::ofstream(ini()) << "[Lieferschein]\nPathTemplates=" << templates().string()
                             << "\nPathOutput=" << dir.path().string() << "\n";
        ::setenv("LIEFERSCHEIN_LOCK", (dir.path() / "instance.lock").c_str(), 1);
    }

    std::filesystem::path templates() const {
        std::filesystem::create_directories(dir.path() / "vorlagen");
        return dir.path() / "vorlagen";
    }
    std::filesystem::path ini() const { return dir.path() / "tannova.ini"; }

    // The note of invoice R 1001 on the demo database grown by extraLogs, as a dump.
    std::string note(std::int64_t extraLogs) {
        const auto database = dir.path() / "demo.db";
        demo::writeDemoDatabase(database, {.extraLogs = extraLogs});
        const auto r = app::runProcess({LS_EXE, "Provider=SQLite;Data Source=" + database.string() +
                                                    "|1001|R|" + ini().string() + "|SILENT"});
        EXPECT_EQ(r.exitCode, 0) << r.output;
        return test::dumpWorkbookFile(dir.path() / "Lieferschein_R_1001.xlsx");
    }

    static std::string recorded(const char* name) {
        const auto file = std::filesystem::path(LS_SOURCE_DIR) / "tests/data/notes" / name;
        const auto content = readFile(file);
        EXPECT_FALSE(content.empty()) << "no recorded dump at " << file;
        return content;
    }

    test::TempDir dir;
};

TEST_F(CanonicalNote, TheDemoInvoiceIsWrittenCellForCellAsRecorded) {
    const auto expected = recorded("demo_R1001.dump");
    const auto actual = note(0);
    EXPECT_TRUE(expected == actual) << firstDifference(expected, actual);
}

TEST_F(CanonicalNote, TheInvoiceGrownBy10000LogsIsWrittenCellForCellAsRecorded) {
    const auto expected = recorded("demo_R1001_plus10000.dump.gz");
    const auto actual = note(10'000);
    EXPECT_TRUE(expected == actual) << firstDifference(expected, actual);
}

}  // namespace
}  // namespace ls

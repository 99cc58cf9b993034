// The program as a caller runs it: unattended, on the demo database and the default template,
// with the saved delivery note read back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <sqlite3.h>

#include <chrono>
#include <sstream>
#include <stdexcept>

#include "app/libreoffice.hpp"
#include "app/output_lock.hpp"
#include "app/process.hpp"
#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "host/db/odbc_drivers.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"
#include "tests/support/template_extras.hpp"
#include "tests/support/test_database.hpp"

namespace ls {
namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

// Sets (or, for nullptr, removes) environment variables for one test and restores them.
class EnvironmentOverride {
  public:
    EnvironmentOverride(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old != nullptr, old ? old : ""});
            if (value) {
                ::setenv(name, value, 1);
            } else {
                ::unsetenv(name);
            }
        }
    }
    ~EnvironmentOverride() {
        for (const auto& s : saved_) {
            if (s.had) {
                ::setenv(s.name.c_str(), s.value.c_str(), 1);
            } else {
                ::unsetenv(s.name.c_str());
            }
        }
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

  private:
    struct Saved {
        std::string name;
        bool had = false;
        std::string value;
    };
    std::vector<Saved> saved_;
};

// Finds the first row whose column A holds text, 0 when none does.
std::int32_t findRow(const sheet::Worksheet& s, const std::string& text, std::int32_t from = 1) {
    const auto last = s.lastUsedRow();
    for (std::int32_t row = from; row <= last; ++row) {
        if (s.value(row, 1).text == text) return row;
    }
    return 0;
}

class Unattended : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        shared_ = std::make_unique<test::TempDir>();
        demo::writeDemoDatabase(shared_->path() / "demo.db");
        demo::writeDefaultTemplate(shared_->path() / "Lieferschein_Standard.xltx");
    }
    static void TearDownTestSuite() { shared_.reset(); }

    Unattended() {
        text::setUserLocale(text::UserLocale{});
        std::filesystem::create_directories(templates());
        std::filesystem::copy_file(shared_->path() / "Lieferschein_Standard.xltx",
                                   templates() / "Lieferschein_Standard.xltx");
        writeIni("");
        ::setenv("LIEFERSCHEIN_LOCK", (dir.path() / "instance.lock").c_str(), 1);
    }

    std::filesystem::path templates() const { return dir.path() / "vorlagen"; }
    std::filesystem::path ini() const { return dir.path() / "tannova.ini"; }
    std::string demoDb() const {
        return "Provider=SQLite;Data Source=" + (shared_->path() / "demo.db").string();
    }

    // A copy of the demo database changed by a write statement, as a connection string.
    std::string changedDemoDb(const std::string& name, const std::string& sql) const {
        const auto copy = dir.path() / name;
        std::filesystem::copy_file(shared_->path() / "demo.db", copy);
        sqlite3* handle = nullptr;
        const bool opened = sqlite3_open(copy.c_str(), &handle) == SQLITE_OK;
        const bool changed =
            opened && sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(handle);
        if (!changed) throw std::runtime_error("demo database not changed: " + sql);
        return "Provider=SQLite;Data Source=" + copy.string();
    }

    void writeIni(const std::string& extra) {
        std::ofstream(ini()) << "[Lieferschein]\nPathTemplates=" << templates().string()
                             << "\nPathOutput=" << dir.path().string() << "\n"
                             << extra;
    }

    app::ProcessResult run(const std::string& job, std::vector<std::string> options = {}) {
        std::vector<std::string> argv = {LS_EXE, job};
        argv.insert(argv.end(), options.begin(), options.end());
        return app::runProcess(argv);
    }

    struct SplitResult {
        int exitCode = -1;
        std::string out;  // standard output alone
        std::string err;
    };
    // The program with its standard output and standard error apart.
    SplitResult runSplit(const std::string& job, std::vector<std::string> options = {}) {
        const auto errFile = dir.path() / "stderr.txt";
        std::vector<std::string> argv = {"sh", "-c", "exec \"$0\" \"$@\" 2>\"$ERRFILE\"", LS_EXE,
                                         job};
        argv.insert(argv.end(), options.begin(), options.end());
        ::setenv("ERRFILE", errFile.c_str(), 1);
        const auto r = app::runProcess(argv);
        std::ifstream in(errFile);
        std::stringstream err;
        err << in.rdbuf();
        return {r.exitCode, r.output, err.str()};
    }

    std::filesystem::path result(const std::string& name = "Lieferschein_R_1001.xlsx") const {
        return dir.path() / name;
    }

    static inline std::unique_ptr<test::TempDir> shared_;
    test::TempDir dir;
};

TEST_F(Unattended, WritesTheDemoDeliveryNoteAndSavesIt) {
    const auto r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_TRUE(std::filesystem::exists(result())) << r.output;
    EXPECT_THAT(r.output, HasSubstr("Fertig!"));
    // The demo template has no macro project: no macro was ever going to run.
    EXPECT_THAT(r.output, Not(HasSubstr("Vorlagenmakro")));

    auto workbook = sheet::Workbook::fromTemplate(result());
    auto& list = workbook.sheet("Holzliste");
    ASSERT_NE(workbook.findSheet("Einstellungen"), nullptr);
    // The customer's address from the start row 12, bold first line; the title below it.
    EXPECT_FALSE(list.value(12, 1).text.empty());
    EXPECT_TRUE(list.format(12, 1).bold);
    const auto title = findRow(list, "Lieferschein", 12);
    ASSERT_GT(title, 12);
    EXPECT_EQ(list.value(title, 4).text, "1001");
    // Every section of the note is there.
    for (const char* heading :
         {"Verdichtet", "Rundholz", "Schichtholz", "Gesamt", "Gesamtkubatur (Fm)"}) {
        EXPECT_GT(findRow(list, heading, title), 0) << heading;
    }
    EXPECT_FALSE(list.pageBreaks().empty());
}

TEST_F(Unattended, TheIniFilesSqlServerDriverServesTheCallersSqlOledbString) {
    // The forestry application passes the SQLOLEDB form; the SQLite driver reads its
    // "Initial Catalog" as the database file, so the driver the INI file names can be
    // followed to a real run.
    const auto drivers = db::odbc::installedDrivers();
    if (std::find(drivers.begin(), drivers.end(), "SQLite3") == drivers.end())
        GTEST_SKIP() << "SQLite3 ODBC driver not registered here";
    writeIni("SqlServerDriver=SQLite3\n");
    const std::string oledb =
        "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
        "Initial Catalog=" +
        (shared_->path() / "demo.db").string() + ";Data Source=forstsql";
    const auto r = run(oledb + "|1001|R|" + ini().string() + "|SILENT");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(std::filesystem::exists(result())) << r.output;
}

TEST_F(Unattended, AnotherApplicationReadsTheResult) {
    if (!app::findLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
    const auto r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT", {"--pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const auto pdf = dir.path() / "Lieferschein_R_1001.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf)) << r.output;
    std::ifstream in(pdf, std::ios::binary);
    std::string magic(4, '\0');
    in.read(magic.data(), 4);
    EXPECT_EQ(magic, "%PDF");
}

// A caller under a C locale (a service, a cron job) still gets German numbers and dates in
// the printout, as the text cells beside them are German.
TEST_F(Unattended, ThePrintoutShowsGermanNumbersUnderACLocale) {
    if (!app::findLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
    if (!app::findProgram("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
    EnvironmentOverride env({{"LANG", "C"},
                             {"LC_ALL", nullptr},
                             {"LC_NUMERIC", nullptr},
                             {"LC_TIME", nullptr},
                             {"LANGUAGE", nullptr}});
    const auto r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT", {"--pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const auto pdf = dir.path() / "Lieferschein_R_1001.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf)) << r.output;
    const auto text = app::runProcess({"pdftotext", "-layout", pdf.string(), "-"});
    ASSERT_EQ(text.exitCode, 0) << text.output;
    EXPECT_THAT(text.output, HasSubstr("0,190"));
    EXPECT_THAT(text.output, HasSubstr("13,1%"));
    EXPECT_THAT(text.output, Not(HasSubstr("0.190")));
    EXPECT_THAT(text.output, Not(HasSubstr("13.1%")));
    EXPECT_THAT(text.output, ContainsRegex("[0-3][0-9]\\.[01][0-9]\\.20[0-9][0-9]"));
}

// An office's per-lot template: the letterhead with its logo before every lot, the footer with
// page numbers on every page, and the template's own rules below the start row gone with the
// rows they stood in.
TEST_F(Unattended, PerLotBlocksShowTheLogoAndEveryPageItsNumber) {
    {
        auto book = sheet::Workbook::fromTemplate(templates() / "Lieferschein_Standard.xltx");
        auto& settings = book.sheet("Einstellungen");
        for (std::int32_t row = 1; row <= settings.lastUsedRow(); ++row) {
            if (settings.text(row, 1) == "lLosweise")
                settings.setText(sheet::Range::cell(row, 2), "1");
        }
        book.save(dir.path() / "losweise.xlsx");
        test::Extras extras;
        extras.rules =
            "<conditionalFormatting sqref=\"A14:J40\"><cfRule type=\"expression\" "
            "priority=\"1\"><formula>$H14&gt;1</formula></cfRule></conditionalFormatting>"
            "<dataValidations count=\"1\"><dataValidation type=\"list\" sqref=\"E20:E30\">"
            "<formula1>\"FI,KI\"</formula1></dataValidation></dataValidations>";
        std::filesystem::remove(templates() / "Lieferschein_Standard.xltx");
        test::addExtras(dir.path() / "losweise.xlsx", templates() / "Lieferschein_Losweise.xltx",
                        extras);
    }
    const bool office = app::findLibreOffice() && app::findProgram("pdftotext");
    EnvironmentOverride env({{"LANG", "C"}, {"LC_ALL", nullptr}, {"LC_NUMERIC", nullptr}});
    const auto r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT",
                       office ? std::vector<std::string>{"--pdf"} : std::vector<std::string>{});
    ASSERT_EQ(r.exitCode, 0) << r.output;

    const auto parts = test::readPackage(result());
    const auto& sheet = parts.at("xl/worksheets/sheet1.xml");
    EXPECT_EQ(sheet.find("conditionalFormatting"), std::string::npos);
    EXPECT_EQ(sheet.find("dataValidation"), std::string::npos);
    auto workbook = sheet::Workbook::fromTemplate(result());
    const auto& list = workbook.sheet("Holzliste");
    std::size_t heads = 0;
    for (std::int32_t row = 1; row <= list.lastUsedRow(); ++row) {
        heads += list.value(row, 1).text ==
                 "Es gelten die Allgemeinen Verkaufs- und Zahlungsbedingungen.";
    }
    ASSERT_GE(heads, 2u) << "the demo invoice has several lots";
    // One logo per block head, all showing the one picture of the template.
    const auto& drawing = parts.at("xl/drawings/drawing1.xml");
    EXPECT_EQ(test::occurrences(drawing, "<xdr:pic>"), heads);
    EXPECT_EQ(test::occurrences(drawing, "r:embed=\"rId1\""), heads);
    // Page numbers stand in the footer again after the positions cleared it.
    EXPECT_THAT(sheet, HasSubstr("Seite &amp;P von &amp;N"));

    if (!office) GTEST_SKIP() << "LibreOffice or pdftotext is not installed: no PDF checked";
    const auto pdf = dir.path() / "Lieferschein_R_1001.pdf";
    const auto text = app::runProcess({"pdftotext", "-layout", pdf.string(), "-"});
    ASSERT_EQ(text.exitCode, 0) << text.output;
    EXPECT_THAT(text.output, HasSubstr("Seite 1 von"));
    EXPECT_THAT(text.output, HasSubstr("Seite 2 von"));
    EXPECT_THAT(text.output, ContainsRegex("[0-9],[0-9][0-9][0-9]"));
    const auto images = app::runProcess({"pdfimages", "-list", pdf.string()});
    ASSERT_EQ(images.exitCode, 0) << images.output;
    // Two heading lines, then one line per picture shown.
    EXPECT_GE(
        static_cast<std::size_t>(std::count(images.output.begin(), images.output.end(), '\n')),
        heads + 2)
        << images.output;
}

TEST_F(Unattended, AnInvoiceWithoutLogsStillGetsAddressTitleAndPositions) {
    const auto r = run(demoDb() + "|1002|R|" + ini().string() + "|SILENT");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto workbook = sheet::Workbook::fromTemplate(result("Lieferschein_R_1002.xlsx"));
    auto& list = workbook.sheet("Holzliste");
    EXPECT_GT(findRow(list, "Lieferschein", 12), 0);
    EXPECT_EQ(findRow(list, "Verdichtet", 12), 0);
}

TEST_F(Unattended, AnInvoiceNumberUnfitForAFileNameIsCleanedOnlyInTheName) {
    const std::string number = "R-1/2\\3:4*5?6";
    // The invoice exists (with a head, without logs), so the run writes it.
    const auto db = changedDemoDb("nummer.db",
                                  "INSERT INTO HEADERRECH (VER_TYPE, R_NAME) VALUES "
                                  "('R', '" +
                                      number + "')");
    const auto r = run(db + "|" + number + "|R|" + ini().string() + "|SILENT");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const auto saved = result("Lieferschein_R_R-1_2_3_4_5_6.xlsx");
    ASSERT_TRUE(std::filesystem::exists(saved)) << r.output;
    // Straight into the output folder, nothing beside it.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_TRUE(entry.path() == saved || entry.path() == templates() || entry.path() == ini() ||
                    entry.path().filename() == "instance.lock" ||
                    entry.path().filename() == "nummer.db")
            << entry.path();
    }
    auto workbook = sheet::Workbook::fromTemplate(saved);
    auto& list = workbook.sheet("Holzliste");
    const auto title = findRow(list, "Lieferschein", 12);
    ASSERT_GT(title, 0);
    EXPECT_EQ(list.value(title, 4).text, number);
}

TEST_F(Unattended, TheInvoiceComesFromTheOptionsWhenTheCallerNamesNone) {
    const auto r = run(demoDb() + "|||" + ini().string() + "|silent");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(std::filesystem::exists(result())) << r.output;
}

TEST_F(Unattended, FailuresSayWhatWentWrongAndLeaveNoResult) {
    auto r = run("Provider=SQLite;Data Source=" + (dir.path() / "fehlt.db").string() + "|1001|R|" +
                 ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.output, HasSubstr("Die Datenbank konnte nicht geöffnet werden."));
    EXPECT_THAT(r.output, HasSubstr("fehlt.db"));

    // The second line says which file was meant, which folder and pattern were searched.
    r = run("|1001|R|" + (dir.path() / "fehlt.ini").string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.output, HasSubstr("Tannova.ini konnte nicht geöffnet werden!\nINI-Datei: " +
                                    (dir.path() / "fehlt.ini").string()));

    r = run("|1001|R|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.output, HasSubstr("Die Datenbank konnte nicht geöffnet werden.\nVersucht: "
                                    "Server (leer), Datenbank (leer)"));

    std::filesystem::remove(templates() / "Lieferschein_Standard.xltx");
    r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.output,
                HasSubstr("Keine Excelvorlage (Holzliste*.xlt) vorhanden!\nGesucht in \"" +
                          templates().string() + "\" nach Lieferschein*.xlt, *.xltx, *.xltm"));

    EXPECT_FALSE(std::filesystem::exists(result()));
}

TEST_F(Unattended, ARunPastTheSheetsLastRowStopsWithoutAResult) {
    // A template whose output starts a few rows above the sheet's end.
    auto workbook = sheet::Workbook::fromTemplate(templates() / "Lieferschein_Standard.xltx");
    auto& settings = workbook.sheet("Einstellungen");
    for (std::int32_t row = 2; row <= 101; ++row) {
        if (text::toUpper(settings.text(row, 1)) == "STARTZEILE") {
            settings.setNumber(sheet::Range::cell(row, 2), 1'048'560);
        }
    }
    workbook.save(templates() / "Lieferschein_Standard.xltx");

    const auto r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_THAT(r.output, HasSubstr("das Tabellenblatt hat ab Zeile 1048560 nur noch 17."));
    EXPECT_FALSE(std::filesystem::exists(result()));
}

TEST_F(Unattended, RunsGoOnBesideAnOpenWindow) {
    // The clerk's window holds the one-instance lock; the caller's run does not need it.
    const int fd = ::open((dir.path() / "instance.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    const auto r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT");
    ::close(fd);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(std::filesystem::exists(result()));
}

TEST_F(Unattended, RunsForTheSameFileTakeTurnsAndGiveUpAfterTheWait) {
    ::setenv("LIEFERSCHEIN_OUTPUT_WAIT", "0.5", 1);
    auto busy = app::OutputLock::acquire(result(), std::chrono::milliseconds(0));
    ASSERT_TRUE(busy.has_value());
    auto r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 3) << r.output;
    EXPECT_THAT(r.output, HasSubstr("wird von einem anderen Lauf geschrieben"));
    EXPECT_FALSE(std::filesystem::exists(result()));

    // Another invoice is another file: no waiting.
    r = run(demoDb() + "|1002|R|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 0) << r.output;

    busy.reset();
    r = run(demoDb() + "|1001|R|" + ini().string() + "|SILENT");
    ::unsetenv("LIEFERSCHEIN_OUTPUT_WAIT");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(std::filesystem::exists(result()));
}

TEST_F(Unattended, StandardOutputCarriesExactlyTheSavedFiles) {
    auto r = runSplit(demoDb() + "|1001|R|" + ini().string() + "|SILENT");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, result().string() + "\n");
    EXPECT_THAT(r.err, HasSubstr("Fertig!"));

    if (!app::findLibreOffice()) return;
    r = runSplit(demoDb() + "|1001|R|" + ini().string() + "|SILENT", {"--pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              result().string() + "\n" + (dir.path() / "Lieferschein_R_1001.pdf").string() + "\n");
}

TEST_F(Unattended, AMissingInvoiceFailsAndInvoicesWithoutHeadOrLogsWarn) {
    auto r = runSplit(demoDb() + "|4711|R|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.err, HasSubstr("Rechnung R 4711 nicht gefunden."));
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(result("Lieferschein_R_4711.xlsx")));

    r = runSplit(demoDb() + "|1002|R|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("Die Rechnung enthält keine Stämme."));
    EXPECT_THAT(r.err, testing::Not(HasSubstr("Kein Rechnungskopf")));

    // Logs of an invoice whose head was deleted.
    r = runSplit(changedDemoDb("ohne_kopf.db", "DELETE FROM HEADERRECH WHERE R_NAME = '815'") +
                 "|815|A1|" + ini().string() + "|SILENT");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("Kein Rechnungskopf: die Anschrift bleibt leer."));
    EXPECT_TRUE(std::filesystem::exists(result("Lieferschein_A1_815.xlsx")));
}

TEST_F(Unattended, BadCallsAreRefusedBeforeAnyWork) {
    const auto refused = [&](const std::string& job, std::vector<std::string> options,
                             const std::string& fault) {
        const auto r = runSplit(job, std::move(options));
        EXPECT_EQ(r.exitCode, 2) << job << "\n" << r.err;
        EXPECT_THAT(r.err, HasSubstr(fault)) << job;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(std::filesystem::exists(result())) << job;
    };
    const std::string job = demoDb() + "|1001|R|" + ini().string();
    // Without these checks "DRUCK" opened the window, X9 failed only in the run.
    refused(job + "|DRUCK", {}, "Unbekannter Modus \"DRUCK\"");
    refused(demoDb() + "|1001|X9|" + ini().string() + "|SILENT", {}, "X9");
    refused(job + "|SILENT", {"-v"}, "Unbekannte Option \"-v\"");
    refused(job + "|SILENT", {"--output", (dir.path() / "x.xlsm").string()},
            "muss auf .xlsx enden");
    std::ofstream(ini()) << "PathTemplates=" << templates().string()
                         << "\nPathOutput=" << (dir.path() / "fehlt").string() << "\n";
    refused(job + "|SILENT", {}, "Der Ausgabeordner fehlt");

    const auto help = app::runProcess({LS_EXE, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* code : {"  0  ", "  1  ", "  2  ", "  3  ", "  4  "}) {
        EXPECT_THAT(help.output, HasSubstr(code));
    }
}

TEST_F(Unattended, AFailedPrintoutIsReportedAndTheWorkbookStays) {
    if (!app::findLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
    writeIni("Printer=kein-solcher-drucker\n");
    const auto r = run(demoDb() + "|1001|R|" + ini().string() + "|PRINT");
    EXPECT_EQ(r.exitCode, 4) << r.output;
    EXPECT_THAT(r.output, HasSubstr("Drucken nicht möglich"));
    // The second line names the printer and the key that chooses it.
    EXPECT_THAT(r.output, HasSubstr("Drucker: kein-solcher-drucker (INI-Schlüssel Printer"));
    EXPECT_TRUE(std::filesystem::exists(result()));
    // The PDF was only the way to the printer; nobody asked to keep it.
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Lieferschein_R_1001.pdf"));
}

TEST_F(Unattended, QueryPrintsTabSeparatedRowsAndReportsErrors) {
    auto r = app::runProcess(
        {LS_EXE, "--query", demoDb(), "SELECT ISNULL(NULL, 'x') AS A, NULL AS B, 2.5 AS C"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "A\tB\tC\nx\t\\N\t2.5\n");
    r = app::runProcess({LS_EXE, "--query", demoDb(), "SELECT NICHTDA FROM LOGS"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.output, HasSubstr("NICHTDA"));
}

}  // namespace
}  // namespace ls

// The number of statements a note costs grows with its lists, not with its logs: on a
// network database every statement is a round trip.
#include <gtest/gtest.h>

#include "app/section_writers.hpp"
#include "app/settings_sheet.hpp"
#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "host/db/connection.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"
#include "run/invoice_options.hpp"
#include "run/report_run.hpp"
#include "tests/support/test_database.hpp"

namespace ls {
namespace {

class CountingConnection : public db::Connection {
  public:
    explicit CountingConnection(std::unique_ptr<db::Connection> inner) : inner_(std::move(inner)) {}
    db::Recordset execute(std::string_view sql) override {
        ++statements;
        return inner_->execute(sql);
    }
    db::Recordset execute(std::string_view sql, const std::vector<db::Value>& p) override {
        ++statements;
        return inner_->execute(sql, p);
    }
    std::string describe() const override { return inner_->describe(); }
    long statements = 0;

  private:
    std::unique_ptr<db::Connection> inner_;
};

struct NoteRun {
    long statements = 0;
    long lists = 0;
};

NoteRun runNote(const std::filesystem::path& dir, std::int64_t extraLogs) {
    const auto database = dir / "demo.db";
    demo::writeDemoDatabase(database, {.extraLogs = extraLogs});
    const auto templateFile = dir / "Lieferschein_Standard.xltx";
    demo::writeDefaultTemplate(templateFile);
    CountingConnection db(db::connect("Provider=SQLite;Data Source=" + database.string()));
    auto workbook = sheet::Workbook::fromTemplate(templateFile);
    run::TemplateSettings settings;
    app::readTemplateSettings(workbook, settings);
    run::RunState state;
    state.RechNr = "1001";
    state.RechArt = "R";
    state.Modus = "SILENT";
    state.KubFormat = run::GetKubaturFormat(db, state);
    run::Workbook_Aktualisieren(
        db, workbook, settings, state, app::deliveryNoteWriters(), [](std::string_view) {},
        [](std::string_view) {});
    const long statements = db.statements;
    const auto lists = db.execute(
        "SELECT COUNT(DISTINCT LOGS.LISTE) AS N FROM LOGS INNER JOIN LOGS_RECH ON "
        "LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE LOGS_RECH.R_NAME = '1001'");
    return {statements, static_cast<long>(lists["N"].toInt64())};
}

TEST(StatementBudget, AtMost25StatementsPerListAnd50BesidesHoweverManyLogs) {
    text::setUserLocale(text::UserLocale{});
    test::TempDir dir;
    const NoteRun small = runNote(dir.path(), 0);
    const NoteRun grown = runNote(dir.path(), 2'000);
    ASSERT_GT(grown.lists, small.lists);
    EXPECT_LE(small.statements, 25 * small.lists + 50) << small.lists << " lists";
    EXPECT_LE(grown.statements, 25 * grown.lists + 50) << grown.lists << " lists";
}

}  // namespace
}  // namespace ls

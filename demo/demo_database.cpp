// Writes the demo database file: schema, the office's data and optional benchmark logs.
#include "demo/demo_database.hpp"

#include <stdexcept>
#include <string>
#include <system_error>

#include "demo/benchmark_logs.hpp"
#include "demo/office_data.hpp"
#include "demo/schema.hpp"
#include "demo/sqlite_writer.hpp"
#include "platform/this_process.hpp"

namespace ls::demo {
namespace {

// Removes the unfinished file unless the database was completed.
class PendingFile {
  public:
    explicit PendingFile(std::filesystem::path path) : path_(std::move(path)) { removeQuietly(); }
    ~PendingFile() {
        if (!done_) removeQuietly();
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    const std::filesystem::path& path() const { return path_; }
    void moveTo(const std::filesystem::path& target) {
        std::error_code error;
        std::filesystem::rename(path_, target, error);
        if (error) {
            throw std::runtime_error("Demo-Datenbank kann nicht gespeichert werden: " +
                                     target.string() + ": " + error.message());
        }
        done_ = true;
    }

  private:
    void removeQuietly() const {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        auto journal = path_;
        journal += "-journal";
        std::filesystem::remove(journal, ignored);
    }
    std::filesystem::path path_;
    bool done_ = false;
};

// The schema's tables first and its indexes after the rows: building an index once is
// much faster than keeping it up to date row by row.
struct SchemaParts {
    std::string tables;
    std::string indexes;
};

// Splits at the semicolons that end statements; "--" comments may hold any text.
SchemaParts splitSchema(std::string_view sql) {
    SchemaParts parts;
    std::string statement;
    bool comment = false;
    for (const char c : sql) {
        statement += c;
        if (comment) {
            comment = c != '\n';
        } else if (c == '-' && statement.ends_with("--")) {
            comment = true;
        } else if (c == ';') {
            const bool index = statement.find("CREATE INDEX") != std::string::npos;
            (index ? parts.indexes : parts.tables) += statement;
            statement.clear();
        }
    }
    parts.tables += statement;
    return parts;
}

}  // namespace

void writeDemoDatabase(const std::filesystem::path& file, const DemoOptions& options) {
    if (options.extraLogs < 0 || options.extraLogs > BenchmarkLayout::kMaxLogs) {
        throw std::invalid_argument("Anzahl zusätzlicher Stämme muss zwischen 0 und " +
                                    std::to_string(BenchmarkLayout::kMaxLogs) +
                                    " liegen: " + std::to_string(options.extraLogs));
    }
    if (file.empty()) throw std::invalid_argument("Kein Dateiname für die Demo-Datenbank");
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        throw std::invalid_argument("Demo-Datenbank: " + file.string() + " ist ein Ordner");
    }

    // Built next to the target and renamed at the end, so a failed run leaves no
    // half-written database under the final name.
    auto pendingName = file;
    pendingName += ".tmp-" + std::to_string(platform::processId());
    PendingFile pending(pendingName);
    {
        SqliteWriter db(pending.path(), file);
        // A fresh file that is renamed only when complete needs no journal.
        db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
        const SchemaParts schema = splitSchema(schemaSql());
        db.exec("BEGIN");
        db.exec(schema.tables);
        writeReferenceData(db);
        writeLabels(db);
        writeConfiguration(db);
        writeInvoiceLogs(db);
        writePositions(db);
        addBenchmarkLogs(db, options.extraLogs,
                         BenchmarkLayout{.firstLogId = 1001, .firstMantelId = 101});
        db.exec(schema.indexes);
        db.exec("COMMIT");
        // Statistics let the query planner choose between the list and invoice indexes.
        db.exec("ANALYZE");
        db.close();
    }
    pending.moveTo(file);
}

}  // namespace ls::demo

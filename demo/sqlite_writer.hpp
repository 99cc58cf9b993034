// A writable SQLite file for the demo generator: statements, prepared inserts, transactions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

struct sqlite3;
struct sqlite3_stmt;

namespace ls::demo {

// One value bound to a statement parameter; an empty optional binds NULL.
class Cell {
  public:
    using Variant = std::variant<std::monostate, std::int64_t, double, std::string_view>;

    Cell(std::nullopt_t) {}
    Cell(int v) : v_(static_cast<std::int64_t>(v)) {}
    Cell(std::int64_t v) : v_(v) {}
    Cell(double v) : v_(v) {}
    Cell(const char* v) : v_(std::string_view(v)) {}
    Cell(std::string_view v) : v_(v) {}
    Cell(const std::string& v) : v_(std::string_view(v)) {}
    template <typename T>
    Cell(const std::optional<T>& v) {
        if (v) *this = Cell(*v);
    }

    const Variant& variant() const { return v_; }

  private:
    Variant v_;
};

class SqliteWriter;

// A prepared statement, run once per row of values.
class Statement {
  public:
    Statement(SqliteWriter& db, std::string_view sql);
    void run(std::initializer_list<Cell> values);

  private:
    struct Finalize {
        void operator()(sqlite3_stmt* s) const;
    };
    SqliteWriter& db_;
    std::unique_ptr<sqlite3_stmt, Finalize> stmt_;
    std::string sql_;
};

class SqliteWriter {
  public:
    // Creates (or opens) the file for writing. Messages name `shownAs` (the file the user
    // asked for) when it is given, else the file itself.
    explicit SqliteWriter(const std::filesystem::path& file,
                          const std::filesystem::path& shownAs = {});
    void exec(std::string_view sql);
    // INSERT INTO table (columns) VALUES (?, ...), prepared once.
    Statement insert(std::string_view table, std::initializer_list<std::string_view> columns);
    // Throws the German error message with SQLite's own text and the statement.
    [[noreturn]] void fail(std::string_view what, std::string_view sql) const;
    sqlite3* handle() const { return db_.get(); }
    // Releases the file; further use is an error. Errors of closing are reported.
    void close();

  private:
    struct Close {
        void operator()(sqlite3* db) const;
    };
    std::filesystem::path file_;
    std::unique_ptr<sqlite3, Close> db_;
};

}  // namespace ls::demo

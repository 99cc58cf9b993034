// A throw-away SQLite file made with plain SQL, for the database host's own tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ls::test {

class ScratchDatabase {
  public:
    // A new file in a new temporary folder, set up by the given statements.
    explicit ScratchDatabase(std::string_view setupSql);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const std::filesystem::path& file() const { return file_; }
    std::string sqliteString() const { return "Provider=SQLite;Data Source=" + file_.string(); }
    std::string odbcString() const { return "Driver=SQLite3;Database=" + file_.string(); }
    // A value read with a writable handle of its own, to see what a test left in the file.
    std::string scalar(std::string_view sql) const;

  private:
    std::filesystem::path dir_;
    std::filesystem::path file_;
};

}  // namespace ls::test

// The error of a database operation: what failed, the driver's diagnostic, the statement.
#pragma once

#include <stdexcept>
#include <string>

namespace ls::db {

class DbError : public std::runtime_error {
  public:
    explicit DbError(const std::string& message, std::string statement = {})
        : std::runtime_error(message), statement_(std::move(statement)) {}
    // The SQL text that failed, as the program composed it; empty for connection errors.
    const std::string& statement() const { return statement_; }

  private:
    std::string statement_;
};

}  // namespace ls::db

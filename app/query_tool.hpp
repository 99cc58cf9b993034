// The support command --query: one statement through the database host, as tab-separated text.
#pragma once

#include <iosfwd>
#include <string>

namespace ls::app {

// Runs sql exactly as the report does (check and translation included), inside a
// transaction that is rolled back, and prints a header row and
// one line per row; NULL as \N. Returns the exit status: 0, or 1 after the database's message.
int runQuery(const std::string& connectionString, const std::string& sql, std::ostream& out,
             std::ostream& err);

}  // namespace ls::app

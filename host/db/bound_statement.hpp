// A statement text with "?" markers and the values bound to them, for statements that
// repeat with other values: the text is prepared once per connection, and the values are
// never spliced into it.
#pragma once

#include <string>
#include <vector>

#include "host/db/connection.hpp"
#include "host/db/value.hpp"

namespace ls::db {

struct BoundStatement {
    std::string text;
    std::vector<Value> parameters;
};

inline Recordset execute(Connection& connection, const BoundStatement& statement) {
    return connection.execute(statement.text, statement.parameters);
}

}  // namespace ls::db

// The rows of one or more results grouped by an integer key column, for writers that used
// to ask the database once per key: one statement fetches the rows of every key, and each
// key's rows are handed out as a recordset of their own, without the key column, in the
// order the result delivered them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/db/recordset.hpp"

namespace ls::db {

class RowsByKey {
  public:
    RowsByKey() = default;
    // Takes the rows of result; see add.
    RowsByKey(Recordset result, std::string_view keyField);

    // Adds the rows of a further result with the same columns. A row whose key is NULL
    // belongs to no key (a statement asking "= key" never meets it). Throws DbError when
    // there is no such column or the columns differ from the results before.
    void add(Recordset result, std::string_view keyField);

    bool contains(std::int64_t key) const { return rows_.count(key) != 0; }
    // The key's rows; an empty recordset with the same columns for a key without rows.
    Recordset rows(std::int64_t key) const;

  private:
    // No rows, the fields of every key's recordset (without the key column), set by the
    // first result: the keys' recordsets share what was learnt about the names.
    std::optional<Recordset> shape_;
    std::unordered_map<std::int64_t, std::vector<Value>> rows_;
};

}  // namespace ls::db

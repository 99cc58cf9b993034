// A query result read fully into memory, walked like a static cursor.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/db/value.hpp"

namespace ls::db {

class Recordset {
  public:
    Recordset() = default;
    // values holds the rows one after another, names.size() values each.
    Recordset(std::vector<std::string> names, std::vector<Value> values);

    std::size_t fieldCount() const { return names_.size(); }
    const std::string& fieldName(std::size_t index) const { return names_.at(index); }
    const std::vector<std::string>& fieldNames() const { return names_; }
    // Case-insensitive, the first field of that name.
    std::optional<std::size_t> fieldIndex(std::string_view name) const;

    std::size_t rowCount() const { return rows_; }
    bool empty() const { return rows_ == 0; }
    // Positions: BOF before the first row, 0 .. rowCount()-1, EOF after the last. A fresh
    // recordset stands on its first row (on EOF and BOF when it is empty).
    bool eof() const;
    bool bof() const;
    void moveNext();      // from BOF to the first row; stays on EOF
    void movePrevious();  // from EOF to the last row; stays on BOF
    void moveFirst();

    // Fields of the current row. Throws DbError naming the field when there is no such
    // field, and when the recordset stands on BOF or EOF.
    const Value& operator[](std::string_view name) const;
    const Value& operator[](std::size_t index) const;

    // The values of all rows, one row after another, handed over without copying; the
    // recordset is empty afterwards.
    std::vector<Value> takeValues() && {
        rows_ = 0;
        pos_ = 0;
        return std::exchange(values_, {});
    }

  private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };

    // A name as a caller spells it, resolved once to its field.
    struct Resolved {
        std::string name;
        std::size_t field = 0;
    };
    std::size_t resolve(std::string_view name) const;

    std::vector<std::string> names_;
    // The names asked for, in the order first asked: a writer asks for the same fields in
    // the same order on every row, so the next name is nearly always the one after the
    // last, found without hashing.
    mutable std::vector<Resolved> asked_;
    mutable std::size_t nextAsked_ = 0;
    // Position in asked_ by name, for the names out of turn.
    mutable std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> resolved_;
    std::vector<Value> values_;
    std::size_t rows_ = 0;
    std::ptrdiff_t pos_ = 0;
};

}  // namespace ls::db

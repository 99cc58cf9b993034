// A query result read fully into memory, walked like a static cursor.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/db/value.hpp"

namespace ls::db {

class Recordset {
  public:
    // Rows are kept in blocks of this many, so that a walk through a large result can let
    // go of the rows behind it.
    static constexpr std::size_t kBlockRows = 1024;
    using Block = std::vector<Value>;

    Recordset();
    // values holds the rows one after another, names.size() values each.
    Recordset(std::vector<std::string> names, std::vector<Value> values);
    // The same, in blocks of kBlockRows rows each but the last.
    static Recordset fromBlocks(std::vector<std::string> names, std::vector<Block> blocks);
    // Other rows with this one's fields, which keep what was learnt about their names.
    Recordset withValues(std::vector<Value> values) const;

    std::size_t fieldCount() const { return layout_->names.size(); }
    const std::string& fieldName(std::size_t index) const { return layout_->names.at(index); }
    const std::vector<std::string>& fieldNames() const { return layout_->names; }
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

    // Lets go of the rows before the given one, for a walk that never goes back further;
    // a field of such a row then throws DbError. Rows go in whole blocks.
    void releaseBefore(std::size_t row);

    // The values of all rows, one row after another, handed over without copying them;
    // the recordset is empty afterwards.
    std::vector<Value> takeValues() &&;

  private:
    // A name as a caller spells it, resolved to its field. Callers name fields by string
    // literals, asked for again on every row: the slot is chosen by the text's address,
    // and the text compared, so that a name built anew finds its field as well.
    struct Slot {
        const char* address = nullptr;
        std::string name;
        std::size_t field = 0;
    };
    static constexpr std::size_t kSlots = 128;  // 64 pairs
    // The fields of a result, shared by its copies and by the recordsets made from it.
    struct Layout {
        std::vector<std::string> names;
        mutable std::array<Slot, kSlots> cache;
    };

    Recordset(std::shared_ptr<const Layout> layout, std::vector<Block> blocks);
    Recordset(const std::shared_ptr<const Layout>& layout, std::vector<Value> values);
    static std::shared_ptr<const Layout> noFields();
    static std::vector<Block> inBlocks(std::vector<Value> values, std::size_t width);
    std::size_t resolve(std::string_view name) const;
    const Value& at(std::size_t index, std::string_view name) const;

    std::shared_ptr<const Layout> layout_;
    std::vector<Block> blocks_;
    std::size_t rows_ = 0;
    std::ptrdiff_t pos_ = 0;
};

}  // namespace ls::db

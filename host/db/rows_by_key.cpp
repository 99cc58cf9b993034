// Grouping a result's rows by key.
#include "host/db/rows_by_key.hpp"

#include <algorithm>

#include "host/db/db_error.hpp"

namespace ls::db {

RowsByKey::RowsByKey(Recordset result, std::string_view keyField) {
    add(std::move(result), keyField);
}

void RowsByKey::add(Recordset result, std::string_view keyField) {
    const auto key = result.fieldIndex(keyField);
    if (!key) throw DbError("Das Feld \"" + std::string(keyField) + "\" ist nicht im Ergebnis.");
    std::vector<std::string> names = result.fieldNames();
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(*key));
    if (!shape_) {
        shape_ = Recordset(std::move(names), std::vector<Value>{});
    } else if (names != shape_->fieldNames()) {
        throw DbError("Die Ergebnisse haben verschiedene Felder und lassen sich nicht vereinen.");
    }

    // The values are moved, not copied: the pile texts alone are eight texts per log.
    const std::size_t width = result.fieldCount();
    const std::size_t rowCount = result.rowCount();
    auto all = std::move(result).takeValues();
    for (std::size_t row = 0; row < rowCount; ++row) {
        const auto first = all.begin() + static_cast<std::ptrdiff_t>(row * width);
        const Value& id = first[static_cast<std::ptrdiff_t>(*key)];
        if (id.isNull()) continue;
        auto& values = rows_[id.toInt64()];
        // Most keys have one row: room for it at once, not in four doublings from one value.
        const std::size_t needed = values.size() + width - 1;
        if (values.capacity() < needed) values.reserve(std::max(2 * values.capacity(), needed));
        for (std::size_t c = 0; c < width; ++c)
            if (c != *key) values.push_back(std::move(first[static_cast<std::ptrdiff_t>(c)]));
    }
}

Recordset RowsByKey::rows(std::int64_t key) const {
    const auto hit = rows_.find(key);
    std::vector<Value> values = hit == rows_.end() ? std::vector<Value>{} : hit->second;
    return shape_ ? shape_->withValues(std::move(values)) : Recordset();
}

}  // namespace ls::db

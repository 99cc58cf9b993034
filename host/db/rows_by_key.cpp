// Grouping a result's rows by key.
#include "host/db/rows_by_key.hpp"

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
    if (named_ && names != names_)
        throw DbError("Die Ergebnisse haben verschiedene Felder und lassen sich nicht vereinen.");
    names_ = std::move(names);
    named_ = true;

    const std::size_t width = result.fieldCount();
    for (result.moveFirst(); !result.eof(); result.moveNext()) {
        const Value& id = result[*key];
        if (id.isNull()) continue;
        auto& values = rows_[id.toInt64()];
        for (std::size_t c = 0; c < width; ++c)
            if (c != *key) values.push_back(result[c]);
    }
}

Recordset RowsByKey::rows(std::int64_t key) const {
    const auto hit = rows_.find(key);
    return Recordset(names_, hit == rows_.end() ? std::vector<Value>{} : hit->second);
}

}  // namespace ls::db

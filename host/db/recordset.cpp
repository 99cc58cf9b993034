// A fully read query result and its cursor.
#include "host/db/recordset.hpp"

#include "host/db/db_error.hpp"
#include "host/text/convert.hpp"

namespace ls::db {

Recordset::Recordset(std::vector<std::string> names, std::vector<Value> values)
    : names_(std::move(names)), values_(std::move(values)) {
    if (names_.empty() ? !values_.empty() : values_.size() % names_.size() != 0)
        throw DbError("Datensatzgruppe: " + std::to_string(values_.size()) +
                      " Werte passen nicht zu " + std::to_string(names_.size()) + " Feldern.");
    rows_ = names_.empty() ? 0 : values_.size() / names_.size();
}

std::optional<std::size_t> Recordset::fieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (text::equalsIgnoreCase(names_[i], name)) return i;
    return std::nullopt;
}

// An empty result is on BOF and EOF at once, as the original's recordsets are.
bool Recordset::eof() const {
    return rows_ == 0 || pos_ >= static_cast<std::ptrdiff_t>(rows_);
}
bool Recordset::bof() const {
    return rows_ == 0 || pos_ < 0;
}

void Recordset::moveNext() {
    if (pos_ < static_cast<std::ptrdiff_t>(rows_)) ++pos_;
}

void Recordset::movePrevious() {
    if (pos_ >= 0) --pos_;
}

void Recordset::moveFirst() {
    pos_ = 0;
}

std::size_t Recordset::resolve(std::string_view name) const {
    if (nextAsked_ < asked_.size() && asked_[nextAsked_].name == name)
        return asked_[nextAsked_++].field;
    auto found = resolved_.find(name);
    if (found == resolved_.end()) {
        const auto index = fieldIndex(name);
        if (!index) throw DbError("Das Feld \"" + std::string(name) + "\" ist nicht im Ergebnis.");
        asked_.push_back(Resolved{std::string(name), *index});
        found = resolved_.emplace(std::string(name), asked_.size() - 1).first;
    }
    nextAsked_ = found->second + 1;
    return asked_[found->second].field;
}

const Value& Recordset::operator[](std::string_view name) const {
    const std::size_t index = resolve(name);
    if (bof() || eof())
        throw DbError("Kein aktueller Datensatz für das Feld \"" + std::string(name) +
                      "\" (Anfang oder Ende erreicht).");
    return values_[static_cast<std::size_t>(pos_) * names_.size() + index];
}

const Value& Recordset::operator[](std::size_t index) const {
    if (index >= names_.size())
        throw DbError("Das Feld Nr. " + std::to_string(index) + " ist nicht im Ergebnis (" +
                      std::to_string(names_.size()) + " Felder).");
    if (bof() || eof())
        throw DbError("Kein aktueller Datensatz für das Feld \"" + names_[index] +
                      "\" (Anfang oder Ende erreicht).");
    return values_[static_cast<std::size_t>(pos_) * names_.size() + index];
}

}  // namespace ls::db

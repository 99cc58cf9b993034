// A fully read query result and its cursor.
#include "host/db/recordset.hpp"

#include <cstdint>

#include "host/db/db_error.hpp"
#include "host/text/convert.hpp"

namespace ls::db {

std::shared_ptr<const Recordset::Layout> Recordset::noFields() {
    static const auto empty = std::make_shared<const Layout>();
    return empty;
}

Recordset::Recordset() : layout_(noFields()) {}

Recordset::Recordset(std::vector<std::string> names, std::vector<Value> values)
    : Recordset(std::make_shared<const Layout>(Layout{std::move(names), {}}), std::move(values)) {}

Recordset::Recordset(std::shared_ptr<const Layout> layout, std::vector<Value> values)
    : layout_(std::move(layout)), values_(std::move(values)) {
    const std::size_t width = layout_->names.size();
    if (width == 0 ? !values_.empty() : values_.size() % width != 0)
        throw DbError("Datensatzgruppe: " + std::to_string(values_.size()) +
                      " Werte passen nicht zu " + std::to_string(width) + " Feldern.");
    rows_ = width == 0 ? 0 : values_.size() / width;
}

Recordset Recordset::withValues(std::vector<Value> values) const {
    return Recordset(layout_, std::move(values));
}

std::optional<std::size_t> Recordset::fieldIndex(std::string_view name) const {
    const auto& names = layout_->names;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (text::equalsIgnoreCase(names[i], name)) return i;
    return std::nullopt;
}

std::size_t Recordset::resolve(std::string_view name) const {
    // Two slots a name may sit in, chosen by its address: a writer's names rarely meet.
    const auto address = reinterpret_cast<std::uintptr_t>(name.data()) + name.size();
    const std::size_t first = static_cast<std::size_t>((address * 0x9E3779B97F4A7C15ull) >> 58) * 2;
    auto& cache = layout_->cache;
    for (std::size_t i = first; i < first + 2; ++i) {
        const Slot& slot = cache[i];
        if (slot.address == name.data() && slot.name == name) return slot.field;
    }
    const auto index = fieldIndex(name);
    if (!index) throw DbError("Das Feld \"" + std::string(name) + "\" ist nicht im Ergebnis.");
    // The empty slot of the two, else the second, whose name came in later.
    Slot& slot = cache[first].address == nullptr ? cache[first] : cache[first + 1];
    if (&slot == &cache[first + 1] && slot.address != nullptr) cache[first] = std::move(slot);
    slot = Slot{name.data(), std::string(name), *index};
    return *index;
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

const Value& Recordset::operator[](std::string_view name) const {
    const std::size_t index = resolve(name);
    if (bof() || eof())
        throw DbError("Kein aktueller Datensatz für das Feld \"" + std::string(name) +
                      "\" (Anfang oder Ende erreicht).");
    return values_[static_cast<std::size_t>(pos_) * layout_->names.size() + index];
}

const Value& Recordset::operator[](std::size_t index) const {
    if (index >= layout_->names.size())
        throw DbError("Das Feld Nr. " + std::to_string(index) + " ist nicht im Ergebnis (" +
                      std::to_string(layout_->names.size()) + " Felder).");
    if (bof() || eof())
        throw DbError("Kein aktueller Datensatz für das Feld \"" + layout_->names[index] +
                      "\" (Anfang oder Ende erreicht).");
    return values_[static_cast<std::size_t>(pos_) * layout_->names.size() + index];
}

}  // namespace ls::db

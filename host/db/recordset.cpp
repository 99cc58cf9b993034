// A fully read query result and its cursor.
#include "host/db/recordset.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>

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

Recordset::Recordset(const std::shared_ptr<const Layout>& layout, std::vector<Value> values)
    : Recordset(layout, inBlocks(std::move(values), layout->names.size())) {}

Recordset Recordset::fromBlocks(std::vector<std::string> names, std::vector<Block> blocks) {
    return Recordset(std::make_shared<const Layout>(Layout{std::move(names), {}}),
                     std::move(blocks));
}

Recordset::Recordset(std::shared_ptr<const Layout> layout, std::vector<Block> blocks)
    : layout_(std::move(layout)), blocks_(std::move(blocks)) {
    const std::size_t width = layout_->names.size();
    std::size_t values = 0;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const bool last = b + 1 == blocks_.size();
        if (width != 0 && (last ? blocks_[b].size() > kBlockRows * width
                                : blocks_[b].size() != kBlockRows * width))
            throw DbError("Datensatzgruppe: ein Block mit " + std::to_string(blocks_[b].size()) +
                          " Werten passt nicht zu " + std::to_string(width) + " Feldern.");
        values += blocks_[b].size();
    }
    if (width == 0 ? values != 0 : values % width != 0)
        throw DbError("Datensatzgruppe: " + std::to_string(values) + " Werte passen nicht zu " +
                      std::to_string(width) + " Feldern.");
    rows_ = width == 0 ? 0 : values / width;
}

std::vector<Recordset::Block> Recordset::inBlocks(std::vector<Value> values, std::size_t width) {
    std::vector<Block> blocks;
    const std::size_t perBlock = kBlockRows * width;
    if (values.empty()) return blocks;
    // Most results fit one block: it takes the values as they are.
    if (width == 0 || values.size() <= perBlock) {
        blocks.push_back(std::move(values));
        return blocks;
    }
    for (std::size_t at = 0; at < values.size(); at += perBlock) {
        const std::size_t end = std::min(values.size(), at + perBlock);
        blocks.emplace_back(
            std::make_move_iterator(values.begin() + static_cast<std::ptrdiff_t>(at)),
            std::make_move_iterator(values.begin() + static_cast<std::ptrdiff_t>(end)));
    }
    return blocks;
}

Recordset Recordset::withValues(std::vector<Value> values) const {
    return Recordset(layout_, std::move(values));
}

void Recordset::releaseBefore(std::size_t row) {
    for (std::size_t b = 0; b < blocks_.size() && (b + 1) * kBlockRows <= row; ++b)
        Block().swap(blocks_[b]);
}

std::vector<Value> Recordset::takeValues() && {
    std::vector<Value> all;
    if (blocks_.size() == 1) {
        all = std::move(blocks_.front());
    } else {
        std::size_t count = 0;
        for (const Block& block : blocks_)
            count += block.size();
        all.reserve(count);
        for (Block& block : blocks_) {
            std::move(block.begin(), block.end(), std::back_inserter(all));
            Block().swap(block);
        }
    }
    blocks_.clear();
    rows_ = 0;
    pos_ = 0;
    return all;
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

const Value& Recordset::at(std::size_t index, std::string_view name) const {
    if (bof() || eof())
        throw DbError("Kein aktueller Datensatz für das Feld \"" + std::string(name) +
                      "\" (Anfang oder Ende erreicht).");
    const auto row = static_cast<std::size_t>(pos_);
    const Block& block = blocks_[row / kBlockRows];
    const std::size_t offset = (row % kBlockRows) * layout_->names.size() + index;
    if (offset >= block.size())
        throw DbError("Der Datensatz " + std::to_string(row + 1) + " für das Feld \"" +
                      std::string(name) + "\" ist nicht mehr im Speicher.");
    return block[offset];
}

const Value& Recordset::operator[](std::string_view name) const {
    return at(resolve(name), name);
}

const Value& Recordset::operator[](std::size_t index) const {
    if (index >= layout_->names.size())
        throw DbError("Das Feld Nr. " + std::to_string(index) + " ist nicht im Ergebnis (" +
                      std::to_string(layout_->names.size()) + " Felder).");
    return at(index, layout_->names[index]);
}

}  // namespace ls::db

// The workbook's texts: every text cell refers to one entry. The template's shared strings
// come first with their own numbers, so sheets carried over unchanged still find theirs.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace ls::sheet {

class StringPool {
  public:
    // Loads the template's shared strings part; entry i is the template's string i.
    void load(std::string_view sharedStringsXml, std::string_view partName);

    std::uint32_t intern(std::string_view text);
    const std::string& text(std::uint32_t id) const { return items_[id].text; }
    std::size_t size() const { return items_.size(); }
    // True when entries were added since loading: the shared strings part is rewritten.
    bool grown() const { return items_.size() > loaded_; }

    // The shared strings part; references is the number of text cells.
    std::string toXml(std::size_t references) const;

  private:
    struct Item {
        std::string text;
        std::string rich;  // the template's <si> markup of a formatted text, kept as it was
    };
    // A slot of the index: an entry's number and its text's hash. The index is probed in
    // place (a power of two of slots, at most half of them used): a note interns every
    // text cell, hundreds of thousands, against some ten thousand entries.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t id = kNoEntry;
    };
    static constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
    // The slot holding text, or the empty slot where it belongs.
    Slot& slotFor(std::string_view text, std::uint32_t hash);
    // Adds the entry just appended to items_ unless its text has one already.
    void index(std::uint32_t hash);

    std::deque<Item> items_;
    std::vector<Slot> slots_;
    std::size_t indexed_ = 0;
    std::size_t loaded_ = 0;
    std::string prefix_;  // the template part's namespace prefix ("x:"), usually none
};

}  // namespace ls::sheet

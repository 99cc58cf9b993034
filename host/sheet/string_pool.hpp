// The workbook's texts: every text cell refers to one entry. The template's shared strings
// come first with their own numbers, so sheets carried over unchanged still find theirs.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

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
    std::deque<Item> items_;  // stable, the index keys point into it
    std::unordered_map<std::string_view, std::uint32_t> index_;
    std::size_t loaded_ = 0;
    std::string prefix_;  // the template part's namespace prefix ("x:"), usually none
};

}  // namespace ls::sheet

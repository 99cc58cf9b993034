// The workbook's cell formats (cellXfs) with their fonts, borders and number formats.
// Entries of the template keep their numbers; a changed format derives a new entry from
// the cell's old one, so everything the program does not set (font name, fill, colours,
// protection) stays as the template had it.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/sheet/cell_format.hpp"

namespace ls::sheet {

enum class Side { Left, Right, Top, Bottom, DiagonalDown, DiagonalUp };

class StyleTable {
  public:
    void load(std::string_view stylesXml, std::string_view partName);
    // The minimal styles of a new workbook (Calibri 11, no borders).
    void loadDefault();

    std::uint32_t withNumberFormat(std::uint32_t xf, std::string_view code);
    std::uint32_t withBold(std::uint32_t xf, bool bold);
    std::uint32_t withFontSize(std::uint32_t xf, double points);
    std::uint32_t withAlignment(std::uint32_t xf, HAlign alignment);
    std::uint32_t withBorder(std::uint32_t xf, Side side, LineStyle style);
    std::uint32_t withQuotePrefix(std::uint32_t xf, bool on);

    std::size_t size() const { return xfs_.entries.size(); }
    // A style number from a sheet; an index the table does not have counts as the default.
    std::uint32_t checked(std::uint32_t xf) const { return xf < xfs_.entries.size() ? xf : 0; }
    const CellFormat& format(std::uint32_t xf) const { return formats_[checked(xf)]; }
    bool isText(std::uint32_t xf) const;

    // True when entries were added since loading: the styles part is rewritten.
    bool changed() const;
    std::string toXml() const;

  private:
    struct Table {
        std::vector<std::string> entries;  // the serialized elements, in index order
        std::unordered_map<std::string, std::uint32_t> index;
        std::size_t loaded = 0;
        std::uint32_t intern(std::string xml, bool& added);
    };

    void loadDocument();
    void addFontInfo(const pugi::xml_node& font);
    static Borders bordersOf(const pugi::xml_node& border);
    CellFormat formatOf(const pugi::xml_node& xf) const;
    std::uint32_t internXf(std::string xml);
    std::uint32_t internFont(std::string xml);
    std::uint32_t internBorder(std::string xml);
    std::uint32_t numberFormatId(std::string_view code);
    std::string numberFormatCode(int id) const;
    template <class Edit>
    std::string edited(const std::string& xml, Edit edit) const;
    template <class Derive>
    std::uint32_t derive(std::uint32_t xf, std::uint32_t op, std::uint32_t arg, Derive derive);

    pugi::xml_document doc_;
    std::string prefix_;
    Table fonts_;
    Table borders_;
    Table xfs_;
    std::vector<bool> bold_;           // per font
    std::vector<double> fontSize_;     // per font
    std::vector<Borders> lines_;       // per border
    std::vector<CellFormat> formats_;  // per xf
    std::map<int, std::string> customCodes_;
    std::unordered_map<std::string, int> customIds_;
    std::size_t loadedCodes_ = 0;
    std::unordered_map<std::uint64_t, std::uint32_t> derived_;
};

}  // namespace ls::sheet

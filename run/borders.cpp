// The rule lines above and below headings, subtotals and totals.
#include "run/borders.hpp"

namespace ls::run {
namespace {

using sheet::Edge;
using sheet::LineStyle;

// Both helpers clear the diagonals, the left edge, the right edge and the inner vertical
// lines; the inner horizontal lines stay as the template or an earlier call left them.
void drawRule(sheet::Worksheet& sheet, std::string_view address, bool withBottom) {
    const sheet::Range range(address);
    sheet.setBorder(range, Edge::DiagonalDown, LineStyle::None);
    sheet.setBorder(range, Edge::DiagonalUp, LineStyle::None);
    sheet.setBorder(range, Edge::Left, LineStyle::None);
    sheet.setBorder(range, Edge::Top, LineStyle::Thin);
    if (withBottom) sheet.setBorder(range, Edge::Bottom, LineStyle::Thin);
    sheet.setBorder(range, Edge::Right, LineStyle::None);
    sheet.setBorder(range, Edge::InsideVertical, LineStyle::None);
}

}  // namespace

void SetRahmenObenUnten(sheet::Worksheet& sheet, std::string_view address) {
    drawRule(sheet, address, true);
}

void SetRahmenOben(sheet::Worksheet& sheet, std::string_view address) {
    drawRule(sheet, address, false);
}

}  // namespace ls::run

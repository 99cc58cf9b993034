// The rule lines of headings, subtotals and totals: which edges they draw, clear and keep.
#include "run/borders.hpp"

#include <gtest/gtest.h>

#include "host/sheet/workbook.hpp"

namespace ls::run {
namespace {

using sheet::Edge;
using sheet::LineStyle;

class Borders : public ::testing::Test {
  protected:
    // A template's frame: every edge of B2:D4 drawn, inside lines included.
    Borders() {
        for (const auto edge :
             {Edge::Left, Edge::Top, Edge::Bottom, Edge::Right, Edge::InsideVertical,
              Edge::InsideHorizontal, Edge::DiagonalUp, Edge::DiagonalDown}) {
            sheet().setBorder("B2:D4", edge, LineStyle::Thin);
        }
    }
    sheet::Worksheet& sheet() { return workbook.sheet(0); }
    sheet::Borders at(int row, int column) { return sheet().format(row, column).borders; }

    sheet::Workbook workbook = sheet::Workbook::blank({"Holzliste"});
};

TEST_F(Borders, AboveAndBelowClearsTheVerticalsAndKeepsTheInnerRows) {
    SetRahmenObenUnten(sheet(), "B2:D4");
    for (int column = 2; column <= 4; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(at(2, column).top, LineStyle::Thin);
        EXPECT_EQ(at(4, column).bottom, LineStyle::Thin);
        // The lines between the rows stay as the template drew them.
        EXPECT_EQ(at(2, column).bottom, LineStyle::Thin);
        EXPECT_EQ(at(3, column).bottom, LineStyle::Thin);
        for (int row = 2; row <= 4; ++row) {
            EXPECT_EQ(at(row, column).left, LineStyle::None);
            EXPECT_EQ(at(row, column).right, LineStyle::None);
            EXPECT_EQ(at(row, column).diagonalDown, LineStyle::None);
            EXPECT_EQ(at(row, column).diagonalUp, LineStyle::None);
        }
    }
}

TEST_F(Borders, AboveOnlyKeepsTheLineBelow) {
    SetRahmenOben(sheet(), "B4:D4");
    for (int column = 2; column <= 4; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(at(4, column).top, LineStyle::Thin);
        EXPECT_EQ(at(4, column).bottom, LineStyle::Thin);
        EXPECT_EQ(at(4, column).left, LineStyle::None);
        EXPECT_EQ(at(4, column).right, LineStyle::None);
    }

    // On a row without a line below, none is drawn.
    SetRahmenOben(sheet(), "F7:H7");
    for (int column = 6; column <= 8; ++column) {
        EXPECT_EQ(at(7, column).top, LineStyle::Thin);
        EXPECT_EQ(at(7, column).bottom, LineStyle::None);
    }
}

}  // namespace
}  // namespace ls::run

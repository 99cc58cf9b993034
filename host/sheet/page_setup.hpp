// The print layout of a worksheet.
#pragma once

#include <optional>
#include <string>

namespace ls::sheet {

enum class Orientation { Portrait, Landscape };
enum class PageOrder { DownThenOver, OverThenDown };
enum class PrintComments { None, AtEnd, AsDisplayed };

// The page header and footer, each in three sections, with their field codes
// ("Seite &P von &N", "&D", "&F", ...).
struct HeaderFooter {
    std::string leftHeader, centerHeader, rightHeader;
    std::string leftFooter, centerFooter, rightFooter;
    bool operator==(const HeaderFooter&) const = default;
};

struct PageSetup {
    std::string printTitleRows;     // "$1:$3", "" for none
    std::string printTitleColumns;  // "$A:$B", "" for none
    std::string printArea;          // "A1:M80", "" for the used range
    HeaderFooter headerFooter;
    bool printHeadings = false;
    bool printGridlines = false;
    PrintComments printComments = PrintComments::None;
    bool centerHorizontally = false;
    bool centerVertically = false;
    Orientation orientation = Orientation::Portrait;
    bool draft = false;
    int paperSize = 9;                   // 9 = A4
    std::optional<int> firstPageNumber;  // nullopt = automatic
    PageOrder order = PageOrder::DownThenOver;
    bool blackAndWhite = false;
    int zoom = 100;  // print scale in percent
    bool operator==(const PageSetup&) const = default;
};

}  // namespace ls::sheet

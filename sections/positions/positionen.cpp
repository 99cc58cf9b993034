// Writes the invoice's other positions, grouped by order, in landscape A4.
#include "sections/positions/positionen.hpp"

#include <string>

#include "host/text/convert.hpp"
#include "run/borders.hpp"
#include "run/cells.hpp"
#include "sections/positions/positionen_sql.hpp"

namespace ls::sections {
namespace {

// The positions page is printed on its own terms, whatever the template had set.
void setUpPage(sheet::Worksheet& sheet) {
    sheet::PageSetup& page = sheet.pageSetup();
    page.printTitleRows.clear();
    page.printTitleColumns.clear();
    page.printArea.clear();
    page.headerFooter = {};
    page.printHeadings = false;
    page.printGridlines = false;
    page.printComments = sheet::PrintComments::None;
    page.centerHorizontally = false;
    page.centerVertically = false;
    page.orientation = sheet::Orientation::Landscape;
    page.draft = false;
    page.paperSize = 9;  // A4
    page.firstPageNumber.reset();
    page.order = sheet::PageOrder::DownThenOver;
    page.blackAndWhite = false;
    page.zoom = 100;
}

void writeHeadings(run::Report& r) {
    const auto row = r.state.Zeile;
    const auto put = [&](const char* column, std::string_view heading) {
        r.sheet.setText(run::cellAddress(column, row), heading);
    };
    put("A", "Nr.");
    put("B", "Artikel");
    put("E", "Datum");
    put("F", "Arbeiter/Maschine");
    put("I", "Zahlart");
    put("J", "Zahlungsgrund");
    put("L", "Menge");
    put("M", "Einh.");
    const std::string line = run::rowRange("A", "M", row);
    r.sheet.setBold(line, true);
    run::SetRahmenObenUnten(r.sheet, line);
}

void writeOrderLine(run::Report& r, const db::Recordset& rs) {
    const auto row = r.state.Zeile;
    const sheet::Range cell(run::cellAddress("A", row));
    r.sheet.setBold(run::rowRange("A", "M", row), true);
    // "@": an order number like "0815" stays as it is.
    r.sheet.setNumberFormat(cell, "@");
    r.sheet.setText(
        cell, "AUFTRAG: " + rs["AUFTRAGSNUMMER"].toText() + " " + rs["AUFTRAGSNAME"].toText());
}

void writePosition(run::Report& r, const db::Recordset& rs) {
    const auto row = r.state.Zeile;
    const auto cell = [row](const char* column) {
        return sheet::Range(run::cellAddress(column, row));
    };
    run::writeValue(r.sheet, cell("A"), rs["NUMMER"]);
    r.sheet.setText(cell("B"), text::trim(rs["BEZEICH1"].toText() + " " + rs["BEZEICH2"].toText()));
    r.sheet.setNumberFormat(cell("E"), "dd.mm.yyyy");
    run::writeValue(r.sheet, cell("E"), rs["DATUM"]);
    run::writeValue(r.sheet, cell("F"), rs["ARBEITER_MASCH"]);
    run::writeValue(r.sheet, cell("I"), rs["ZAHLART"]);
    // A time record's remark says more than the receipt's payment reason.
    const db::Value& bemerkung = rs["BEMERKUNG"];
    const bool hasRemark = !bemerkung.isNull() && !bemerkung.toText().empty();
    run::writeValue(r.sheet, cell("J"), hasRemark ? bemerkung : rs["ZAHLUNGSGRUND"]);
    r.sheet.setNumberFormat(cell("L"), "0.00");
    run::writeValue(r.sheet, cell("L"), rs["MENGE"]);
    run::writeValue(r.sheet, cell("M"), rs["EINHEIT"]);
}

}  // namespace

void WritePositionen(run::Report& r) {
    auto rs = r.db.execute(positionenSql(r.state.RechNr));
    // An invoice without positions leaves the sheet and its page layout untouched.
    if (rs.eof()) return;

    setUpPage(r.sheet);
    r.state.Zeile += 2;
    writeHeadings(r);

    // Positions without an order carry "" and so get no order line.
    std::string lastOrder;
    for (; !rs.eof(); rs.moveNext()) {
        ++r.state.Zeile;
        const std::string order = rs["AUFTRAGSNUMMER"].toText();
        if (order != lastOrder) {
            lastOrder = order;
            writeOrderLine(r, rs);
            ++r.state.Zeile;
        }
        writePosition(r, rs);
    }

    // Each fit reads the whole note's rows, unless it goes on from the fit before it: L
    // first, inside the field columns the lists fitted, then E, then I and J in one pass.
    for (const char* columns : {"L:L", "E:E", "I:J"})
        r.sheet.autoFitColumns(columns);
}

}  // namespace ls::sections

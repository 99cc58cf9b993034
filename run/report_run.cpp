// The report run driver: decides which writer runs, in which order, and where blocks,
// column widths and page breaks go.
#include "run/report_run.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

#include "host/db/db_error.hpp"
#include "host/db/read_transaction.hpp"
#include "host/db/sql_text.hpp"
#include "host/sheet/range.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/text/convert.hpp"
#include "run/cells.hpp"
#include "run/kopf_fuss.hpp"
#include "run/labels.hpp"
#include "run/run_sql.hpp"

namespace ls::run {
namespace {

std::string withoutLogsPrefix(std::string text) {
    constexpr std::string_view prefix = "LOGS.";
    for (auto at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at)) {
        text.erase(at, prefix.size());
    }
    return text;
}

// The configuration numbers that place the additional texts of head block and pile line.
void readZusText(db::Connection& db, RunState& state) {
    auto rs = db.execute(formsConfigSql());
    static constexpr std::array<std::pair<std::string_view, std::size_t>, 8> kNames = {{
        {"ZUSTEXT1", kZustext1},
        {"ZUSTEXT2", kZustext2},
        {"ZUSTEXT3", kZustext3},
        {"ZUSTEXT4", kZustext4},
        {"ZUSTEXT5", kZustext5},
        {"COORDINATE1", kCoordinate1},
        {"COORDINATE2", kCoordinate2},
        {"ZUSATZTEXT", kZusatztext},
    }};
    for (; !rs.eof(); rs.moveNext()) {
        const std::string id = rs["property_id"].toText();
        for (const auto& [name, index] : kNames) {
            if (id != name) continue;
            const auto& number = rs["number_value"];
            const auto value = number.isNull() ? 0 : number.toInt64();
            if (value < std::numeric_limits<std::int16_t>::min() ||
                value > std::numeric_limits<std::int16_t>::max()) {
                throw db::DbError("FORMS_CONFIG: der Wert " + std::to_string(value) + " von " + id +
                                  " liegt außerhalb des Zahlenbereichs -32768 bis 32767.");
            }
            state.ZusText[index] = static_cast<std::int16_t>(value);
        }
    }
}

class Driver {
  public:
    Driver(db::Connection& db, sheet::Workbook& workbook, const TemplateSettings& settings,
           RunState& state, const SectionWriters& writers, const StatusSink& status,
           const RowProgress& rowDone)
        : db_(db),
          workbook_(workbook),
          settings_(settings),
          state_(state),
          writers_(writers),
          status_(status),
          labels_(db),
          report_{db, workbook.sheet(0), settings, state, labels_, status} {
        if (!rowDone) return;
        // The single-log lists report their rows; the clerk sees them counted over the
        // whole invoice, each list continuing where the one before ended.
        report_.rowDone = [this, rowDone](std::size_t done, std::size_t total) {
            if (done == 0) {
                rowsBefore_ += rowsOfList_;
                rowsOfList_ = total;
            }
            rowDone(rowsBefore_ + done, std::max(invoiceRows_, rowsBefore_ + total));
        };
        countRows_ = true;
    }

    RunResult run(const std::function<void(std::string_view)>& message) {
        for (const auto& warning : workbook_.warnings())
            status_("Warnung: " + warning);
        readZusText(db_, state_);
        if (state_.RechNr.empty()) {
            message("Rechnung nicht gefunden");
            return {RunOutcome::InvoiceNotFound, false, {}};
        }
        // RechArt becomes part of a column name.
        state_.RechArt = db::checkedInvoiceKind(state_.RechArt);

        auto lists = db_.execute(listenSql(state_.RechArt, state_.RechNr));
        RunResult result;
        const bool hasHead = invoiceHasHead();
        if (lists.eof() && !hasHead) {
            // A mistyped number must not come out as an empty delivery note.
            message("Rechnung " + state_.RechArt + " " + state_.RechNr + " nicht gefunden.");
            return {RunOutcome::InvoiceNotFound, false, {}};
        }
        if (lists.eof()) result.warnings.emplace_back("Die Rechnung enthält keine Stämme.");
        if (!hasHead) {
            result.warnings.emplace_back("Kein Rechnungskopf: die Anschrift bleibt leer.");
        }
        for (const auto& warning : result.warnings)
            status_(warning);
        const std::size_t logs = countRows_ || settings_.lEinzeln != 0 ? invoiceLogCount() : 0;
        if (countRows_) invoiceRows_ = logs;
        if (settings_.lEinzeln != 0) refuseMoreLogsThanRows(logs);

        // The template's macros get the condition the previous run left behind.
        workbook_.runMacro(
            "DieseArbeitsmappe.SetGlobalVariables",
            {state_.ConnectString, withoutLogsPrefix(state_.Bedingung), state_.RechNr});
        workbook_.runMacro("DieseArbeitsmappe.WriteKundeKopf");

        // Before anything touches the sheet: the invoice positions clear header and footer.
        const auto kopfFuss = KopfFussLesen(sheet());
        state_.Zeile = settings_.StartZeile;
        // The list sheet is the first one; it is the active sheet from here on.
        workbook_.activate(sheet());
        clearOldOutput();
        writeOpening();
        sheet().resetPageBreaks();

        try {
            bool firstLotBlock = true;
            while (!lists.eof())
                writeList(lists, firstLotBlock);
            writers_.WritePositionen(report_);
        } catch (const sheet::SheetError&) {
            // The sheet's only limit a correct run meets is its last row; say so in words.
            if (state_.Zeile <= sheet::kMaxRows) throw;
            throw std::length_error(
                "Der Lieferschein braucht mehr Zeilen, als ein Tabellenblatt hat (" +
                text::groupedNumber(sheet::kMaxRows) + "); das Blatt war bei Liste " +
                state_.AktListe +
                " voll.\nBitte die Rechnung teilen oder in der Vorlage weniger Teile einschalten "
                "(lEinzeln, lVerdichtet).");
        }
        status_("Kopf / Fußzeile ...");
        state_.Bedingung = invoiceCondition(state_.RechArt, state_.RechNr);
        if (settings_.lKubGesamt) writers_.WriteGesamtsummen(report_);

        // Template macros cannot run here; the program does what this one is called for.
        WriteKopfFuss(sheet(), kopfFuss, settings_.lKopfFuss, settings_.nZoom, status_);
        workbook_.runMacro("DieseArbeitsmappe.SetDotFields");
        status_("Fertig!");

        result.print =
            settings_.lSofortDruck != 0 || text::toUpper(text::trim(state_.Modus)) == "PRINT";
        return result;
    }

  private:
    sheet::Worksheet& sheet() { return report_.sheet; }

    std::size_t invoiceLogCount() {
        auto rs = db_.execute(invoiceLogCountSql(state_.RechArt, state_.RechNr));
        if (rs.eof() || rs["ANZAHL"].isNull()) return 0;
        return static_cast<std::size_t>(std::max<std::int64_t>(0, rs["ANZAHL"].toInt64()));
    }

    // The single-log list gives every log a row of its own. An invoice with more logs than
    // the sheet has rows below the start row cannot become a note; that is said before any
    // list is read, instead of after minutes of work and a result of a million rows held in
    // memory.
    void refuseMoreLogsThanRows(std::size_t logs) const {
        const auto rows = static_cast<std::size_t>(
            std::max<std::int32_t>(0, sheet::kMaxRows - settings_.StartZeile + 1));
        if (logs <= rows) return;
        throw std::length_error(
            "Die Rechnung " + state_.RechArt + " " + state_.RechNr + " hat " +
            text::groupedNumber(logs) +
            " Stämme; die Einzelliste braucht für jeden eine Zeile, "
            "das Tabellenblatt hat ab Zeile " +
            std::to_string(settings_.StartZeile) + " nur noch " + text::groupedNumber(rows) +
            ".\nBitte die Rechnung teilen oder die Einzelliste in der Vorlage abschalten "
            "(lEinzeln).");
    }

    bool invoiceHasHead() {
        auto rs = db_.execute(invoiceHeadSql(state_.RechArt, state_.RechNr));
        return !rs.eof() && !rs["ANZAHL"].isNull() && rs["ANZAHL"].toInt64() > 0;
    }

    void clearOldOutput() {
        const auto start = settings_.StartZeile;
        auto last = sheet().lastUsedRow();
        if (last < start) last = start + 1;
        sheet().deleteRows(start, last);
    }

    void writeOpening() {
        writers_.WriteKundenAdresse(report_);
        state_.Zeile += 1;
        const auto row = state_.Zeile;
        sheet().setText(cellAddress("A", row), "Lieferschein");
        sheet().setNumberFormat(cellAddress("D", row), "@");
        sheet().setText(cellAddress("D", row), state_.RechNr);
        sheet().setBold(rowRange("A", "D", row), true);
        sheet().setFontSize(rowRange("A", "D", row), 14);
        state_.Zeile += 2;
    }

    // Collects the lots of the list the recordset stands on and writes its blocks.
    void writeList(db::Recordset& lists, bool& firstLotBlock) {
        state_.LosBedingung.clear();
        state_.AnzLose = 0;
        state_.Lose.clear();
        state_.AktListe = lists["LISTE"].toText();
        state_.Bedingung = invoiceCondition(state_.RechArt, state_.RechNr);
        while (!lists.eof() && lists["LISTE"].toText() == state_.AktListe) {
            const auto& los = lists["LOS"];
            const std::string lot = los.isNull() ? std::string() : los.toText();
            const std::string* lotOrNull = los.isNull() ? nullptr : &lot;
            state_.LosBedingung += lotPiece(lotOrNull, state_.AnzLose == 0);
            state_.Lose.push_back(lotPiece(lotOrNull, true));
            state_.AnzLose += 1;
            lists.moveNext();
        }

        if (settings_.lLosweise != 0 && state_.AnzLose >= 1) {
            for (const auto& lot : state_.Lose)
                writeLotBlock(lot, firstLotBlock);
            if (settings_.lGesamt) writeTotalBlock();
            return;
        }

        state_.Bedingung =
            wholeListCondition(state_.AktListe, state_.LosBedingung, state_.RechArt, state_.RechNr);
        status_("Kopf ...");
        writers_.WriteListenKopf(report_);
        state_.StartBlock = state_.Zeile;
        writeLists("", "Verdichtet ...", "Einzeln ...");
        setBlockWidths();
        endBlock();
    }

    void writeLotBlock(const std::string& lot, bool& firstLotBlock) {
        state_.Bedingung = lotCondition(state_.AktListe, lot, state_.RechArt, state_.RechNr);
        const std::string prefix = "Liste = '" + state_.AktListe + "' " + lot;
        status_(prefix + " Kopf ...");
        if (!firstLotBlock) copyHead();
        firstLotBlock = false;

        writers_.WriteListenKopf(report_);
        state_.StartBlock = state_.Zeile;
        writeLists(prefix, " verdichtet ...", " einzeln ...");
        sheet().setColumnWidth(blockRange(), settings_.SpaltenBreite);
        endBlock();
    }

    // The template's head rows stand again above every lot block but the first.
    void copyHead() {
        if (state_.KopfVon == 0) state_.KopfVon = 1;
        if (state_.KopfBis == 0) state_.KopfBis = settings_.StartZeile - 1;
        // A template whose output starts in row 1 has no head to copy.
        if (state_.KopfBis >= state_.KopfVon) {
            sheet().copyRows(state_.KopfVon, state_.KopfBis, state_.Zeile);
        }
        state_.Zeile += state_.KopfBis;
    }

    void writeTotalBlock() {
        state_.Bedingung =
            listTotalCondition(state_.AktListe, state_.LosBedingung, state_.RechArt, state_.RechNr);
        status_("Gesamt Kopf ...");
        writers_.WriteListenKopf(report_);
        state_.StartBlock = state_.Zeile;
        status_("Gesamt verdichtet ...");
        // The total of a list always shows its aggregated list, and never its single logs.
        writers_.WriteVerdichtet(report_);
        setBlockWidths();
    }

    void writeLists(const std::string& prefix, std::string_view verdichtet,
                    std::string_view einzeln) {
        const auto writeVerdichtet = [&] {
            status_(prefix + std::string(verdichtet));
            if (settings_.lVerdichtet != 0) writers_.WriteVerdichtet(report_);
        };
        const auto writeEinzeln = [&] {
            status_(prefix + std::string(einzeln));
            if (settings_.lEinzeln != 0) writers_.WriteEinzeln(report_);
        };
        if (settings_.lZuerstVerdichtet != 0) {
            writeVerdichtet();
            writeEinzeln();
        } else {
            writeEinzeln();
            writeVerdichtet();
        }
    }

    sheet::Range blockRange() const {
        return sheet::Range(cellAddress("A", state_.StartBlock) + ":" +
                            cellAddress("J", state_.Zeile - 1));
    }

    void setBlockWidths() {
        sheet().setColumnWidth(blockRange(), settings_.SpaltenBreite);
        const auto& felder = settings_.Felder;
        for (std::size_t k = 0; k < felder.size(); ++k) {
            if (felder[k].columnWidth <= 0) continue;
            const auto column = 10 + static_cast<std::int32_t>(k) + 1;
            sheet().setColumnWidth(
                sheet::Range(state_.StartBlock - 1, column, state_.Zeile - 1, column),
                felder[k].columnWidth);
        }
    }

    void endBlock() {
        state_.Zeile += 1;
        sheet().addPageBreakBefore(state_.Zeile);
        state_.Zeile += 1;
    }

    db::Connection& db_;
    sheet::Workbook& workbook_;
    const TemplateSettings& settings_;
    RunState& state_;
    const SectionWriters& writers_;
    const StatusSink& status_;
    Labels labels_;
    Report report_;
    bool countRows_ = false;
    std::size_t invoiceRows_ = 0;
    std::size_t rowsBefore_ = 0;
    std::size_t rowsOfList_ = 0;
};

}  // namespace

RunResult Workbook_Aktualisieren(db::Connection& db, sheet::Workbook& workbook,
                                 const TemplateSettings& settings, RunState& state,
                                 const SectionWriters& writers, const StatusSink& status,
                                 const std::function<void(std::string_view)>& message,
                                 const RowProgress& rowDone) {
    // The whole note from one state of the database, and SQLite's file lock taken once
    // instead of once per statement.
    const db::ReadTransaction snapshot(db);
    Driver driver(db, workbook, settings, state, writers, status, rowDone);
    return driver.run(message);
}

}  // namespace ls::run

// The report run: fills the list sheet of the workbook for one invoice, block by block.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/db/connection.hpp"
#include "host/sheet/workbook.hpp"
#include "run/report.hpp"

namespace ls::run {

// The section writers the run calls at their places. The shell wires in the real ones;
// tests may watch the run through their own.
struct SectionWriters {
    std::function<void(Report&)> WriteKundenAdresse;
    std::function<void(Report&)> WriteListenKopf;
    std::function<void(Report&)> WriteEinzeln;
    std::function<void(Report&)> WriteVerdichtet;
    std::function<void(Report&)> WritePositionen;
    std::function<void(Report&)> WriteGesamtsummen;
};

enum class RunOutcome {
    Written,          // the delivery note is complete
    InvoiceNotFound,  // no invoice number, or neither head nor logs: nothing was written
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Written;
    // The template or the caller asked for a printout. The sheet is printed once, even
    // when both ask for it.
    bool print = false;
    // What the caller should know about a note that was written all the same.
    std::vector<std::string> warnings;
};

// Walks the invoice: configuration numbers, template macros, old output cleared, customer
// address and title, one block per list or lot, positions, grand totals. Throws the
// database's and the sheet's errors; the caller then discards the workbook.
RunResult Workbook_Aktualisieren(db::Connection& db, sheet::Workbook& workbook,
                                 const TemplateSettings& settings, RunState& state,
                                 const SectionWriters& writers, const StatusSink& status,
                                 const std::function<void(std::string_view)>& message,
                                 const RowProgress& rowDone = {});

}  // namespace ls::run

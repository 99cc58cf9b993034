// The detail rows of one single-log list, fetched once for the whole block instead of once
// per pile, forest location, stack or shell group: each kind with one statement on first
// use, then handed out per log (or location) from memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/db/recordset.hpp"
#include "host/db/rows_by_key.hpp"
#include "run/report.hpp"

namespace ls::sections {

class EinzelnVorrat {
  public:
    // The block's logs as the list walks them: tells which logs open a shell group, so that
    // only their measured stems are fetched. Leaves rs on its first row.
    void kenneListe(db::Recordset& rs);

    // The row of a forest location (the columns of waldortSql).
    db::Recordset waldort(run::Report& r, std::int32_t idWaldort);
    // The pile of a log within the block: KUB and STK, then the pile texts. nullopt for a
    // log the block statement does not know.
    std::optional<db::Recordset> polter(run::Report& r, std::int64_t idLog);
    // One stack's front and back heights (with length and correction), its head record and
    // its mean front height.
    db::Recordset hoehenVorne(run::Report& r, std::int64_t idLog);
    db::Recordset hoehenHinten(run::Report& r, std::int64_t idLog);
    db::Recordset hoehenKopf(run::Report& r, std::int64_t idLog);
    db::Recordset hoehenMittel(run::Report& r, std::int64_t idLog);
    // The rows of mantelDetailSql: the measured stems of a shell group with the columns of
    // the log that opens it.
    db::Recordset mantelStaemme(run::Report& r, std::int32_t idMantel, std::int64_t idLog);

  private:
    std::optional<db::RowsByKey> waldorte_;
    std::optional<db::RowsByKey> polter_;
    std::optional<db::RowsByKey> vorne_;
    std::optional<db::RowsByKey> hinten_;
    std::optional<db::RowsByKey> kopf_;
    std::optional<db::RowsByKey> mantel_;
    // The logs that open a shell group, in list order, and the group each opens.
    std::vector<std::int64_t> mantelOeffner_;
    std::unordered_map<std::int64_t, std::int32_t> mantelGruppe_;
};

// The pile line of a log (WritePolterSumme) from the block's pile rows.
void WriteBlockPolter(run::Report& r, EinzelnVorrat& vorrat, const std::string& poltNr,
                      std::int64_t idLog);

}  // namespace ls::sections

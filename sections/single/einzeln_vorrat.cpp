// Fetching the detail rows of a single-log list once per block.
#include "sections/single/einzeln_vorrat.hpp"

#include <algorithm>

#include "host/db/db_error.hpp"
#include "sections/header/header_sql.hpp"
#include "sections/header/waldort_polter.hpp"
#include "sections/single/einzeln_sql.hpp"
#include "sections/single/einzeln_stand.hpp"

namespace ls::sections {
namespace {

// Logs per statement for the shell groups, whose ids are named in the statement.
constexpr std::size_t kIdsJeAnweisung = 500;

db::RowsByKey holen(run::Report& r, const std::string& sql) {
    return db::RowsByKey(r.db.execute(sql), kSchluessel);
}

}  // namespace

void EinzelnVorrat::kenneListe(db::Recordset& rs) {
    // A shell group opens where a shell-measured log names another group than the one
    // opened last; the list's walk decides the same way.
    std::int32_t letzte = 0;
    mantelOeffner_.clear();
    mantelGruppe_.clear();
    try {
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            const auto& dsart = rs["DSART"];
            if (dsart.isNull() || dsart.toInt32() != kMantel) continue;
            const auto id = mantelId(rs);
            if (id == letzte) continue;
            const auto log = rs["ID_LOG"].toInt64();
            mantelOeffner_.push_back(log);
            mantelGruppe_[log] = id;
            letzte = id;
        }
    } catch (const db::DbError&) {
        // A value the walk cannot read stops the walk itself at that row; the groups
        // before it are known, and any other is fetched on its own.
    }
    rs.moveFirst();
}

db::Recordset EinzelnVorrat::waldort(run::Report& r, std::int32_t idWaldort) {
    if (!waldorte_) waldorte_ = holen(r, blockWaldortSql(r.state.Bedingung));
    return waldorte_->rows(idWaldort);
}

std::optional<db::Recordset> EinzelnVorrat::polter(run::Report& r, std::int64_t idLog) {
    if (!polter_) polter_ = holen(r, blockPolterSql(r.state.Bedingung));
    if (!polter_->contains(idLog)) return std::nullopt;
    return polter_->rows(idLog);
}

db::Recordset EinzelnVorrat::hoehenVorne(run::Report& r, std::int64_t idLog) {
    if (!vorne_) vorne_ = holen(r, blockHoehenVorneSql(r.state.Bedingung));
    return vorne_->rows(idLog);
}

db::Recordset EinzelnVorrat::hoehenHinten(run::Report& r, std::int64_t idLog) {
    if (!hinten_) hinten_ = holen(r, blockHoehenHintenSql(r.state.Bedingung));
    return hinten_->rows(idLog);
}

db::Recordset EinzelnVorrat::hoehenKopf(run::Report& r, std::int64_t idLog) {
    if (!kopf_) kopf_ = holen(r, blockHoehenKopfSql(r.state.Bedingung));
    return kopf_->rows(idLog);
}

db::Recordset EinzelnVorrat::hoehenMittel(run::Report& r, std::int64_t idLog) {
    // The mean stands on every front-height row; an aggregate over no rows still gives
    // one row, with a NULL mean.
    const auto vorne = hoehenVorne(r, idLog);
    const auto index = vorne.fieldIndex("DHIGHT");
    db::Value mittel;
    if (index && !vorne.eof()) mittel = vorne[*index];
    return db::Recordset({"DHIGHT"}, {mittel});
}

db::Recordset EinzelnVorrat::mantelStaemme(run::Report& r, std::int32_t idMantel,
                                           std::int64_t idLog) {
    const auto gruppe = mantelGruppe_.find(idLog);
    if (gruppe == mantelGruppe_.end() || gruppe->second != idMantel)
        return db::execute(r.db, mantelDetailSql(r.settings.Felder, idMantel, idLog));
    if (!mantel_) {
        db::RowsByKey alle;
        for (std::size_t von = 0; von < mantelOeffner_.size(); von += kIdsJeAnweisung) {
            const auto bis = std::min(mantelOeffner_.size(), von + kIdsJeAnweisung);
            const std::vector<std::int64_t> ids(mantelOeffner_.begin() + static_cast<long>(von),
                                                mantelOeffner_.begin() + static_cast<long>(bis));
            alle.add(r.db.execute(blockMantelDetailSql(r.settings.Felder, ids)), kSchluessel);
        }
        mantel_ = std::move(alle);
    }
    return mantel_->rows(idLog);
}

void WriteBlockPolter(run::Report& r, EinzelnVorrat& vorrat, const std::string& poltNr,
                      std::int64_t idLog) {
    const std::string id = std::to_string(idLog);
    // The same check of the id as the per-log statement makes.
    if (const auto zeilen = vorrat.polter(r, logIdFromText(id))) {
        WritePolterSumme(r, poltNr, *zeilen, *zeilen);
    } else {
        WritePolterSumme(r, poltNr, id);
    }
}

}  // namespace ls::sections

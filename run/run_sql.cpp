// Statement and condition texts of the report run.
#include "run/run_sql.hpp"

#include "host/db/sql_text.hpp"

namespace ls::run {
namespace {

std::string invoiceEquals(std::string_view rechArt, std::string_view rechNr) {
    return "LOGS_RECH." + std::string(rechArt) + "_NAME = '" + db::quoted(rechNr) + "'";
}

}  // namespace

std::string formsConfigSql() {
    return "Select property_id, number_value \rfrom FORMS_CONFIG  \rWHERE FORM_ID = "
           "'F_STAMMEINKONF' and (property_id like 'zustext%' or property_id like 'coordinate%' "
           "or property_id like 'ZUSATZTEXT')  \rorder by property_id ";
}

std::string listenSql(std::string_view rechArt, std::string_view rechNr) {
    return "SELECT DISTINCT LISTE, LOS FROM LOGS, LOGS_RECH WHERE LOGS.ID_LOG = LOGS_RECH.ID_LOG "
           "AND " +
           invoiceEquals(rechArt, rechNr) + " ORDER BY LISTE, LOS";
}

std::string invoiceHeadSql(std::string_view rechArt, std::string_view rechNr) {
    return "SELECT COUNT(*) AS ANZAHL FROM HEADERRECH WHERE HEADERRECH.VER_TYPE = '" +
           db::quoted(rechArt) + "' AND HEADERRECH.R_NAME = '" + db::quoted(rechNr) + "'";
}

std::string invoiceLogCountSql(std::string_view rechArt, std::string_view rechNr) {
    return "SELECT COUNT(*) AS ANZAHL FROM LOGS, LOGS_RECH WHERE LOGS.ID_LOG = "
           "LOGS_RECH.ID_LOG AND " +
           invoiceEquals(rechArt, rechNr);
}

std::string rechnungOptionSql() {
    return "SELECT ISNULL(TEXT_VALUE,'') AS TEXT_VALUE FROM OPTIONEN WHERE PROPERTY_ID = "
           "'EXCELRECHNUNG'";
}

std::string kubaturPlaceSql() {
    return "SELECT NUMBER_VALUE FROM OPTIONEN WHERE PROPERTY_ID = 'KUBATURPLACE'";
}

db::BoundStatement stringTextSql(std::int32_t id) {
    return {"SELECT * FROM STRINGS WHERE ID_STRING = ?", {db::Value(id)}};
}

std::string stringTextsSql(std::span<const std::int32_t> ids) {
    std::string list;
    for (const auto id : ids)
        list += (list.empty() ? "" : ", ") + std::to_string(id);
    return "SELECT * FROM STRINGS WHERE ID_STRING IN (" + list + ")";
}

std::string lotPiece(const std::string* lot, bool first) {
    const std::string lead = first ? " " : " OR ";
    if (!lot) return lead + "LOGS.LOS IS NULL ";
    return lead + "LOGS.LOS = '" + db::quoted(*lot) + "' ";
}

std::string invoiceCondition(std::string_view rechArt, std::string_view rechNr) {
    return " " + invoiceEquals(rechArt, rechNr);
}

std::string wholeListCondition(std::string_view liste, std::string_view losBedingung,
                               std::string_view rechArt, std::string_view rechNr) {
    const std::string list = "LOGS.LISTE='" + db::quoted(liste) + "'";
    if (losBedingung.empty()) return list + " and  " + invoiceEquals(rechArt, rechNr);
    return list + " AND (" + std::string(losBedingung) + ") and  " + invoiceEquals(rechArt, rechNr);
}

std::string lotCondition(std::string_view liste, std::string_view lot, std::string_view rechArt,
                         std::string_view rechNr) {
    return " " + invoiceEquals(rechArt, rechNr) + " and " + std::string(lot) +
           "AND LOGS.LISTE = '" + db::quoted(liste) + "' ";
}

std::string listTotalCondition(std::string_view liste, std::string_view losBedingung,
                               std::string_view rechArt, std::string_view rechNr) {
    return "LOGS.LISTE = '" + db::quoted(liste) + "' AND (" + std::string(losBedingung) +
           ") and  " + invoiceEquals(rechArt, rechNr);
}

}  // namespace ls::run

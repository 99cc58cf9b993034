// Statement texts of the header section.
#include "sections/header/header_sql.hpp"

#include <charconv>
#include <stdexcept>

#include "host/db/sql_text.hpp"

namespace ls::sections {
namespace {

// The blanks belong to the statements as the installations know them; keep them as they stand.
constexpr std::string_view kLogsDerRechnung =
    " FROM LOGS  INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE ";

std::string str(std::string_view s) {
    return std::string(s);
}

}  // namespace

std::string kopfWerteSql(std::string_view feld, std::string_view bedingung) {
    return "SELECT DISTINCT(" + str(feld) + ")" + str(kLogsDerRechnung) + str(bedingung) +
           " ORDER BY " + str(feld);
}

std::string listenkopfZusTxtSql(std::string_view bedingung) {
    return "SELECT DISTINCT(LISTENKOPFZUSTXT) FROM LISTENKOPF INNER JOIN LOGS ON LOGS.LISTE = "
           "LISTENKOPF.LISTE  INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE " +
           str(bedingung) + " ORDER BY LISTENKOPFZUSTXT";
}

std::string reltableSql(int index, std::string_view bedingung) {
    return "SELECT * FROM RELTABLE  WHERE ID IN (SELECT DISTINCT(RELTABLE" + std::to_string(index) +
           ") FROM LOGS INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE   " +
           str(bedingung) + ")";
}

std::string verkaufsartSql(std::string_view bedingung) {
    return "SELECT * FROM VERKAUFSART WHERE ID IN (SELECT DISTINCT ISNULL(ID_VERKAUFSART,0) "
           "FROM LOGS INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE  " +
           str(bedingung) + ")";
}

std::string adressSql(int index, std::string_view bedingung) {
    // The condition ends with a closing quote, so "AND NOT" may follow without a blank.
    const std::string kunde = index == 0 ? "R_KUNDE" : "A" + std::to_string(index) + "_KUNDE";
    return "SELECT * FROM PERSONAL WHERE ID_PERSONAL IN (SELECT DISTINCT(" + kunde +
           ") FROM LOGS_RECH,LOGS WHERE LOGS_RECH.ID_LOG=LOGS.ID_LOG AND " + str(bedingung) +
           "AND NOT " + kunde + " IS NULL) ORDER BY KURZBEZEICHNUNG";
}

db::BoundStatement listenkopfSql(std::string_view aktListe) {
    return {"SELECT * FROM LISTENKOPF WHERE LISTE = ?", {db::Value(std::string(aktListe))}};
}

std::string zusatztexteSql(std::string_view bedingung) {
    return "SELECT DISTINCT ZUSTEXT1, ZUSTEXT2, ZUSTEXT3, ZUSTEXT4, ZUSTEXT5, COORDINATE1, "
           "COORDINATE2" +
           str(kLogsDerRechnung) + str(bedingung) + " ";
}

std::string wagNrSql(std::string_view bedingung) {
    return "SELECT DISTINCT WAGNR, ZUSTXT FROM LOGS INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = "
           "LOGS.ID_LOG WHERE " +
           str(bedingung) + " ";
}

std::string kundenAdresseSql(std::string_view rechArt, std::string_view rechNr) {
    return "SELECT DISTINCT KUNDE_ID, ISNULL(ANREDE,'') AS ANREDE, ISNULL(VORNAME,'') AS "
           "VORNAME, ISNULL(NAME,'') AS NAME, ISNULL(BEZEICHNUNG,'') AS BEZEICHNUNG, "
           "ISNULL(STRASSE,'') AS STRASSE, ISNULL(PLZ,0) as PLZ, ISNULL(ORT,'') AS ORT FROM "
           "HEADERRECH INNER JOIN PERSONAL ON HEADERRECH.KUNDE_ID = PERSONAL.ID_PERSONAL WHERE "
           "HEADERRECH.VER_TYPE = '" +
           db::quoted(rechArt) + "' AND HEADERRECH.R_NAME = '" + db::quoted(rechNr) + "' ";
}

db::BoundStatement waldortSql(std::int32_t idWaldort) {
    return {"SELECT * FROM WALDORT WHERE ID_WALDORT = ?", {db::Value(idWaldort)}};
}

db::BoundStatement polterSummeSql(std::int64_t idLog, std::string_view bedingung) {
    // A missing pile number or lot belongs to the same pile as another missing one.
    return {
        "SELECT SUM(KUBATUR) KUB, SUM(STK) STK FROM LOGS INNER JOIN LOGS_RECH ON "
        "LOGS.ID_LOG = LOGS_RECH.ID_LOG INNER JOIN  (SELECT LISTE, LOS, POLTNR FROM LOGS "
        "WHERE ID_LOG = ?"
        ") as P ON P.LISTE = LOGS.LISTE AND ISNULL(P.POLTNR,'') = ISNULL(LOGS.POLTNR,'') AND "
        "ISNULL(P.LOS,'') = ISNULL(LOGS.LOS,'') where " +
            str(bedingung),
        {db::Value(idLog)}};
}

db::BoundStatement polterTexteSql(std::int64_t idLog) {
    return {
        "SELECT ZUSTEXT1, ZUSTEXT2, ZUSTEXT3, ZUSTEXT4, ZUSTEXT5, LISTZUSTXT, COORDINATE1, "
        "COORDINATE2 FROM LOGS WHERE ID_LOG = ?",
        {db::Value(idLog)}};
}

std::string blockLogsSql(std::string_view bedingung) {
    // Joined as the single-log list joins, so that a log counts once however many
    // invoice rows it has.
    return "SELECT LOGS.ID_LOG FROM LOGS LEFT JOIN LOGS_RECH ON LOGS.ID_LOG = LOGS_RECH.ID_LOG "
           "WHERE " +
           str(bedingung);
}

std::string blockWaldortSql(std::string_view bedingung) {
    return "SELECT WALDORT.ID_WALDORT AS " + str(kSchluessel) +
           ", WALDORT.* FROM WALDORT WHERE WALDORT.ID_WALDORT IN (SELECT LOGS.ID_WALDORT FROM "
           "LOGS LEFT JOIN LOGS_RECH ON LOGS.ID_LOG = LOGS_RECH.ID_LOG WHERE " +
           str(bedingung) + ")";
}

std::string blockPolterSql(std::string_view bedingung) {
    // The sums as polterSummeSql takes them: the rows of the block joined with their
    // invoice rows, a missing pile number or lot matching a missing one, a missing list
    // matching nothing. Grouped once, then joined back to each log of the block.
    return "SELECT LOGS.ID_LOG AS " + str(kSchluessel) +
           ", S.P_KUB AS KUB, S.P_STK AS STK, LOGS.ZUSTEXT1, LOGS.ZUSTEXT2, LOGS.ZUSTEXT3, "
           "LOGS.ZUSTEXT4, LOGS.ZUSTEXT5, LOGS.LISTZUSTXT, LOGS.COORDINATE1, LOGS.COORDINATE2 "
           "FROM LOGS LEFT JOIN (SELECT LOGS.LISTE AS P_LISTE, ISNULL(LOGS.POLTNR,'') AS "
           "P_POLTNR, ISNULL(LOGS.LOS,'') AS P_LOS, SUM(KUBATUR) AS P_KUB, SUM(STK) AS P_STK "
           "FROM LOGS INNER JOIN LOGS_RECH ON LOGS.ID_LOG = LOGS_RECH.ID_LOG WHERE " +
           str(bedingung) +
           " GROUP BY LOGS.LISTE, ISNULL(LOGS.POLTNR,''), ISNULL(LOGS.LOS,'')) S ON S.P_LISTE = "
           "LOGS.LISTE AND S.P_POLTNR = ISNULL(LOGS.POLTNR,'') AND S.P_LOS = ISNULL(LOGS.LOS,'') "
           "WHERE LOGS.ID_LOG IN (" +
           blockLogsSql(bedingung) + ")";
}

std::int64_t logIdFromText(std::string_view idLog) {
    std::int64_t id = 0;
    const auto* const first = idLog.data();
    const auto* const last = first + idLog.size();
    const bool digitsOnly =
        !idLog.empty() && idLog.find_first_not_of("0123456789") == std::string_view::npos;
    const auto [end, error] = std::from_chars(first, last, id);
    if (!digitsOnly || error != std::errc() || end != last) {
        throw std::invalid_argument("Ungültige Stamm-ID für die Polterzeile: '" + str(idLog) + "'");
    }
    return id;
}

}  // namespace ls::sections

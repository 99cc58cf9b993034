// Composes the grouped statement of the aggregated list.
#include "sections/aggregated/verdichtet_sql.hpp"

namespace ls::sections {

std::string verdichtetSql(std::string_view bedingung, bool holzsorteLang) {
    const std::string_view hs = holzsorteLang ? "HOLZSORTE.HS_LANG" : "LOGS.HS";
    std::string sql;
    sql.reserve(900 + bedingung.size());
    sql += "SELECT LOGS.DSART, HOLZART.HA_LANG HA, ";
    sql += hs;
    sql += " HS, LOGS.GKL, LOGS.STKL, EH.EINHEIT, ";
    sql += "SUM(STK) AS SUMSTK, SUM(KUBATUR) AS KUB, ";
    sql += "SUM(KUBRM) AS RM, SUM(MSZ_EURO*KUBATUR) AS DMSZ ";
    sql += "FROM LOGS INNER JOIN WARENEINHEIT EH ON EH.EINHEIT_ID = LOGS.ID_MASSEINHEIT ";
    sql += "INNER JOIN LOGS_RECH ON LOGS.ID_LOG = LOGS_RECH.ID_LOG ";
    sql += "LEFT JOIN HOLZART ON LOGS.HA = HOLZART.HA ";
    sql += "LEFT JOIN HOLZSORTE ON LOGS.HS = HOLZSORTE.HS ";
    sql +=
        "LEFT JOIN D_MSZ ON HOLZART.ZUORD_MSZ = D_MSZ.HA AND HOLZSORTE.ZUORD_MSZ = D_MSZ.HS AND ";
    sql += "LOGS.STKL = D_MSZ.STKL AND LOGS.DSART = D_MSZ.DSART ";
    sql += "WHERE ";
    sql += bedingung;
    sql += " ";
    sql += "GROUP BY LOGS.DSART, HOLZART.HA_LANG, ";
    sql += hs;
    sql += ", LOGS.GKL, LOGS.STKL, EH.EINHEIT ";
    sql += "ORDER BY LOGS.DSART, HOLZART.HA_LANG, ";
    sql += hs;
    sql += ", LOGS.GKL, LOGS.STKL, EH.EINHEIT";
    return sql;
}

}  // namespace ls::sections

// Composes the averages and grand-totals statements from the selection condition.
#include "sections/totals/totals_sql.hpp"

#include "host/db/sql_text.hpp"

namespace ls::sections {
namespace {

constexpr std::string_view kS1 =
    "SELECT SUM(LAENGE*STK) AS GLAENGE, SUM(STK) AS GSTK, SUM(KUBATUR) AS GKUB FROM LOGS  "
    "INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE ";
constexpr std::string_view kS2 =
    "SELECT SUM(LAENGE) AS GLAENGE, SUM(KUBATUR) AS GKUB FROM LOGS  "
    "INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE ";
constexpr std::string_view kS3 =
    "SELECT SUM(KUBRM) AS GRM, SUM(STK) as GSTK FROM LOGS  "
    "INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE ";
constexpr std::string_view kS4 =
    "SELECT SUM(KUBATUR) AS GKUB, SUM(STK) as GSTK FROM LOGS  "
    "INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE ";
constexpr std::string_view kS5 =
    "SELECT SUM(KUBATRO) AS GATRO, SUM(STK) as GSTK FROM LOGS  "
    "INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE ";

std::string concat(std::initializer_list<std::string_view> pieces) {
    std::string sql;
    for (const auto piece : pieces)
        sql += piece;
    return sql;
}

}  // namespace

std::vector<std::string> durchschnittSql(std::int16_t dsart, std::string_view c) {
    switch (dsart) {
        case 1:
            return {concat({kS1, c, " AND DSART = 1 AND KLST<>3"}),
                    concat({kS2, c, " AND DSART = 1 AND KLST=3"})};
        case 2:
            return {concat({kS3, c, " AND DSART = 2"})};
        case 3:
            return {concat({kS4, c, " AND DSART = 3"})};
        case 4:
            return {concat({kS5, c, " AND DSART = 4"})};
        case 5:
            return {concat({kS1, c, " AND DSART = 5"})};
        case 6:
            return {concat({kS4, c, " AND DSART = 6"})};
        default:
            return {};
    }
}

std::string blockDurchschnittSql(std::string_view c) {
    // Each sum takes exactly the rows its own statement's WHERE would take.
    return concat({
        "SELECT SUM(CASE WHEN DSART = 1 AND KLST<>3 THEN LAENGE*STK END) AS D1_GLAENGE, "
        "SUM(CASE WHEN DSART = 1 AND KLST<>3 THEN STK END) AS D1_GSTK, "
        "SUM(CASE WHEN DSART = 1 AND KLST<>3 THEN KUBATUR END) AS D1_GKUB, "
        "SUM(CASE WHEN DSART = 1 AND KLST=3 THEN KUBATUR END) AS D1_GKUB3, "
        "SUM(CASE WHEN DSART = 2 THEN KUBRM END) AS D2_GRM, "
        "SUM(CASE WHEN DSART = 2 THEN STK END) AS D2_GSTK, "
        "SUM(CASE WHEN DSART = 3 THEN KUBATUR END) AS D3_GKUB, "
        "SUM(CASE WHEN DSART = 3 THEN STK END) AS D3_GSTK, "
        "SUM(CASE WHEN DSART = 4 THEN KUBATRO END) AS D4_GATRO, "
        "SUM(CASE WHEN DSART = 4 THEN STK END) AS D4_GSTK, "
        "SUM(CASE WHEN DSART = 5 THEN KUBATUR END) AS D5_GKUB, "
        "SUM(CASE WHEN DSART = 5 THEN STK END) AS D5_GSTK, "
        "SUM(CASE WHEN DSART = 6 THEN KUBATUR END) AS D6_GKUB, "
        "SUM(CASE WHEN DSART = 6 THEN STK END) AS D6_GSTK "
        "FROM LOGS  INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE ",
        c,
    });
}

std::string gesamtsummenSql(std::string_view c, std::string_view rechArt) {
    // The kind becomes part of a column name, so only the known codes may pass.
    const std::string x = db::checkedInvoiceKind(rechArt);
    constexpr std::string_view cr = "\r";
    return concat({
        "SELECT SUM(KUBATUR) AS \"Gesamtkubatur (Fm)\", SUM(STK) AS \"Gesamtstück (STK)\", ",
        cr,
        "(SELECT SUM(KUBRM) FROM LOGS INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG "
        "INNER JOIN WARENEINHEIT ON WARENEINHEIT.EINHEIT_ID = LOGS.ID_MASSEINHEIT ",
        cr,
        "WHERE ",
        c,
        " AND WARENEINHEIT.EINHEIT in ('RM','rm','Rm')) AS 'GesamtRaummeter (RM)', ",
        cr,
        "(SELECT SUM(KUBRM) FROM LOGS  INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG "
        "INNER JOIN WARENEINHEIT ON WARENEINHEIT.EINHEIT_ID = LOGS.ID_MASSEINHEIT ",
        cr,
        "WHERE ",
        c,
        "AND WARENEINHEIT.EINHEIT in ('SRM','SRm','srm','Srm')) AS 'GesamtSchüttraummeter (SRm)', ",
        cr,
        "(SELECT SUM(KUBATRO) FROM LOGS  INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG "
        "WHERE ",
        c,
        " AND LOGS.DSART = 4 ) AS \"GesamtAtrotonnen (To)\", ",
        cr,
        "(SELECT SQRT((SUM(KUBATUR)*10000*4)/(SUM(LAENGE * CASE WHEN ISNULL(STK,1) = 0 THEN 1 "
        "ELSE ISNULL(STK,1) END *3.1416))) FROM LOGS  INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG "
        "= LOGS.ID_LOG ",
        cr,
        "WHERE ",
        c,
        " AND LAENGE > 0 AND LOGS.DSART = 1 )  AS \"D-DM Rundholz (cm)\", ",
        cr,
        "(SELECT SUM(LAENGE * STK) /SUM(STK) FROM LOGS  INNER JOIN LOGS_RECH ON "
        "LOGS_RECH.ID_LOG = LOGS.ID_LOG ",
        cr,
        "WHERE ",
        c,
        " AND LAENGE > 0 AND STK > 0 AND LOGS.DSART = 1 ) AS \"D_Länge Rundholz (m)\", ",
        cr,
        // Roundwood whose pieces are all 0 would divide by zero and fail the whole statement
        // on SQL Server; a NULL average instead.
        "(SELECT SUM(KUBATUR) /NULLIF(isnull(SUM(STK),1),0) FROM LOGS   INNER JOIN LOGS_RECH ON "
        "LOGS_RECH.ID_LOG = LOGS.ID_LOG  ",
        cr,
        "WHERE ",
        c,
        " AND DSART = 1 )  AS \"Durchschnittskubatur (Fm/Stk)\" ",
        cr,
        "FROM LOGS  INNER JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG  WHERE ",
        c,
        "group by logs_rech.",
        x,
        "_name ",
    });
}

}  // namespace ls::sections

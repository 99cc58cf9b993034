// The statements of the single-log list.
#include "sections/single/einzeln_sql.hpp"

#include "host/text/convert.hpp"
#include "sections/header/header_sql.hpp"

namespace ls::sections {
namespace {

constexpr char CR = '\r';

bool istEingebaut(std::string_view e) {
    return e == "KKLASSE" || e == "LISTENART" || e == "ENTRINDUNG" || e == "RINDEPROZENT";
}

// The transport dates come as dd.mm.yyyy text.
bool istDatum(std::string_view e) {
    return e == "TLW.DATUM_VERLADE" || e == "TL.EINGANGS_DATUM" || e == "TL.Z_DATUM_1";
}

bool istRindeWert(std::string_view e) {
    return e == "RINDE_WERT" || e == "LOGS.RINDE_WERT" || e == "ISNULL(LOGS.RINDE_WERT,0)";
}

std::string alias(std::string_view e) {
    return " as [" + std::string(e) + "]";
}

}  // namespace

std::string einzelnOrderBy(std::int32_t einzSort) {
    switch (einzSort) {
        case 1:
            return "ORDER BY LOGS.D_WALDORT, LOGS.ID_LOG, LOGS.POLTNR";
        case 2:
            return "ORDER BY LOGS.LISTE, LOGS.POLTNR, LOGS.LOS, LOGS.BLNR";
        case 3:
            return "ORDER BY LOGS.LISTE, LOGS.POLTNR, LOGS.LOS, LOGS.ID_WALDORT";
        case 4:
            return "ORDER BY LOGS.ID_LOG, LOGS.POLTNR ";
        case 5:
            return "ORDER BY DSART, LOGS.LISTE, LOGS.POLTNR, LOGS.LOS, LOGS.BLNR, LOGS.ID_LOG";
        case 6:
            return "ORDER BY LOGS.BLNR";
        default:
            return "";
    }
}

std::string einzelnSql(std::string_view bedingung, std::int32_t einzSort,
                       const std::vector<run::Feld>& felder) {
    std::string sql =
        "SELECT LOGS.ID_LOG, LOGS.DSART, LOGS.LOS, LOGS.ZUSTXT AS EINZELSTAMMBEMERKUNG, "
        "ISNULL(LOGS.POLTNR,'0') POLTNR, ISNULL(LOGS.COORDINATE1,'') COORDINATE1, "
        "ISNULL(LOGS.COORDINATE2,'') COORDINATE2, LOGS.BLNR, LOGS.KLST, LOGS.HA, LOGS.HS, "
        "LOGS.GKL, LOGS.STKL, LOGS.LAENGE, ";
    sql += CR;
    sql +=
        " LOGS.STAPELLANGE, LOGS.KORREKTUR, LOGS.DURCH, LOGS.STK, LOGS.KUBATUR, "
        "LOGS.UFAKT_RM, LOGS.UFAKT_STK, LOGS.UFAKT_ATO, LOGS.KUBRM,  ";
    sql += CR;
    sql +=
        " LOGS.KUBLUTO, LOGS.UFAKT_LUT, ISNULL(WARENEINHEIT.GEWICHT_LUTRO,0) GEWICHT_LUTRO, "
        "WARENEINHEIT.EINHEIT, ";
    sql += CR;
    sql += " LOGS.KUBATRO, LOGS.ID_WALDORT, LOGS.ID_MANTEL, ";
    sql += CR;
    sql += " KUBATURKLASSE.KKLASSE AS KKLASSE, ";
    sql += CR;
    sql += " RINDENKENNZ.RINDENKENNZ AS ENTRINDUNG, ";
    sql += CR;
    sql += " LISTENART.TEXT AS LISTENART,  ";
    sql += CR;
    sql += " CASE LOGS.RINDEPROZENT WHEN 1 THEN '%' WHEN 0 THEN 'cm' ELSE '' END AS RINDEPROZENT  ";
    sql += CR;
    for (const auto& feld : felder) {
        const std::string_view e = feld.expression;
        // The four texts of the joined tables are selected above under these names.
        if (e.empty() || istEingebaut(e)) continue;
        if (istDatum(e)) {
            sql += ",  convert(nvarchar(10)," + std::string(e) + ",104)" + alias(e);
        } else {
            sql += ", " + std::string(e) + alias(e);
        }
    }
    sql += " FROM LOGS  LEFT JOIN WARENEINHEIT ON WARENEINHEIT.EINHEIT_ID = LOGS.ID_MASSEINHEIT ";
    sql += CR;
    sql += " LEFT JOIN LISTENART ON LOGS.LISTENART = LISTENART.LISTENART  ";
    sql += CR;
    sql += " LEFT JOIN KUBATURKLASSE ON  LOGS.KKLASSE = KUBATURKLASSE.ID  ";
    sql += CR;
    sql += " LEFT JOIN LOGS_RECH ON  LOGS.ID_LOG = LOGS_RECH.ID_LOG  ";
    sql += CR;
    sql += "left join transportlogistik tl on tl.id = logs.id_transportlogistik";
    sql += CR;
    sql += "left join transportlogistik_waggon tlw on tlw.id = tl.id_transportlogistik_waggon";
    sql += CR;
    sql += " LEFT JOIN RINDENKENNZ ON LOGS.ID_RINDENKENNZ = RINDENKENNZ.ID_RINDENKENNZ  WHERE ";
    // The condition texts end in a blank or a closing quote: nothing goes between.
    sql += bedingung;
    sql += einzelnOrderBy(einzSort);
    return sql;
}

namespace {

// The columns of mantelDetailSql, from the first after SELECT to the last before FROM.
std::string mantelSpalten(const std::vector<run::Feld>& felder) {
    std::string sql =
        "LOGS.LOS, LOGS.BLNR, MANTEL.HA, MANTEL.HS, MANTEL.GKL, MANTEL.STKL, "
        "MANTEL.LANGE, MANTEL.DURCH, MANTEL.STUCK, MANTEL.KUBATUR, ";
    sql += CR;
    sql += " MANTEL.ENTRINDUNG, ";
    sql += CR;
    sql += " CASE LOGS.RINDEPROZENT WHEN 1 THEN '%' WHEN 0 THEN 'cm' ELSE '' END AS RINDEPROZENT ";
    sql += CR;
    for (const auto& feld : felder) {
        const std::string_view e = feld.expression;
        if (e.empty() || e == "KKLASSE" || e == "LISTENART" || e == "ENTRINDUNG") continue;
        if (e == "RINDEPROZENT") {
            sql += ", 'cm'" + alias(e);
        } else if (istRindeWert(e)) {
            // The bark of the measured stem, not of the stack.
            sql += ", MANTEL.RINDE" + alias(e);
        } else if (text::toUpper(e).starts_with("LOGS.")) {
            sql += ", " + std::string(e) + alias(e);
        }
        // Columns of the transport tables and of LOGS_RECH are not joined here; the
        // measured stems leave them empty. The transport dates are among them.
    }
    return sql;
}

}  // namespace

db::BoundStatement mantelDetailSql(const std::vector<run::Feld>& felder, std::int32_t idMantel,
                                   std::int64_t idLog) {
    return {"SELECT " + mantelSpalten(felder) +
                " FROM LOGS, MANTEL WHERE  MANTEL.ID_MANTEL = ? AND LOGS.ID_LOG = ?",
            {db::Value(idMantel), db::Value(idLog)}};
}

std::string blockMantelDetailSql(const std::vector<run::Feld>& felder,
                                 const std::vector<std::int64_t>& idLogs) {
    std::string ids;
    for (const auto id : idLogs)
        ids += (ids.empty() ? "" : ",") + std::to_string(id);
    // A log without shell group counts as group 0, as the list's walk counts it.
    return "SELECT LOGS.ID_LOG AS " + std::string(kSchluessel) + ", " + mantelSpalten(felder) +
           " FROM LOGS, MANTEL WHERE MANTEL.ID_MANTEL = ISNULL(LOGS.ID_MANTEL,0) AND "
           "LOGS.ID_LOG IN (" +
           (ids.empty() ? std::string("NULL") : ids) + ")";
}

std::string blockHoehenKopfSql(std::string_view bedingung) {
    return "SELECT LOGS.ID_LOG AS " + std::string(kSchluessel) +
           ", SCHICHT_HOEHEN_KOPF.* FROM LOGS INNER JOIN SCHICHT_HOEHEN_KOPF ON LOGS.ID_LOG = "
           "SCHICHT_HOEHEN_KOPF.ID_LOG WHERE LOGS.ID_LOG IN (" +
           blockLogsSql(bedingung) + ")";
}

std::string blockHoehenVorneSql(std::string_view bedingung) {
    return "SELECT LOGS.ID_LOG AS " + std::string(kSchluessel) +
           ", LOGS.STAPELLANGE, LOGS.LAENGE, SCHICHT_HOEHEN.HEIGHT, ISNULL(LOGS.KORREKTUR,0) AS "
           "KORREKTUR, (SELECT ROUND(SUM(M.HEIGHT)/COUNT(*),2) FROM SCHICHT_HOEHEN M WHERE "
           "M.ID_LOG = LOGS.ID_LOG) AS DHIGHT FROM LOGS INNER JOIN SCHICHT_HOEHEN ON LOGS.ID_LOG "
           "= SCHICHT_HOEHEN.ID_LOG WHERE LOGS.ID_LOG IN (" +
           blockLogsSql(bedingung) + ")";
}

std::string blockHoehenHintenSql(std::string_view bedingung) {
    return "SELECT LOGS.ID_LOG AS " + std::string(kSchluessel) +
           ", LOGS.STAPELLANGE, LOGS.LAENGE, SCHICHT_HOEHEN_HINTEN.HEIGHT, "
           "ISNULL(LOGS.KORREKTUR,0) AS KORREKTUR FROM LOGS INNER JOIN SCHICHT_HOEHEN_HINTEN ON "
           "LOGS.ID_LOG = SCHICHT_HOEHEN_HINTEN.ID_LOG WHERE LOGS.ID_LOG IN (" +
           blockLogsSql(bedingung) + ")";
}

}  // namespace ls::sections

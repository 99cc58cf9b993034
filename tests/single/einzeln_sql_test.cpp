// The statements of the single-log list: their text where it is fixed to the character,
// and that every shape runs on the program's schema.
#include "sections/single/einzeln_sql.hpp"

#include <gtest/gtest.h>

#include "run/template_settings.hpp"
#include "tests/support/test_database.hpp"

namespace ls::test {
namespace {

using sections::einzelnSql;
using sections::mantelDetailSql;

std::vector<run::Feld> felder(std::initializer_list<const char*> ausdruecke) {
    std::vector<run::Feld> liste(1);
    for (const char* e : ausdruecke)
        liste.push_back({"X", e, "", 0});
    liste.emplace_back();
    return liste;
}

// Every field key a template can name.
// A template that adds every optional column there is.
run::TemplateSettings alleFelder() {
    run::TemplateSettings s;
    s.beginReading();
    for (const auto key : run::fieldKeys())
        run::SetEinstellung(s, key, key);
    return s;
}

TEST(EinzelnSql, ListStatementReadsAsComposedByTheOffice) {
    const std::string erwartet =
        "SELECT LOGS.ID_LOG, LOGS.DSART, LOGS.LOS, LOGS.ZUSTXT AS EINZELSTAMMBEMERKUNG, "
        "ISNULL(LOGS.POLTNR,'0') POLTNR, ISNULL(LOGS.COORDINATE1,'') COORDINATE1, "
        "ISNULL(LOGS.COORDINATE2,'') COORDINATE2, LOGS.BLNR, LOGS.KLST, LOGS.HA, LOGS.HS, "
        "LOGS.GKL, LOGS.STKL, LOGS.LAENGE, \r LOGS.STAPELLANGE, LOGS.KORREKTUR, LOGS.DURCH, "
        "LOGS.STK, LOGS.KUBATUR, LOGS.UFAKT_RM, LOGS.UFAKT_STK, LOGS.UFAKT_ATO, LOGS.KUBRM,  "
        "\r LOGS.KUBLUTO, LOGS.UFAKT_LUT, ISNULL(WARENEINHEIT.GEWICHT_LUTRO,0) GEWICHT_LUTRO, "
        "WARENEINHEIT.EINHEIT, \r LOGS.KUBATRO, LOGS.ID_WALDORT, LOGS.ID_MANTEL, \r "
        "KUBATURKLASSE.KKLASSE AS KKLASSE, \r RINDENKENNZ.RINDENKENNZ AS ENTRINDUNG, \r "
        "LISTENART.TEXT AS LISTENART,  \r CASE LOGS.RINDEPROZENT WHEN 1 THEN '%' WHEN 0 THEN "
        "'cm' ELSE '' END AS RINDEPROZENT  \r"
        ", LOGS.LISTE as [LOGS.LISTE],  convert(nvarchar(10),TL.EINGANGS_DATUM,104) as "
        "[TL.EINGANGS_DATUM]"
        " FROM LOGS  LEFT JOIN WARENEINHEIT ON WARENEINHEIT.EINHEIT_ID = LOGS.ID_MASSEINHEIT "
        "\r LEFT JOIN LISTENART ON LOGS.LISTENART = LISTENART.LISTENART  \r LEFT JOIN "
        "KUBATURKLASSE ON  LOGS.KKLASSE = KUBATURKLASSE.ID  \r LEFT JOIN LOGS_RECH ON  "
        "LOGS.ID_LOG = LOGS_RECH.ID_LOG  \rleft join transportlogistik tl on tl.id = "
        "logs.id_transportlogistik\rleft join transportlogistik_waggon tlw on tlw.id = "
        "tl.id_transportlogistik_waggon\r LEFT JOIN RINDENKENNZ ON LOGS.ID_RINDENKENNZ = "
        "RINDENKENNZ.ID_RINDENKENNZ  WHERE LOGS.LISTE='7'ORDER BY LOGS.BLNR";
    // The built-in texts are not selected a second time.
    EXPECT_EQ(einzelnSql("LOGS.LISTE='7'", 6,
                         felder({"LOGS.LISTE", "LISTENART", "TL.EINGANGS_DATUM", "RINDEPROZENT"})),
              erwartet);
    EXPECT_EQ(sections::einzelnOrderBy(4), "ORDER BY LOGS.ID_LOG, LOGS.POLTNR ");
    EXPECT_EQ(sections::einzelnOrderBy(7), "");
}

TEST(EinzelnSql, ShellDetailSelectsOnlyWhatLogsAndMantelServe) {
    const auto sql =
        mantelDetailSql(felder({"LOGS.FARBE", "ISNULL(LOGS.RINDE_WERT,0)", "RINDEPROZENT",
                                "KKLASSE", "LOGS_RECH.R_PREIS", "TL.LOS", "TLW.DATUM_VERLADE"}),
                        12, 345);
    EXPECT_EQ(sql.text,
              "SELECT LOGS.LOS, LOGS.BLNR, MANTEL.HA, MANTEL.HS, MANTEL.GKL, MANTEL.STKL, "
              "MANTEL.LANGE, MANTEL.DURCH, MANTEL.STUCK, MANTEL.KUBATUR, \r MANTEL.ENTRINDUNG, "
              "\r CASE LOGS.RINDEPROZENT WHEN 1 THEN '%' WHEN 0 THEN 'cm' ELSE '' END AS "
              "RINDEPROZENT \r, LOGS.FARBE as [LOGS.FARBE], MANTEL.RINDE as "
              "[ISNULL(LOGS.RINDE_WERT,0)], 'cm' as [RINDEPROZENT] FROM LOGS, MANTEL WHERE  "
              "MANTEL.ID_MANTEL = ? AND LOGS.ID_LOG = ?");
    // The ids are bound, not spliced: the text is the same for every group.
    EXPECT_EQ(sql.parameters, (std::vector<db::Value>{db::Value(12), db::Value(345)}));
}

TEST(EinzelnSql, EveryShapeRunsOnTheSchema) {
    TestDatabase db;
    auto& c = db.connection();
    const auto settings = alleFelder();
    ASSERT_EQ(settings.Felder.size(), 67u + 2);
    // The whole-list condition ends in a quote, the per-lot one in a blank.
    for (const char* bedingung :
         {"LOGS.LISTE='1' AND ( LOGS.LOS = '1'  OR LOGS.LOS IS NULL ) and  LOGS_RECH.R_NAME = "
          "'1001'",
          " LOGS_RECH.R_NAME = '1001' and  LOGS.LOS = '1' AND LOGS.LISTE = '1' "}) {
        for (int sort = 0; sort <= 7; ++sort) {
            EXPECT_NO_THROW(c.execute(einzelnSql(bedingung, sort, settings.Felder)))
                << "sort " << sort << ": " << bedingung;
        }
    }
    EXPECT_NO_THROW(db::execute(c, mantelDetailSql(settings.Felder, 1, 1)));
}

}  // namespace
}  // namespace ls::test

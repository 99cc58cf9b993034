// Reference rows of the demo office: units, wood, classes, places, persons, transports.
#include <optional>

#include "demo/office_data.hpp"

namespace ls::demo {
namespace {

constexpr auto null = std::nullopt;

void writeUnits(SqliteWriter& db) {
    auto units = db.insert("WARENEINHEIT", {"EINHEIT_ID", "EINHEIT", "GEWICHT_LUTRO"});
    units.run({key::kFm, "Fm", null});
    units.run({key::kRM, "RM", null});
    units.run({key::kSRm, "SRm", null});
    units.run({key::kStk, "Stk", null});
    // A weighed unit carries the Lutro weight factor; the Atro unit has none.
    units.run({key::kTonneLutro, "t lutro", 1.0});
    units.run({key::kTonneAtro, "t atro", 0.0});
    units.run({key::kRmLower, "rm", null});
    units.run({key::kSrmMixed, "Srm", null});
    units.run({key::kStd, "Std", null});
    units.run({key::kHa, "ha", null});
}

void writeWood(SqliteWriter& db) {
    auto types = db.insert("HOLZART", {"HA", "HA_LANG", "ZUORD_MSZ"});
    types.run({"FI", "Fichte", "FI"});
    types.run({"TA", "Tanne", "FI"});  // fir is priced as spruce
    types.run({"KI", "Kiefer", "KI"});
    types.run({"BU", "Buche", "BU"});
    types.run({"EI", "Eiche", "EI"});

    auto sorts = db.insert("HOLZSORTE", {"HS", "HS_LANG", "ZUORD_MSZ"});
    sorts.run({"L", "Langholz", "L"});
    sorts.run({"AS", "Abschnitte", "L"});
    sorts.run({"IL", "Industrieholz lang", "IL"});
    sorts.run({"IS", "Industrieholz kurz", "IS"});
    sorts.run({"ST", "Stangen", "ST"});
    sorts.run({"HK", "Hackschnitzel", "HK"});

    auto prices = db.insert("D_MSZ", {"HA", "HS", "STKL", "DSART", "MSZ_EURO"});
    struct Price {
        const char* ha;
        const char* stkl;
        int dsart;
        double euro;
    };
    constexpr Price kPrices[] = {
        {"FI", "2a", 1, 78.0}, {"FI", "2b", 1, 86.0}, {"FI", "3a", 1, 95.0}, {"FI", "3b", 1, 98.0},
        {"FI", "4", 1, 101.0}, {"KI", "3a", 1, 72.0}, {"FI", "2b", 5, 84.0}, {"FI", "3a", 5, 92.0},
    };
    for (const auto& p : kPrices)
        prices.run({p.ha, "L", p.stkl, p.dsart, p.euro});

    auto classes = db.insert("KUBATURKLASSE", {"ID", "KKLASSE"});
    classes.run({1, "Mittenstärke"});
    classes.run({2, "Heilbronner Sortierung"});

    auto bark = db.insert("RINDENKENNZ", {"ID_RINDENKENNZ", "RINDENKENNZ"});
    bark.run({1, "m.R."});
    bark.run({2, "o.R."});

    auto listKinds = db.insert("LISTENART", {"LISTENART", "TEXT"});
    listKinds.run({1, "Normalliste"});
    listKinds.run({2, "Werksliste"});
}

void writePlaces(SqliteWriter& db) {
    auto places =
        db.insert("WALDORT", {"ID_WALDORT", "LANGNAME", "WO1", "WO2", "WO3", "WO4", "WO5", "WO6"});
    places.run({key::kHintereHalde, "Hintere Halde", "3", "12", "a", null, null, null});
    places.run({key::kOhneLangname, null, "3", "14", null, null, null, null});
    // The long name only repeats the levels, so it is not shown twice.
    places.run({key::kLangnameWieStufen, "3 15", "3", "15", null, null, null, null});

    auto classifications = db.insert("RELTABLE", {"ID", "TABELLE", "KURZNAME", "LANGNAME"});
    classifications.run({1, 1, "SW", "Staatswald"});
    classifications.run({2, 1, "KW", "Körperschaftswald"});
    classifications.run({11, 2, "RN", "Revier Nord"});
    classifications.run({12, 2, "RS", "Revier Süd"});
    classifications.run({71, 7, "FP", "Förderprogramm Waldumbau"});

    auto sales = db.insert("VERKAUFSART", {"ID", "SHORT", "LONG"});
    sales.run({0, "-", "ohne Verkaufsart"});
    sales.run({1, "FV", "Freihändiger Verkauf"});
    sales.run({2, "SUB", "Submission"});
}

void writePersons(SqliteWriter& db) {
    auto persons = db.insert("PERSONAL", {"ID_PERSONAL", "ANREDE", "VORNAME", "NAME", "BEZEICHNUNG",
                                          "STRASSE", "PLZ", "ORT", "KURZBEZEICHNUNG"});
    persons.run({key::kMustermann, "Herr", "Max", "Mustermann", "Sägewerk Mustermann GmbH",
                 "Hauptstraße 1", "79098", "Freiburg im Breisgau", "MUSTERMANN"});
    persons.run({key::kHolzer, "Frau", "Erika", "Holzer", null, "Waldweg 7", "79856",
                 "Hinterzarten", "HOLZER"});
    persons.run({key::kHolzhandel, null, null, null, "Holzhandel Schwarzwald KG",
                 "Industriestraße 12", "78050", "Villingen-Schwenningen", "HOLZHANDEL"});
    // No first name and no postcode: the address lines keep their blanks and the 0.
    persons.run({key::kBecker, "Herr", null, "Becker", null, "Am Bach 3", null, "Titisee-Neustadt",
                 "BECKER"});
    persons.run({key::kHuber, null, "Stefan", "Huber", "Forstwirt", "Forsthaus 2", "79271",
                 "St. Peter", "HUBER"});
    persons.run({key::kRueckebetrieb, "Firma", null, null, "Rückebetrieb Wald & Co.", "Sägeweg 5",
                 "79199", "Kirchzarten", "RUECKEBETRIEB"});
}

void writeTransports(SqliteWriter& db) {
    auto waggons = db.insert("transportlogistik_waggon", {"ID", "DATUM_VERLADE", "WAGGON_NR"});
    waggons.run({1, "2024-03-13", "31 80 4751 123-4"});

    auto transports = db.insert("transportlogistik",
                                {"ID", "ID_TRANSPORTLOGISTIK_WAGGON", "LOS", "STUCK", "KUBATUR",
                                 "EINGANGS_DATUM", "Z_TEXT_1", "Z_TEXT_2", "Z_DATUM_1", "PID",
                                 "POLTER", "LKW_NR", "BAHNHOF", "LIEFERSCHEIN_NR"});
    transports.run({1, 1, "2", 1, 22.05, "2024-03-12", "Werk Nord", null, "2024-03-14", 5001, "P5",
                    "FR-HK 123", "Titisee", "LS-2024-0042"});
    transports.run({2, 1, "2", 1, 25.83, "2024-03-12", "Werk Nord", "Nachwiegung", null, 5002, "P5",
                    "FR-HK 456", "Titisee", "LS-2024-0043"});
    transports.run({3, null, "1", 4, 6.73, "2024-03-07", null, null, null, 5003, "P1", "FR-XY 789",
                    null, "LS-2024-0031"});
}

}  // namespace

void writeReferenceData(SqliteWriter& db) {
    writeUnits(db);
    writeWood(db);
    writePlaces(db);
    writePersons(db);
    writeTransports(db);
}

}  // namespace ls::demo

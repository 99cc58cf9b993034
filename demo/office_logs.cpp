// Invoice R 1001 of the demo office: two lists with every assortment, and invoice A1 815.
#include <cmath>
#include <optional>
#include <string>

#include "demo/log_rows.hpp"
#include "demo/office_data.hpp"

namespace ls::demo {
namespace {

constexpr auto null = std::nullopt;

double round2(double v) {
    return std::round(v * 100.0) / 100.0;
}

// Solid volume of a stem by its mid diameter (Huber): pi/4 * d^2 * l, d in cm, l in m.
double huberVolume(double lengthM, double diameterCm) {
    const double d = diameterCm / 100.0;
    return round2(3.14159265358979 / 4.0 * d * d * lengthM);
}

// The two lists of R 1001 share their head data per list.
LogRow list4711(std::int64_t id, OptText lot) {
    LogRow l;
    l.id = id;
    l.liste = "4711";
    l.los = std::move(lot);
    l.listdatum = l.los ? "2024-03-04" : "2024-03-05";
    l.listzustxt = "Hieb Abteilung 3, Hintere Halde";
    l.listenart = 1;
    l.verkaufsart = 1;
    l.reltable1 = 1;
    l.reltable2 = 11;
    return l;
}

LogRow list4712(std::int64_t id, OptText lot) {
    LogRow l;
    l.id = id;
    l.liste = "4712";
    l.los = std::move(lot);
    l.listdatum = "2024-03-11";
    l.listenart = 2;
    l.reltable1 = 2;
    l.reltable2 = 12;
    l.reltable7 = 71;
    // No sale type: the head block shows the VERKAUFSART row 0 for these.
    return l;
}

void placeOnPile(LogRow& l, const char* pile, int place, const char* placeKey,
                 OptText coordinate1 = null, OptText coordinate2 = null) {
    l.poltnr = pile;
    l.waldort = place;
    l.dWaldort = placeKey;
    l.coordinate1 = std::move(coordinate1);
    l.coordinate2 = std::move(coordinate2);
}

struct Stem {
    std::int64_t blnr;
    const char* ha;
    const char* hs;
    const char* gkl;
    const char* stkl;
    double length;
    double diameter;
    Opt<std::int64_t> klst;
    const char* remark;
};

LogRow roundwood(LogRow l, const Stem& s, int dsart) {
    l.dsart = dsart;
    l.blnr = s.blnr;
    l.klst = s.klst;
    l.ha = s.ha;
    l.hs = s.hs;
    l.gkl = s.gkl;
    l.stkl = s.stkl;
    l.laenge = s.length;
    l.durch = s.diameter;
    l.stk = 1;
    l.kubatur = huberVolume(s.length, s.diameter);
    l.masseinheit = key::kFm;
    l.kklasse = 1;
    l.rindenkennz = 1;
    l.rindeprozent = 0;
    l.rindeWert = 2.0;
    if (s.remark) l.zustxt = s.remark;
    return l;
}

void writeList4711(LogWriter& logs) {
    // Lot 1: roundwood on two piles in two forest locations, also billed on A1 815.
    const InvoiceRow sale{.rName = "1001",
                          .a1Name = "815",
                          .rKunde = key::kMustermann,
                          .a1Kunde = key::kHolzer,
                          .rPreis = 92.0,
                          .a1Preis = 9.5};
    constexpr Stem kStems[] = {
        {1, "FI", "L", "B", "3a", 18.5, 32, null, nullptr},
        {2, "FI", "L", "C", "2b", 16.0, 27, 2, "Rotfäule"},
        {3, "TA", "L", "B", "3b", 20.0, 37, null, nullptr},
        {4, "FI", "AS", "C", "2a", 5.0, 22, 3, nullptr},
        {5, "KI", "L", "B", "3a", 14.0, 31, null, "Blitzschaden"},
        {6, "FI", "L", "D", "4", 22.0, 45, null, nullptr},
        {7, "TA", "AS", "C", "2b", 5.0, 26, null, nullptr},
        {8, "FI", "L", "B", "3b", 18.0, 36, 2, nullptr},
    };
    std::int64_t id = 1;
    for (const Stem& s : kStems) {
        LogRow l = roundwood(list4711(id, "1"), s, 1);
        if (s.blnr <= 4) {
            placeOnPile(l, "P1", key::kHintereHalde, "3/12/a", "47.9981", "7.8421");
            l.zustext1 = "Rückegasse 4";
            l.transportlogistik = 3;
            l.farbe = "rot";
        } else {
            placeOnPile(l, "P2", key::kOhneLangname, "3/14", "47.9990", "7.8502");
            l.farbe = "blau";
        }
        l.msz = 95.0;
        logs.add(l, sale);
        ++id;
    }

    // Lot NULL: stacked wood and poles, also billed on A3 903.
    const InvoiceRow stacked{.rName = "1001",
                             .a3Name = "903",
                             .rKunde = key::kMustermann,
                             .a3Kunde = key::kBecker,
                             .rPreis = 48.0,
                             .a3Preis = 4.0};
    LogRow plain = list4711(9, null);
    plain.dsart = 2;
    plain.ha = "BU";
    plain.hs = "IS";
    plain.laenge = 2.0;
    plain.stk = 1;
    plain.kubrm = 24.0;
    plain.ufaktRm = 0.7;
    plain.kubatur = 16.8;
    plain.masseinheit = key::kRM;
    placeOnPile(plain, "P3", key::kLangnameWieStufen, "3/15", "48.0012", "7.8533");
    logs.add(plain, stacked);

    LogRow metre = list4711(10, null);
    metre.dsart = 2;
    metre.ha = "FI";
    metre.hs = "IS";
    metre.laenge = 1.0;
    metre.stk = 1;
    metre.kubrm = 12.0;
    metre.ufaktRm = 0.65;
    metre.kubatur = 7.8;
    metre.masseinheit = key::kRmLower;
    metre.zustxt = "Brennholz";
    placeOnPile(metre, "P3", key::kLangnameWieStufen, "3/15", "48.0012", "7.8533");
    logs.add(metre, stacked);

    // Measured by heights: simple form (heights only) and detailed form (head record).
    LogRow simple = list4711(11, null);
    simple.dsart = 2;
    simple.ha = "BU";
    simple.hs = "IS";
    simple.laenge = 2.0;
    simple.stapellange = 12.0;
    simple.korrektur = 15.0;
    simple.stk = 1;
    simple.kubrm = 38.76;  // 12 m x 1.90 m mean height x 2 m, less 15 %
    simple.ufaktRm = 0.7;
    simple.kubatur = 27.13;
    simple.masseinheit = key::kRM;
    placeOnPile(simple, "P4", key::kLangnameWieStufen, "3/15");
    logs.add(simple, stacked);

    LogRow detailed = list4711(12, null);
    detailed.dsart = 2;
    detailed.ha = "FI";
    detailed.hs = "IL";
    detailed.laenge = 2.0;
    detailed.stapellange = 20.0;
    detailed.korrektur = 10.0;
    detailed.stk = 1;
    detailed.kubrm = 63.23;  // 70.25 Rm by the head record, less 10 %
    detailed.ufaktRm = 0.7;
    detailed.kubatur = 44.26;
    detailed.masseinheit = key::kRM;
    placeOnPile(detailed, "P4", key::kLangnameWieStufen, "3/15");
    logs.add(detailed, stacked);

    LogRow poles = list4711(13, null);
    poles.dsart = 3;
    poles.blnr = 101;
    poles.ha = "FI";
    poles.hs = "ST";
    poles.stkl = "1";
    poles.stk = 50;
    poles.ufaktStk = 0.045;
    poles.kubatur = 2.25;
    poles.masseinheit = key::kStk;
    placeOnPile(poles, "P4", key::kLangnameWieStufen, "3/15");
    logs.add(poles, stacked);

    LogRow thicker = poles;
    thicker.id = 14;
    thicker.blnr = 102;
    thicker.stkl = "2";
    thicker.stk = 30;
    thicker.ufaktStk = 0.08;
    thicker.kubatur = 2.4;
    logs.add(thicker, stacked);
}

void writeList4712(LogWriter& logs) {
    // Lot 2: weighed wood and mill measurement, also billed on A1 815 and A2 902.
    const InvoiceRow weighed{.rName = "1001",
                             .a1Name = "815",
                             .a2Name = "902",
                             .rKunde = key::kMustermann,
                             .a1Kunde = key::kHolzer,
                             .a2Kunde = key::kHolzhandel,
                             .rPreis = 61.0,
                             .a1Preis = 7.0,
                             .a2Preis = 3.5};
    LogRow lutro = list4712(15, "2");
    lutro.dsart = 4;
    lutro.blnr = 201;
    lutro.ha = "KI";
    lutro.hs = "IL";
    lutro.stk = 1;
    lutro.kubluto = 24.5;
    lutro.ufaktLut = 0.9;
    lutro.kubatur = 22.05;
    lutro.masseinheit = key::kTonneLutro;
    lutro.wagnr = "31 80 4751 123-4";
    lutro.zustext2 = "Lagerplatz Süd";
    lutro.transportlogistik = 1;
    placeOnPile(lutro, "P5", key::kOhneLangname, "3/14", "47.9990", "7.8510");
    logs.add(lutro, weighed);

    LogRow atro = lutro;
    atro.id = 16;
    atro.blnr = 202;
    atro.ha = "BU";
    atro.kubluto = null;
    atro.ufaktLut = null;
    atro.kubatro = 12.3;
    atro.ufaktAto = 2.1;
    atro.kubatur = 25.83;
    atro.masseinheit = key::kTonneAtro;
    atro.transportlogistik = 2;
    logs.add(atro, weighed);

    constexpr Stem kMill[] = {
        {301, "FI", "L", "B", "2b", 4.0, 24, null, nullptr},
        {302, "FI", "L", "C", "3a", 5.0, 33, null, "Werksmaß"},
    };
    std::int64_t id = 17;
    for (const Stem& s : kMill) {
        LogRow l = roundwood(list4712(id, "2"), s, 5);
        l.mefverf = "Werk";
        placeOnPile(l, "P6", key::kOhneLangname, "3/14");
        logs.add(l, weighed);
        ++id;
    }

    // Lot 3: shell-measured stacks (group 1 shared by two logs) and one other assortment.
    const InvoiceRow shell{.rName = "1001",
                           .a2Name = "902",
                           .rKunde = key::kMustermann,
                           .a2Kunde = key::kHolzhandel,
                           .rPreis = 55.0,
                           .a2Preis = 3.5};
    struct Stack {
        std::int64_t id, blnr, mantel;
        const char* ha;
        std::int64_t pieces;
        double volume;
    };
    constexpr Stack kStacks[] = {
        {19, 401, 1, "FI", 120, 18.4},
        {20, 402, 1, "FI", 80, 12.3},
        {21, 403, 2, "KI", 95, 14.7},
    };
    for (const Stack& s : kStacks) {
        LogRow l = list4712(s.id, "3");
        l.dsart = 6;
        l.blnr = s.blnr;
        l.mantel = s.mantel;
        l.ha = s.ha;
        l.hs = "IL";
        l.gkl = "IN";
        l.stkl = "1b";
        l.stk = s.pieces;
        l.kubatur = s.volume;
        l.masseinheit = key::kFm;
        l.rindeprozent = 1;
        l.rindeWert = 8.0;
        placeOnPile(l, s.mantel == 1 ? "P7" : "P8", key::kHintereHalde, "3/12/a", "47.9975",
                    "7.8399");
        logs.add(l, shell);
    }

    LogRow chips = list4712(22, "3");
    chips.dsart = 8;
    chips.ha = "FI";
    chips.hs = "HK";
    chips.kubrm = 40.0;
    chips.ufaktRm = 0.35;
    chips.kubatur = 14.0;
    chips.masseinheit = key::kSrmMixed;
    chips.zustxt = "Hackschnitzel ab Waldstraße";
    placeOnPile(chips, "P9", key::kHintereHalde, "3/12/a");
    logs.add(chips, shell);
}

void writeListHeads(SqliteWriter& db) {
    auto heads = db.insert("LISTENKOPF", {"LISTE", "TEXT1", "TEXT2", "TEXT3", "NUMBER1", "NUMBER2",
                                          "NUMBER3", "DATE1", "DATE2", "LISTENKOPFZUSTXT"});
    // An empty TEXT3 still gives a line; NUMBER2 of 0 gives none.
    heads.run({"4711", "Abteilung 3, Hintere Halde", "Forstunternehmen Holzmann", "", 12.5, 0.0,
               null, "2024-02-26", "2024-03-08", "Abfuhr bis 30.04.2024"});
    heads.run({"4712", "Werksvermessung Sägewerk Kirchzarten", null, null, null, null, 2.5, null,
               null, null});
}

void writeStackHeights(SqliteWriter& db) {
    auto front = db.insert("SCHICHT_HOEHEN", {"ID_LOG", "NR", "HEIGHT"});
    auto back = db.insert("SCHICHT_HOEHEN_HINTEN", {"ID_LOG", "NR", "HEIGHT"});
    constexpr double kSimple[] = {1.8, 1.9, 2.0, 2.1, 1.9, 1.7};
    int nr = 1;
    for (const double h : kSimple)
        front.run({11, nr++, h});

    // Eleven front heights fill one pair of rows and start the next.
    constexpr double kFront[] = {2.0, 2.1, 2.1, 2.2, 2.0, 1.9, 2.0, 2.1, 2.0, 2.1, 2.05};
    constexpr double kBack[] = {2.0, 2.0, 2.1, 2.1, 2.0, 2.0, 1.9, 2.0, 2.1, 2.1};
    nr = 1;
    for (const double h : kFront)
        front.run({12, nr++, h});
    nr = 1;
    for (const double h : kBack)
        back.run({12, nr++, h});

    auto head = db.insert(
        "SCHICHT_HOEHEN_KOPF",
        {"ID_LOG", "LANG_V", "LANG_A_V", "LANG_B_V", "HOEHE_B_V", "LANG_H", "LANG_A_H", "LANG_B_H",
         "HOEHE_B_H", "HOEHE_A", "LANG_A", "LANG_B", "HOEHE_B", "VOL_A", "VOL_B", "VOL_C", "VOL"});
    // Part A is the full-height stretch, part B the lower end, part C the underlay.
    head.run({12, 20.0, 14.0, 6.0, 1.2, 20.0, 13.5, 6.5, 1.1, 2.05, 13.75, 6.25, 1.15, 56.38, 14.38,
              0.5, 70.25});
}

void writeShellMeasurements(SqliteWriter& db) {
    auto stems = db.insert("MANTEL", {"ID_MANTEL", "NR", "HA", "HS", "GKL", "STKL", "LANGE",
                                      "DURCH", "STUCK", "KUBATUR", "ENTRINDUNG", "RINDE"});
    struct Sample {
        std::int64_t group;
        const char* ha;
        const char* stkl;
        double length, diameter;
    };
    constexpr Sample kSamples[] = {
        {1, "FI", "1a", 4.0, 12}, {1, "FI", "1b", 4.0, 16}, {1, "FI", "1b", 4.0, 17},
        {1, "FI", "2a", 4.0, 21}, {2, "KI", "1b", 3.0, 15}, {2, "KI", "1b", 3.0, 18},
        {2, "KI", "2a", 3.0, 22},
    };
    int nr = 1;
    for (const Sample& s : kSamples) {
        stems.run({s.group, nr++, s.ha, "IL", "IN", s.stkl, s.length, s.diameter, 1,
                   huberVolume(s.length, s.diameter), "o.R.", 1.5});
    }
}

}  // namespace

void writeInvoiceLogs(SqliteWriter& db) {
    {
        LogWriter logs(db);
        writeList4711(logs);
        writeList4712(logs);
    }
    writeListHeads(db);
    writeStackHeights(db);
    writeShellMeasurements(db);
}

}  // namespace ls::demo

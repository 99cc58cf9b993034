// Invoice heads and the further positions billed with the timber: services, times, receipts.
#include <optional>

#include "demo/office_data.hpp"

namespace ls::demo {
namespace {

constexpr auto null = std::nullopt;

}  // namespace

void writePositions(SqliteWriter& db) {
    auto heads = db.insert("HEADERRECH", {"VER_TYPE", "R_NAME", "KUNDE_ID", "INVDATE"});
    heads.run({"R", "1001", key::kMustermann, "2024-04-15"});
    heads.run({"A1", "815", key::kHolzer, "2024-04-16"});
    heads.run({"R", "1002", key::kRueckebetrieb, "2024-04-20"});

    auto orders = db.insert("BB_T_AUFTRAGS_PLANUNG", {"ID", "NUMMER", "SHORT", "LONG"});
    orders.run({1, "2024-017", "HE3", "Holzernte Abteilung 3"});
    orders.run({2, "2024-021", "ABF", "Holzabfuhr März"});

    auto paymentTypes = db.insert("BB_T_ZAHLART", {"ID", "LONG"});
    paymentTypes.run({1, "Überweisung"});
    paymentTypes.run({2, "Barzahlung"});

    auto machines = db.insert("SCH_MASCHINENBUCH", {"ID", "BEZEICHNUNG"});
    machines.run({key::kForwarder, "Forwarder HSM 208F"});
    machines.run({key::kHarvester, "Harvester Ponsse Scorpion"});
    machines.run({key::kLkw, "LKW MAN TGS"});

    auto positions = db.insert(
        "NN_POSITIONEN", {"NN_ID", "NN_NAME", "VER_TYPE", "NUMMER", "BEZEICH1", "BEZEICH2", "MENGE",
                          "EINHEIT_ID", "ID_BB_T_AUFTRAGS_PLANUNG_KLR"});
    // R 1001: one position without order, two with time records, two with receipts.
    positions.run({1, "1001", "R", 1, "Stammholz", "Fichte/Tanne", 12.5, key::kFm, null});
    positions.run({2, "1001", "R", 2, "Motormanuelle Fällung", null, null, key::kStd, 1});
    positions.run({3, "1001", "R", 3, "Rückung", "Forwarder", null, key::kStd, 1});
    positions.run({4, "1001", "R", 4, "Holzabfuhr", "LKW", 3.0, key::kHa, 2});
    positions.run({5, "1001", "R", 5, "Wegeinstandsetzung", null, 1.0, key::kStd, 2});
    // A1 815 and R 1002, the latter an invoice without logs.
    positions.run({6, "815", "A1", 1, "Rückekosten", null, 20.5, key::kFm, null});
    positions.run({7, "1002", "R", 1, "Brennholz", "Selbstwerber", 10.0, key::kRM, null});
    positions.run({8, "1002", "R", 2, "Flächenlos", null, null, key::kHa, 2});

    auto times = db.insert("LOHNERFASSUNG_ZEIT_SONST",
                           {"ID", "ID_NN_POSITIONEN", "ID_ARBEITER", "ID_SCH_MASCHINENBUCH",
                            "BUCHUNGSDATUM", "MENGE", "BEMERKUNG"});
    times.run({1, 2, key::kHuber, null, "2024-03-04", 8.0, "Windwurf aufgearbeitet"});
    times.run({2, 2, key::kHuber, null, "2024-03-05", 6.5, null});
    times.run({3, 3, null, key::kForwarder, "2024-03-06", 7.5, null});

    auto receiptHeads =
        db.insert("SCH_BELEGE_KOPF", {"ID", "BELEGDATUM", "ZAHLUNGSGRUND", "ID_ZAHLART"});
    receiptHeads.run({1, "2024-03-12", "Holzabfuhr", 1});
    receiptHeads.run({2, "2024-03-13", "Holzabfuhr Nachtrag", 2});
    receiptHeads.run({3, "2024-03-14", "Wegebau", 1});
    receiptHeads.run({4, "2024-04-02", "Flächenlos Brennholz", 2});

    auto receipts = db.insert("SCH_BELEGE", {"ID", "ID_NN_POSITIONEN", "ID_SCH_BELEGE_KOPF",
                                             "ID_SCH_MASCHINENBUCH", "MENGE", "FLACHE", "STORNO"});
    receipts.run({1, 4, 1, key::kLkw, 2.0, 2.5, null});
    // Cancelled: the position keeps its valid receipt; position 5 disappears entirely.
    receipts.run({2, 4, 2, key::kLkw, 1.0, null, 1});
    receipts.run({3, 5, 3, null, 1.0, null, 1});
    receipts.run({4, 8, 4, null, 0.8, 0.8, null});
}

}  // namespace ls::demo

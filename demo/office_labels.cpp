// The label texts of the demo office (table STRINGS), a few with the office's own wording.
#include <optional>
#include <string>

#include "demo/office_data.hpp"

namespace ls::demo {
namespace {

struct Label {
    int id;
    const char* german;
    const char* english;
};

// Every label number the delivery note asks for.
constexpr Label kLabels[] = {
    {41, "Kunde", "Customer"},
    {388, "Waldort", "Forest location"},
    {700, "Wagennummer", "Wagon number"},
    {701, "Stammbemerkung", "Log remark"},
    {716, "Eigentumsart", "Ownership"},
    {717, "Revier", "District"},
    {718, "Forstbetrieb", "Forest enterprise"},
    {719, "Hiebsart", "Felling type"},
    {720, "Zertifizierung", "Certification"},
    {721, "Vermarktung", "Marketing"},
    {722, "Einschlagsart", "Harvest type"},
    {723, "Holzabfuhr", "Haulage"},
    {724, "Sonderkennzeichen", "Special mark"},
    {725, "Förderung", "Subsidy"},
    {726, "Liste", "List"},
    {727, "Listendatum", "List date"},
    {729, "Zusatztext", "Additional text"},
    {1135, "Lose", "Lots"},
    {1148, "Langname", "Long name"},
    {3074, "Kunde A1", "Customer A1"},
    {3075, "Kunde A2", "Customer A2"},
    {3076, "Kunde A3", "Customer A3"},
    {3077, "Kunde A4", "Customer A4"},
    {3078, "Kunde A5", "Customer A5"},
    {3079, "Kunde A6", "Customer A6"},
    {3080, "Kunde A7", "Customer A7"},
    {3081, "Kunde A8", "Customer A8"},
    {4783, "Zusatztext 1", "Additional text 1"},
    {4784, "Zusatztext 2", "Additional text 2"},
    {4785, "Zusatztext 3", "Additional text 3"},
    {4786, "Zusatztext 4", "Additional text 4"},
    {4787, "Zusatztext 5", "Additional text 5"},
    {4788, "Koordinate 1", "Coordinate 1"},
    {4789, "Koordinate 2", "Coordinate 2"},
    {5008, "Verkaufsart", "Sale type"},
    {5945, "Polter", "Pile"},
    {6371, "Listenkopf-Zusatztext", "List head text"},
    // Free fields of the list head: dates 1352..1356, numbers 1358..1367, texts 1369..1383.
    {1356, "Hiebsbeginn", "Felling start"},
    {1355, "Hiebsende", "Felling end"},
    {1367, "Rückepreis", "Skidding price"},
    {1366, "Zuschlag", "Surcharge"},
    {1369, "Hiebsort", "Felling site"},
    {1370, "Unternehmer", "Contractor"},
};

// The office's own wording; a text of blanks only counts as none.
struct CustomLabel {
    int id;
    const char* german;
};
constexpr CustomLabel kCustom[] = {
    {726, "Holzliste"},
    {41, "Käufer"},
    {5945, "   "},
};

std::optional<std::string> customText(int id) {
    for (const auto& c : kCustom) {
        if (c.id == id) return c.german;
    }
    return std::nullopt;
}

}  // namespace

void writeLabels(SqliteWriter& db) {
    auto strings = db.insert("STRINGS", {"ID_STRING", "GERMAN", "CUSTOM_GERMAN", "ENGLISH"});
    for (const auto& l : kLabels)
        strings.run({l.id, l.german, customText(l.id), l.english});

    // The remaining free fields get numbered texts.
    for (int i = 3; i <= 5; ++i) {
        const std::string n = std::to_string(i);
        strings.run({1357 - i, "Listenkopf Datum " + n, std::nullopt, "List head date " + n});
    }
    for (int i = 3; i <= 10; ++i) {
        const std::string n = std::to_string(i);
        strings.run({1368 - i, "Listenkopf Zahl " + n, std::nullopt, "List head number " + n});
    }
    for (int i = 3; i <= 15; ++i) {
        const std::string n = std::to_string(i);
        strings.run({1368 + i, "Listenkopf Text " + n, std::nullopt, "List head text " + n});
    }
}

}  // namespace ls::demo

// Block titles of the layout codes and the shell group of a record.
#include "sections/single/einzeln_stand.hpp"

namespace ls::sections {

const char* layoutTitel(std::int32_t layout) {
    switch (layout) {
        case kRundholz:
            return "Rundholz";
        case kSchichtholz:
            return "Schichtholz";
        case kStangen:
            return "Stangen";
        case kGewichtsholz:
            return "Gewichtsholz";
        case kWerksvermessung:
            return "Werksvermessung";
        case kMantel:
            return "Mantelvermessung(Einzeln)";
        case kSchichtHoehen:
            return "Schichtholz- Höhenvermessung";
        default:
            return "Sonstiges";
    }
}

std::int32_t mantelId(const db::Recordset& rs) {
    const auto& id = rs["ID_MANTEL"];
    return id.isNull() ? 0 : id.toInt32();
}

}  // namespace ls::sections

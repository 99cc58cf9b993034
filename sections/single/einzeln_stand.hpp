// The layout codes of the single-log list and the state one list carries from row to row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/db/recordset.hpp"
#include "sections/single/einzeln_vorrat.hpp"

namespace ls::sections {

// A log's layout code is its assortment DSART; stacks with heights get their own code,
// and the measured stems of a shell group have their own heading row.
enum EinzelnLayout : std::int32_t {
    kRundholz = 1,
    kSchichtholz = 2,
    kStangen = 3,
    kGewichtsholz = 4,
    kWerksvermessung = 5,
    kMantel = 6,
    kSchichtHoehen = 7,
    kMantelDetail = 8,
};

// "Sonstiges" for every code without a layout of its own.
const char* layoutTitel(std::int32_t layout);

// The shell group of a record; a log without one counts as group 0.
std::int32_t mantelId(const db::Recordset& rs);

// Set on entry to WriteEinzeln; nothing of it survives the call.
struct EinzelnStand {
    std::optional<std::int32_t> nLastLayout;  // none until the first block is open
    std::int32_t dBlockStart = 0;             // heading row of the open block
    std::int32_t lLastWaldort = 0;
    std::string sLastPoltNr = "0";
    std::string sLastLos;
    std::string sLastKoord1;
    std::string sLastKoord2;

    // The shell group whose extrapolation part is open, and its sums.
    std::int32_t lLastMantel = 0;
    double dSumStuck = 0;
    double dSumKub = 0;
    double dSumStkH = 0;
    double dSumKubH = 0;

    // The block's piles, forest locations, heights and shell groups, fetched once.
    EinzelnVorrat vorrat;
};

}  // namespace ls::sections

// The demo forestry office, table group by table group, and the keys the groups share.
#pragma once

#include <cstdint>

#include "demo/sqlite_writer.hpp"

namespace ls::demo {

// Keys of reference rows that logs, invoices and positions point at.
namespace key {
// WARENEINHEIT
inline constexpr int kFm = 1, kRM = 2, kSRm = 3, kStk = 4, kTonneLutro = 5, kTonneAtro = 6,
                     kRmLower = 7, kSrmMixed = 8, kStd = 9, kHa = 10;
// PERSONAL
inline constexpr int kMustermann = 1, kHolzer = 2, kHolzhandel = 3, kBecker = 4, kHuber = 5,
                     kRueckebetrieb = 6;
// WALDORT
inline constexpr int kHintereHalde = 1, kOhneLangname = 2, kLangnameWieStufen = 3;
// SCH_MASCHINENBUCH
inline constexpr int kForwarder = 1, kHarvester = 2, kLkw = 3;
}  // namespace key

// Units, wood types and sorts, price values, classes, forest locations, classifications,
// sale types, persons, transports.
void writeReferenceData(SqliteWriter& db);
// STRINGS: a German text for every label number the delivery note uses.
void writeLabels(SqliteWriter& db);
// OPTIONEN and FORMS_CONFIG.
void writeConfiguration(SqliteWriter& db);
// Invoice R 1001 (two lists, every assortment) and A1 815, with list heads, stack heights
// and shell measurements. Log ids 1 to kLastDemoLogId, shell groups 1 to kLastDemoMantelId.
void writeInvoiceLogs(SqliteWriter& db);
inline constexpr std::int64_t kLastDemoLogId = 22;
inline constexpr std::int64_t kLastDemoMantelId = 2;
// Invoice heads and their positions: R 1001, A1 815, and R 1002 which has no logs.
void writePositions(SqliteWriter& db);

}  // namespace ls::demo

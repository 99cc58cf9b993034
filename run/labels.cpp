// Label texts from the table STRINGS.
#include "run/labels.hpp"

#include <array>

#include "host/db/db_error.hpp"
#include "host/text/convert.hpp"
#include "run/run_sql.hpp"

namespace ls::run {
namespace {

// The head block's labels (list, lots, dates, texts, classifications, sale type, addresses,
// list-head fields, wagons), the forest location and pile lines, the remark of a log.
constexpr auto kNoteNumbers = std::to_array<std::int32_t>(
    {41,   388,  700,  701,  716,  717,  718,  719,  720,  721,  722,  723,  724,  725,
     726,  727,  729,  1135, 1148, 1352, 1353, 1354, 1355, 1356, 1358, 1359, 1360, 1361,
     1362, 1363, 1364, 1365, 1366, 1367, 1369, 1370, 1371, 1372, 1373, 1374, 1375, 1376,
     1377, 1378, 1379, 1380, 1381, 1382, 1383, 3074, 3075, 3076, 3077, 3078, 3079, 3080,
     3081, 4783, 4784, 4785, 4786, 4787, 4788, 4789, 5008, 5945, 6371});

// A row's text: the installation's own wording of only blanks counts as none.
std::string labelText(const db::Recordset& rs) {
    const auto& custom = rs["CUSTOM_GERMAN"];
    std::string result = custom.isNull() ? std::string() : text::trim(custom.toText());
    if (result.empty()) {
        const auto& standard = rs["GERMAN"];
        result = standard.isNull() ? std::string() : text::trim(standard.toText());
    }
    return result;
}

}  // namespace

std::span<const std::int32_t> Labels::noteNumbers() {
    return kNoteNumbers;
}

void Labels::readNoteNumbers() {
    noteNumbersRead_ = true;
    try {
        auto rs = db_.execute(stringTextsSql(kNoteNumbers));
        const auto key = rs.fieldIndex("ID_STRING");
        if (!key) return;
        for (; !rs.eof(); rs.moveNext()) {
            const auto& id = rs[*key];
            if (id.isNull()) continue;
            // The first row of a number counts, as for the statement of one number.
            cache_.emplace(id.toInt32(), labelText(rs));
        }
    } catch (const db::DbError&) {
        // A table the statement of many numbers cannot read is read number by number, so
        // that each label fails (or not) as it always did.
        cache_.clear();
        return;
    }
    // A number without a row has no text; asking the database again would not change that.
    for (const auto n : kNoteNumbers)
        cache_.emplace(n, std::string());
}

std::string Labels::GetStringText(std::int32_t id) {
    if (!noteNumbersRead_) readNoteNumbers();
    if (const auto hit = cache_.find(id); hit != cache_.end()) return hit->second;

    const auto rs = db::execute(db_, stringTextSql(id));
    const std::string result = !rs.eof() && !rs.bof() ? labelText(rs) : std::string();
    cache_.emplace(id, result);
    return result;
}

}  // namespace ls::run

// Label texts from the table STRINGS.
#include "run/labels.hpp"

#include "host/text/convert.hpp"
#include "run/run_sql.hpp"

namespace ls::run {

std::string Labels::GetStringText(std::int32_t id) {
    if (const auto hit = cache_.find(id); hit != cache_.end()) return hit->second;

    auto rs = db::execute(db_, stringTextSql(id));
    std::string result;
    if (!rs.eof() && !rs.bof()) {
        // An installation's own wording of only blanks counts as none.
        const auto& custom = rs["CUSTOM_GERMAN"];
        result = custom.isNull() ? std::string() : text::trim(custom.toText());
        if (result.empty()) {
            const auto& standard = rs["GERMAN"];
            result = standard.isNull() ? std::string() : text::trim(standard.toText());
        }
    }
    cache_.emplace(id, result);
    return result;
}

}  // namespace ls::run

// Database values into cells.
#include "run/cells.hpp"

#include <type_traits>
#include <variant>

namespace ls::run {

void writeValue(sheet::Worksheet& sheet, const sheet::Range& cell, const db::Value& value) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                sheet.clearContents(cell);
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                sheet.setNumber(cell, static_cast<double>(v));
            } else if constexpr (std::is_same_v<T, double>) {
                sheet.setNumber(cell, v);
            } else if constexpr (std::is_same_v<T, std::string>) {
                sheet.setText(cell, v);
            } else {
                sheet.setDate(cell, v);
            }
        },
        value.variant());
}

}  // namespace ls::run

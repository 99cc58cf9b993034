// Safe splicing of values into statement text.
#include "host/db/sql_text.hpp"

#include <stdexcept>

#include "host/text/convert.hpp"

namespace ls::db {

std::string quoted(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    for (const char c : value) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

std::string checkedInvoiceKind(std::string_view kind) {
    const std::string upper = text::toUpper(kind);
    if (upper == "R" ||
        (upper.size() == 2 && upper[0] == 'A' && upper[1] >= '1' && upper[1] <= '8'))
        return upper;
    throw std::invalid_argument("Ungültige Rechnungsart \"" + std::string(kind) +
                                "\": erlaubt sind R und A1 bis A8.");
}

}  // namespace ls::db

// Database values into cells.
#include "run/cells.hpp"

namespace ls::run {

void writeValue(sheet::Worksheet& sheet, const sheet::Range& cell, const db::Value& value) {
    switch (value.kind()) {
        case db::Value::Kind::Null:
            sheet.clearContents(cell);
            break;
        case db::Value::Kind::Integer:
            sheet.setNumber(cell, static_cast<double>(value.integer()));
            break;
        case db::Value::Kind::Double:
            sheet.setNumber(cell, value.number());
            break;
        case db::Value::Kind::Text:
            sheet.setText(cell, value.text());
            break;
        case db::Value::Kind::Date:
            sheet.setDate(cell, value.date());
            break;
    }
}

}  // namespace ls::run

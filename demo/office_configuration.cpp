// The demo office's options and form configuration (OPTIONEN, FORMS_CONFIG).
#include <optional>

#include "demo/office_data.hpp"

namespace ls::demo {

void writeConfiguration(SqliteWriter& db) {
    auto options = db.insert("OPTIONEN", {"PROPERTY_ID", "TEXT_VALUE", "NUMBER_VALUE"});
    options.run({"EXCELRECHNUNG", "R 1001", std::nullopt});
    options.run({"KUBATURPLACE", std::nullopt, 3});

    // Where the additional texts appear: 0 or 1 head block, 2 or 4 pile line, else nowhere.
    auto forms = db.insert("FORMS_CONFIG", {"FORM_ID", "PROPERTY_ID", "NUMBER_VALUE"});
    forms.run({"F_STAMMEINKONF", "ZUSTEXT1", 1});
    forms.run({"F_STAMMEINKONF", "ZUSTEXT2", 0});
    forms.run({"F_STAMMEINKONF", "ZUSTEXT3", 3});
    forms.run({"F_STAMMEINKONF", "COORDINATE1", 2});
    forms.run({"F_STAMMEINKONF", "COORDINATE2", 3});
    forms.run({"F_STAMMEINKONF", "ZUSATZTEXT", 0});
    // Another form's settings, which the delivery note must not pick up.
    forms.run({"F_POLTERKONF", "ZUSTEXT1", 4});
}

}  // namespace ls::demo

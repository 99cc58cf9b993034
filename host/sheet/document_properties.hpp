// The document properties of a workbook made from a template: the core properties
// (docProps/core.xml) and the application of the extended properties (docProps/app.xml).
#pragma once

#include <pugixml.hpp>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace ls::sheet {

struct DocumentStamp {
    std::chrono::system_clock::time_point created;
    std::string application;     // "Lieferschein 1.0.0"; "" keeps the template's
    std::string lastModifiedBy;  // the user running the program; "" keeps the template's
};

// "2026-03-05T14:07:09Z"
std::string w3cdtf(std::chrono::system_clock::time_point time);

using PartReader = std::function<std::optional<std::string>(const std::string& name)>;

// Rewrites the core properties (created, modified at `now`, last modified by) and the
// application of the extended properties into parts; creates both parts, their package
// relationships and content types when the template has none. Title, subject, creator,
// company and everything else stay as the template has them. A part that is not well-formed
// throws PackageError naming it.
void stampDocumentProperties(const DocumentStamp& stamp, std::chrono::system_clock::time_point now,
                             const PartReader& read, std::map<std::string, std::string>& parts,
                             pugi::xml_document& contentTypes);

}  // namespace ls::sheet

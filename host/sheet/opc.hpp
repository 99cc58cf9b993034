// The packaging conventions of OOXML: relationships, part names and content types.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace ls::sheet::opc {

inline constexpr std::string_view kRelationshipsNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr std::string_view kOfficeRelBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

inline constexpr std::string_view kTypeRelationships =
    "application/vnd.openxmlformats-package.relationships+xml";
inline constexpr std::string_view kTypeWorkbook =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr std::string_view kTypeWorkbookMacro =
    "application/vnd.ms-excel.sheet.macroEnabled.main+xml";
inline constexpr std::string_view kTypeTemplate =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
inline constexpr std::string_view kTypeTemplateMacro =
    "application/vnd.ms-excel.template.macroEnabled.main+xml";
inline constexpr std::string_view kTypeWorksheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr std::string_view kTypeStyles =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr std::string_view kTypeSharedStrings =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";

struct Relationship {
    std::string id;
    std::string type;
    std::string target;  // resolved part name without leading "/", or the external target
    bool external = false;
};

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; "" (the package) -> "_rels/.rels".
std::string relationshipsPartOf(std::string_view partName);
// A target relative to its source part ("worksheets/sheet1.xml", "../media/a.png", or
// absolute "/xl/styles.xml") as a part name: "xl/worksheets/sheet1.xml".
std::string resolveTarget(std::string_view sourcePart, std::string_view target);
// The target written from sourcePart to partName: "xl/styles.xml" from the workbook is
// "styles.xml".
std::string relativeTarget(std::string_view sourcePart, std::string_view partName);

// The relationships in a parsed .rels part of sourcePart.
std::vector<Relationship> relationships(const pugi::xml_document& rels,
                                        std::string_view sourcePart);
// A relationship type by its last segment ("worksheet", "styles", "vbaProject").
bool hasType(const Relationship& rel, std::string_view name);

// An unused relationship id ("rId7") in a parsed .rels part, and a new relationship.
std::string freeRelationshipId(const pugi::xml_document& rels);
void addRelationship(pugi::xml_document& rels, const std::string& id, std::string_view type,
                     const std::string& target);
void removeRelationship(pugi::xml_document& rels, std::string_view id);

// Content types: the type an Override gives the part ("" when none).
std::string overrideType(const pugi::xml_document& types, std::string_view partName);
void setOverride(pugi::xml_document& types, std::string_view partName, std::string_view type);
void removeOverride(pugi::xml_document& types, std::string_view partName);
void ensureDefault(pugi::xml_document& types, std::string_view extension, std::string_view type);

bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace ls::sheet::opc

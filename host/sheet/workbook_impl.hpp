// The inside of a workbook: the template package it came from, its workbook-level parts,
// and its sheets.
#pragma once

#include <pugixml.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/sheet/document_properties.hpp"
#include "host/sheet/workbook.hpp"
#include "host/sheet/worksheet_impl.hpp"
#include "host/sheet/zip_package.hpp"

namespace ls::sheet {

struct Workbook::Impl {
    std::string displayName;  // the template's file name, for messages

    // Where the parts come from: the template's zip, or parts built in memory.
    std::unique_ptr<PackageReader> package;
    std::map<std::string, std::string> memoryParts;
    std::vector<std::string> partNames;  // in the order of the source package

    pugi::xml_document contentTypes;
    pugi::xml_document workbookDoc;
    pugi::xml_document workbookRels;
    std::string workbookPart;  // "xl/workbook.xml"
    std::string workbookPrefix;
    std::string stylesPart;
    bool stylesExisted = false;
    std::string sharedStringsPart;
    bool sharedStringsExisted = false;
    std::vector<std::string> droppedParts;  // the calculation chain, rebuilt by the application
    std::vector<std::string> droppedRelationships;

    WorkbookShared shared;
    // The loaded sheets, before the workbook wraps them; then the sheets themselves.
    std::vector<std::unique_ptr<Worksheet::Impl>> loadedSheets;
    std::vector<std::unique_ptr<Worksheet>> worksheets;
    std::vector<int> positions;  // each worksheet's place among the workbook's sheets
    std::size_t active = 0;
    bool macroEnabled = false;
    std::vector<MacroCall> macroCalls;
    std::vector<std::string> warnings;  // what of the template could not be used
    // Parts rewritten while loading (a relationship to a drawing that is not there).
    std::map<std::string, std::string> replacedParts;
    DocumentStamp stamp;  // created when the workbook was made from its template

    std::optional<std::string> readPart(const std::string& name) const;
    // The part's name as the source package spells it; the name itself when it is new.
    std::string storedName(const std::string& name) const;
};

// Reads the package's parts into the workbook; throws PackageError.
void loadPackage(Workbook::Impl& book);
// The parts of a new workbook with these sheets; throws SheetError for a bad sheet name.
std::map<std::string, std::string> blankParts(const std::vector<std::string>& sheetNames);
// The content of the rewritten parts other than the sheets, by name.
std::map<std::string, std::string> rewrittenParts(const Workbook::Impl& book);

// A sheet whose part is written anew, and whether its tab is the selected one.
struct RewrittenSheet {
    const Worksheet::Impl* sheet = nullptr;
    bool selected = false;
};
std::vector<RewrittenSheet> rewrittenSheets(const Workbook::Impl& book);
// The sheet's part, in pieces; throws SheetError naming the sheet.
void writeSheetPart(const RewrittenSheet& part, const XmlSink& sink);

}  // namespace ls::sheet

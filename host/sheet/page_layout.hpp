// The print layout of a sheet as the package stores it: page setup, print options, header
// and footer in the sheet part; print area and titles as defined names of the workbook.
#pragma once

#include <pugixml.hpp>

#include <string>

#include "host/sheet/page_setup.hpp"

namespace ls::sheet::layout {

// The members kept in the sheet part.
void read(const pugi::xml_node& worksheet, PageSetup& setup);
// Writes the members that differ from what was loaded, leaving everything else as the
// template has it (margins, printer settings, fit to page).
void write(pugi::xml_node worksheet, const PageSetup& now, const PageSetup& loaded,
           const std::string& prefix);

// Print area and print titles of the sheet at position localSheetId of the workbook.
void readPrintNames(const pugi::xml_node& workbook, int localSheetId, PageSetup& setup);
// Throws SheetError for an area or titles that are no valid reference.
void writePrintNames(pugi::xml_node workbook, int localSheetId, const std::string& sheetName,
                     const PageSetup& now, const PageSetup& loaded, const std::string& prefix);

// A sheet name as formulas write it: quoted where needed ("'Neue Liste'").
std::string quotedSheetName(const std::string& name);

}  // namespace ls::sheet::layout

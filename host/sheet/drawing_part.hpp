// Finding each sheet's drawing part in the package when the workbook is loaded, and writing
// the drawing parts that changed when it is saved.
#pragma once

#include <map>
#include <string>

#include "host/sheet/workbook_impl.hpp"

namespace ls::sheet {

// Reads the drawing part of every sheet that has one. A drawing part that is missing or not
// well-formed is left out of the workbook with a warning naming it: the sheet loses its
// pictures and shapes, and the rest of the workbook is whole.
void loadDrawings(Workbook::Impl& book);
// The drawing parts and relationship parts changed since loading, by name.
void addDrawingParts(const Workbook::Impl& book, std::map<std::string, std::string>& parts);

}  // namespace ls::sheet

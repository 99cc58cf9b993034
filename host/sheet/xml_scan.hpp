// A light pass over XML text that finds elements and counts what a parsed tree of the text
// would hold, without building one: to judge a part before it is parsed, and to take a
// sheet's cell data row by row.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace ls::sheet::xml {

// The tree nodes a parse of text would create: elements, attributes and text runs.
std::size_t countNodes(std::string_view text);

struct ElementSpan {
    std::size_t begin = 0;         // at "<"
    std::size_t contentBegin = 0;  // after the start tag
    std::size_t contentEnd = 0;    // at the end tag; contentBegin for an empty element
    std::size_t end = 0;           // after the element
    std::string_view name;         // with prefix
};

// The next element at this level of text, starting at pos: text, comments and processing
// instructions before it are passed over. nullopt at an end tag or at the end of the text.
// Throws PackageError naming partName for markup that never ends.
std::optional<ElementSpan> nextElement(std::string_view text, std::size_t pos,
                                       std::string_view partName);

// "x:row" -> "row".
std::string_view localPart(std::string_view name);

}  // namespace ls::sheet::xml

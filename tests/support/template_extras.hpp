// What an office's template carries beyond cells, added to a package for the tests: pictures,
// shapes and text boxes in a drawing part, conditional formats, data validations, hyperlinks
// and defined names.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ls::test {

using PackageParts = std::map<std::string, std::string>;

PackageParts readPackage(const std::filesystem::path& file);
void writePackage(const std::filesystem::path& file, const PackageParts& parts);

// A drawing anchored from row fromRow to row toRow (0-based, as the drawing part counts).
struct Drawn {
    enum class Kind { Picture, TextBox, Chart };
    Drawn(Kind k, int from, int to, std::string anchoring = {})
        : kind(k), fromRow(from), toRow(to), editAs(std::move(anchoring)) {}
    Kind kind;
    int fromRow;
    int toRow;
    std::string editAs;  // "", "oneCell", "absolute"
};

struct Extras {
    std::string sheetPart = "xl/worksheets/sheet1.xml";
    std::vector<Drawn> drawings;
    // Markup inserted into the sheet part before <pageMargins>: conditionalFormatting,
    // dataValidations, hyperlinks (whose r:id may name "rIdLink", an external link).
    std::string rules;
    // <definedName> elements of the workbook part.
    std::string definedNames;
    enum class DrawingPart { Sound, Missing, Malformed } drawingPart = DrawingPart::Sound;
};

// The package of `in` with the extras added, written to `out`; a name ending in ".xltx"
// gets the content type of a template.
void addExtras(const std::filesystem::path& in, const std::filesystem::path& out,
               const Extras& extras);

// How often text occurs in content.
std::size_t occurrences(const std::string& content, const std::string& text);

}  // namespace ls::test

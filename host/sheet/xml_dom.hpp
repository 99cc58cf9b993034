// Helpers around pugixml for the package's parts: parsing with a clear error, writing back,
// elements by local name (parts may carry a namespace prefix) and schema-ordered insertion.
#pragma once

#include <pugixml.hpp>

#include <span>
#include <string>
#include <string_view>

namespace ls::sheet::xml {

// The most tree nodes (elements, attributes, text runs) one parse may create: about 64 MiB.
inline constexpr std::size_t kMaxNodesPerPart = 1'000'000;

enum class Fragment { No, Yes };  // Yes: a run of elements without one root

// Thrown for a part that is not well-formed or would need more than kMaxNodesPerPart
// nodes; the message names the part.
void parse(pugi::xml_document& doc, std::string_view content, std::string_view partName,
           Fragment fragment = Fragment::No);

// The part as UTF-8 text with the standard declaration.
std::string serialize(const pugi::xml_document& doc);
// One node without declaration, as stored for style entries.
std::string serialize(const pugi::xml_node& node);

std::string_view localName(const pugi::xml_node& node);
std::string_view localName(const pugi::xml_attribute& attribute);
// "x:" for <x:worksheet>, "" without prefix.
std::string prefixOf(const pugi::xml_node& node);

pugi::xml_node child(const pugi::xml_node& parent, std::string_view local);
pugi::xml_node documentElement(const pugi::xml_document& doc);
// An attribute by local name: "r:id" is found as "id" when the prefix is not known.
pugi::xml_attribute attributeByLocalName(const pugi::xml_node& node, std::string_view local);

// Sets or replaces an attribute.
void setAttribute(pugi::xml_node node, const char* name, std::string_view value);

// The child with this local name, created at its place in the schema's sequence when
// missing. order lists the local names of the parent's children in schema order.
pugi::xml_node ensureChild(pugi::xml_node parent, std::string_view local,
                           std::span<const std::string_view> order, const std::string& prefix);
// A new child inserted at its place in the schema's sequence.
pugi::xml_node insertChild(pugi::xml_node parent, std::string_view local,
                           std::span<const std::string_view> order, const std::string& prefix);

}  // namespace ls::sheet::xml

// Zip packages for the workbook tests: built from named parts, and read back part by part.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace ls::test {

using Parts = std::map<std::string, std::string>;

// Writes the parts as a zip file (deflated).
void writeZip(const std::filesystem::path& file, const Parts& parts);
// Every entry of a zip file with its uncompressed content.
Parts readZip(const std::filesystem::path& file);
// The compressed bytes and CRC of one entry as they stand in the file.
std::string rawEntry(const std::filesystem::path& file, const std::string& name);

}  // namespace ls::test

// The zip container of a workbook: reading a template package within limits.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct zip;

namespace ls::sheet {

struct PackageLimits;

struct ZipDeleter {
    void operator()(zip* archive) const;
};
using ZipHandle = std::unique_ptr<zip, ZipDeleter>;

// An opened template package. Throws PackageError for anything that is no sound zip file.
class PackageReader {
  public:
    PackageReader(const std::filesystem::path& file, const PackageLimits& limits);

    struct Entry {
        std::string name;
        std::uint64_t index = 0;
        std::uint64_t size = 0;
    };
    const std::vector<Entry>& entries() const { return entries_; }
    // Part names are compared ignoring letter case, as the package format requires.
    std::optional<std::uint64_t> find(std::string_view name) const;
    // The uncompressed content, at most the size the directory declares.
    std::string read(std::string_view name) const;
    zip* handle() const { return archive_.get(); }

  private:
    ZipHandle archive_;
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> byName_;  // lower-case name -> entry
};

}  // namespace ls::sheet

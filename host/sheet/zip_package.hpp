// The zip container of a workbook: reading a template package within limits, and writing
// a new package that copies unchanged entries raw from the template.
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

// A new package written to a file; entries are added in the order they should appear.
class PackageWriter {
  public:
    explicit PackageWriter(const std::filesystem::path& file);
    // The entry's compressed bytes exactly as they stand in the source package.
    void copyRaw(const PackageReader& source, std::uint64_t index, const std::string& name);
    // The buffer must live until close().
    void add(const std::string& name, const std::string& content);
    void close();  // writes the file; throws PackageError
    void discard();

  private:
    ZipHandle archive_;
    std::filesystem::path file_;
};

}  // namespace ls::sheet

// A new zip package written to a file, entry by entry in the order they should appear:
// unchanged entries copied compressed from the template, new ones deflated as they come.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ls::sheet {

class PackageReader;

class PackageWriter {
  public:
    using Sink = std::function<void(std::string_view)>;

    // Throws PackageError when the file cannot be created.
    explicit PackageWriter(const std::filesystem::path& file);

    // The entry's compressed bytes exactly as they stand in the source package.
    void copyRaw(const PackageReader& source, std::uint64_t index, const std::string& name);
    void add(const std::string& name, std::string_view content);
    // An entry whose content produce() hands to the sink in pieces, never held whole.
    void addStreamed(const std::string& name, const std::function<void(const Sink&)>& produce);
    // Writes the directory; throws PackageError.
    void close();

  private:
    struct Entry {
        std::string name;
        std::uint16_t method = 0;
        std::uint32_t crc = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;  // of the local header
    };
    // The fields the local header and the directory record share, from "version needed"
    // to the extra field's length.
    void putEntryFields(std::string& out, const Entry& entry) const;
    void writeLocalHeader(const Entry& entry);
    void patchLocalHeader(const Entry& entry);
    void writeBytes(std::string_view bytes);
    void checkName(const std::string& name) const;

    std::ofstream out_;
    std::vector<Entry> entries_;
    std::uint64_t offset_ = 0;
    std::uint16_t dosTime_ = 0;
    std::uint16_t dosDate_ = 0;
};

}  // namespace ls::sheet

// Writes a zip package whose bytes depend only on its entries (fixed entry times).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ls::demo {

class ZipPackage {
  public:
    void add(std::string name, std::string data) {
        entries_.push_back({std::move(name), std::move(data)});
    }
    // Writes all entries, in the order added, deflated, each dated 2024-01-01 00:00.
    // The file appears only when complete; on error nothing is left behind.
    void write(const std::filesystem::path& file) const;

  private:
    struct Entry {
        std::string name;
        std::string data;
    };
    std::vector<Entry> entries_;
};

}  // namespace ls::demo

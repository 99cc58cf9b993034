// A scratch folder that belongs to one run alone.
#pragma once

#include <filesystem>
#include <string>

namespace ls::app {

// Made fresh under the temporary folder with a unique name that nobody can claim first,
// readable and writable by the user only, and removed with its content when the object
// goes: files found in it were written by this run. Throws std::system_error.
class PrivateFolder {
  public:
    explicit PrivateFolder(const std::string& prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace ls::app

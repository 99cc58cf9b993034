// A fresh scratch folder with a name nobody can claim first.
#pragma once

#include <filesystem>
#include <string>

namespace ls::platform {

// Makes "<prefix>-<random>" in the user's temporary folder, readable and writable by the user
// only; never takes a folder that exists. Throws std::system_error.
std::filesystem::path makePrivateFolder(const std::string& prefix);

}  // namespace ls::platform

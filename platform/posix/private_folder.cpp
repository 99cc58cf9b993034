// Private scratch folders with mkdtemp.
#include "platform/private_folder.hpp"

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace ls::platform {

std::filesystem::path makePrivateFolder(const std::string& prefix) {
    // mkdtemp creates the folder with mode 0700 and fails rather than take an existing one.
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    return pattern;
}

}  // namespace ls::platform

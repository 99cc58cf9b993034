// The folder of the running executable, from the process's own link.
#include "platform/executable_path.hpp"

namespace ls::platform {

std::filesystem::path executableDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path();
    return self.parent_path();
}

}  // namespace ls::platform

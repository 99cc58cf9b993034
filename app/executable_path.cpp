// The folder of the running executable.
#include "app/executable_path.hpp"

namespace ls::app {

std::filesystem::path executableDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path();
    return self.parent_path();
}

}  // namespace ls::app

// Private scratch folders, removed with their content.
#include "app/private_folder.hpp"

#include "platform/private_folder.hpp"

namespace ls::app {

PrivateFolder::PrivateFolder(const std::string& prefix)
    : path_(platform::makePrivateFolder(prefix)) {}

PrivateFolder::~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace ls::app

// NTFS and FAT keep the case of a name but ignore it when looking one up.
#include "platform/file_name_case.hpp"

namespace ls::platform {

bool fileNamesIgnoreCase() {
    return true;
}

}  // namespace ls::platform

// Linux file systems tell letter cases apart.
#include "platform/file_name_case.hpp"

namespace ls::platform {

bool fileNamesIgnoreCase() {
    return false;
}

}  // namespace ls::platform

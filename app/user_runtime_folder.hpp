// A folder only the current user can write to: for lock files that other users on a shared
// machine must not be able to create first.
#pragma once

#include "platform/runtime_folder.hpp"

namespace ls::app {

using platform::PrivateFolderError;
using platform::privateRuntimeFolder;

}  // namespace ls::app

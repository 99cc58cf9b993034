// Running a helper program (LibreOffice, lp, the desktop's opener) and waiting for it.
#pragma once

#include "platform/process.hpp"

namespace ls::app {

using platform::findProgram;
using platform::ProcessResult;
using platform::runProcess;

}  // namespace ls::app

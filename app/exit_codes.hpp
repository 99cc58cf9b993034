// The exit statuses a caller of the program can tell apart.
#pragma once

namespace ls::app {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRunFailed = 1;       // the delivery note could not be made
inline constexpr int kExitConfiguration = 2;   // wrong call, INI file, database or template
inline constexpr int kExitAlreadyRunning = 3;  // the window is busy, or the output file is
inline constexpr int kExitPrintFailed = 4;     // saved, but the printout failed

}  // namespace ls::app

// Whether the system's file names ignore letter case: on Windows "R_1001.xlsx" and
// "r_1001.XLSX" are one file, on Linux two.
#pragma once

namespace ls::platform {

bool fileNamesIgnoreCase();

}  // namespace ls::platform

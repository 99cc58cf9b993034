// The fault of a package that is no valid workbook; the workbook names the file around it.
#pragma once

#include <stdexcept>

namespace ls::sheet {

class PackageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace ls::sheet

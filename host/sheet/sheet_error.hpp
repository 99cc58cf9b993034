// The error of a workbook operation, naming the file, sheet or address involved.
#pragma once

#include <stdexcept>
#include <string>

namespace ls::sheet {

class SheetError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace ls::sheet

// Label texts by number from the table STRINGS: the installation's own wording first.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "host/db/connection.hpp"

namespace ls::run {

class Labels {
  public:
    explicit Labels(db::Connection& db) : db_(db) {}
    // CUSTOM_GERMAN trimmed, else GERMAN trimmed, else "". The table does not change during
    // a run, so each number is read once.
    std::string GetStringText(std::int32_t id);

  private:
    db::Connection& db_;
    std::unordered_map<std::int32_t, std::string> cache_;
};

}  // namespace ls::run

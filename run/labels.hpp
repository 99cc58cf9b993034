// Label texts by number from the table STRINGS: the installation's own wording first.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>

#include "host/db/connection.hpp"

namespace ls::run {

class Labels {
  public:
    explicit Labels(db::Connection& db) : db_(db) {}
    // CUSTOM_GERMAN trimmed, else GERMAN trimmed, else "". The table does not change during
    // a run, so each number is read once: the first call reads every number the note's
    // writers use in one statement, any other number is read on its own when asked.
    std::string GetStringText(std::int32_t id);

    // The label numbers the delivery note's writers ask for.
    static std::span<const std::int32_t> noteNumbers();

  private:
    void readNoteNumbers();

    db::Connection& db_;
    bool noteNumbersRead_ = false;
    std::unordered_map<std::int32_t, std::string> cache_;
};

}  // namespace ls::run

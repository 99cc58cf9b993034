// What a section writer works with: the database, the list sheet, the template settings,
// the run state, the label texts and the status line.
#pragma once

#include <functional>
#include <string_view>

#include "host/db/connection.hpp"
#include "host/sheet/worksheet.hpp"
#include "run/labels.hpp"
#include "run/run_state.hpp"
#include "run/template_settings.hpp"

namespace ls::run {

using StatusSink = std::function<void(std::string_view)>;
// A long list reports each row it writes: rows done and rows in all. The shell shows the
// numbers and may stop the run here (it throws RunCancelled).
using RowProgress = std::function<void(std::size_t done, std::size_t total)>;

struct Report {
    db::Connection& db;
    sheet::Worksheet& sheet;  // the list sheet, active for the whole run
    const TemplateSettings& settings;
    RunState& state;
    Labels& labels;
    StatusSink status = [](std::string_view) {};
    RowProgress rowDone = [](std::size_t, std::size_t) {};
};

}  // namespace ls::run

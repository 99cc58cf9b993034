// The one window per user: taking its lock at start-up, and asking a running window to hand
// over when it is idle, so that this start's invoice is the one the clerk gets.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "app/single_instance.hpp"

namespace ls::app {

// Asks the running window to close; nullopt when it does not answer, "" when it agreed,
// else its refusal (the run it is busy with).
using HandoverRequest = std::function<std::optional<std::string>()>;

// The held lock when this start may open its window; otherwise the exit status, after
// showMessage has told the user why not.
std::variant<std::unique_ptr<SingleInstance>, int> claimWindow(
    const HandoverRequest& requestHandover,
    const std::function<void(const std::string&)>& showMessage);

}  // namespace ls::app

// Taking the window's lock, with the hand-over from a running idle window.
#include "app/window_claim.hpp"

#include <chrono>

#include "app/exit_codes.hpp"

namespace ls::app {

std::variant<std::unique_ptr<SingleInstance>, int> claimWindow(
    const HandoverRequest& requestHandover,
    const std::function<void(const std::string&)>& showMessage) {
    auto instance = std::make_unique<SingleInstance>();
    if (!instance->refusal().empty()) {
        showMessage(instance->refusal());
        return kExitConfiguration;
    }
    if (!instance->otherInstanceRunning()) return instance;
    // The running window hands over when idle; a busy window keeps its run.
    const auto answer = requestHandover();
    if (!answer) {
        // A window that is converting or printing answers only when that step ends.
        showMessage(
            "Lieferschein läuft bereits und antwortet gerade nicht; bitte warten oder "
            "abbrechen.");
        return kExitAlreadyRunning;
    }
    if (!answer->empty()) {
        showMessage(*answer);
        return kExitAlreadyRunning;
    }
    instance.reset();
    instance = std::make_unique<SingleInstance>(std::chrono::seconds(15));
    if (instance->otherInstanceRunning()) {
        showMessage(
            "Das andere Fenster hat sich nicht geschlossen; bitte später erneut versuchen.");
        return kExitAlreadyRunning;
    }
    return instance;
}

}  // namespace ls::app

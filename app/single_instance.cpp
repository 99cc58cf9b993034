// The single-instance lock.
#include "app/single_instance.hpp"

#include <cstdlib>
#include <thread>

#include "app/user_runtime_folder.hpp"
#include "platform/utf8_path.hpp"

namespace ls::app {

std::filesystem::path SingleInstance::lockFile() {
    if (const char* explicitFile = std::getenv("LIEFERSCHEIN_LOCK");
        explicitFile && *explicitFile) {
        return platform::pathFromUtf8(explicitFile);
    }
    return privateRuntimeFolder() / "lieferschein.lock";
}

SingleInstance::SingleInstance(std::chrono::milliseconds wait) {
    std::optional<platform::FileLock> lock;
    try {
        lock.emplace(lockFile());
    } catch (const PrivateFolderError& e) {
        refusal_ = e.what();
        return;
    }
    if (!lock->opened()) return;
    const auto until = std::chrono::steady_clock::now() + wait;
    // The system drops the lock when the process ends, however it ends.
    for (;;) {
        const auto outcome = lock->tryLock();
        if (outcome == platform::FileLock::Outcome::Locked) break;
        if (outcome == platform::FileLock::Outcome::Failed) return;
        if (std::chrono::steady_clock::now() >= until) {
            busy_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    lock_.emplace(std::move(*lock));
}

SingleInstance::~SingleInstance() = default;

}  // namespace ls::app

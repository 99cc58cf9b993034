// The output file's lock: a file in the user's private folder named after the output path.
#include "app/output_lock.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/user_runtime_folder.hpp"
#include "host/text/convert.hpp"
#include "platform/file_name_case.hpp"
#include "platform/utf8_path.hpp"

namespace ls::app {
namespace {

// A stable name for a path; std::hash may differ between builds of the program.
std::string pathKey(const std::filesystem::path& output) {
    std::error_code ec;
    auto full = std::filesystem::weakly_canonical(std::filesystem::absolute(output), ec);
    if (ec) full = std::filesystem::absolute(output);
    std::string text = platform::utf8(full);
    // Two spellings of one file must take the same lock.
    if (platform::fileNamesIgnoreCase()) text = text::toUpper(text);
    std::uint64_t h = 1469598103934665603ULL;
    for (const unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string key;
    for (int shift = 60; shift >= 0; shift -= 4)
        key += kHex[(h >> shift) & 0xF];
    return key;
}

}  // namespace

std::optional<OutputLock> OutputLock::acquire(const std::filesystem::path& output,
                                              std::chrono::milliseconds wait) {
    std::optional<platform::FileLock> lock;
    try {
        lock.emplace(privateRuntimeFolder() / ("ausgabe-" + pathKey(output) + ".lock"));
    } catch (const PrivateFolderError&) {
        return OutputLock(std::nullopt);
    }
    if (!lock->opened()) return OutputLock(std::nullopt);
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const auto outcome = lock->tryLock();
        if (outcome == platform::FileLock::Outcome::Locked) return OutputLock(std::move(lock));
        if (outcome == platform::FileLock::Outcome::Failed) return OutputLock(std::nullopt);
        if (std::chrono::steady_clock::now() >= until) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::chrono::milliseconds outputLockWait() {
    if (const char* text = std::getenv("LIEFERSCHEIN_OUTPUT_WAIT"); text && *text) {
        char* end = nullptr;
        const double seconds = std::strtod(text, &end);
        if (end != text && seconds >= 0 && seconds < 86400) {
            return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
        }
    }
    return std::chrono::minutes(1);
}

}  // namespace ls::app

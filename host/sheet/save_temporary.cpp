// Temporary file names of a save and the tidying up after killed saves.
#include "host/sheet/save_temporary.hpp"

#include <atomic>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_owner.hpp"
#include "platform/this_process.hpp"
#include "platform/utf8_path.hpp"

namespace ls::sheet {
namespace {

constexpr std::string_view kPrefix = ".lieferschein-";
constexpr std::string_view kSuffix = ".tmp";

// The machine as eight hex digits: an output folder on a network share is seen by the
// processes of several machines, and a process number means something on its own only.
const std::string& machineTag() {
    static const std::string tag = [] {
        std::uint32_t hash = 2166136261u;  // FNV-1a
        for (const char c : platform::hostName())
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        char hex[9] = {};
        const auto end = std::to_chars(hex, hex + 8, hash, 16).ptr;
        return std::string(static_cast<std::size_t>(8 - (end - hex)), '0') + std::string(hex, end);
    }();
    return tag;
}

bool isDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process that wrote a temporary file of this machine, 0 for any other file.
long writerOf(std::string_view name) {
    if (!name.starts_with(kPrefix)) return 0;
    name.remove_prefix(kPrefix.size());
    const std::string& tag = machineTag();
    if (!name.starts_with(tag) || name.size() <= tag.size() || name[tag.size()] != '-') return 0;
    name.remove_prefix(tag.size() + 1);
    const auto dash = name.find('-');
    if (dash == std::string_view::npos) return 0;
    const auto pid = name.substr(0, dash);
    auto rest = name.substr(dash + 1);
    const auto end = rest.find(kSuffix);
    if (end == std::string_view::npos || !isDigits(pid) || !isDigits(rest.substr(0, end))) return 0;
    // Our file itself, or the zip library's scratch file beside it (".XXXXXX").
    const auto tail = rest.substr(end + kSuffix.size());
    if (!tail.empty() && (tail.front() != '.' || tail.size() > 16)) return 0;
    long value = 0;
    const auto result = std::from_chars(pid.data(), pid.data() + pid.size(), value);
    return result.ec == std::errc() && value > 0 ? value : 0;
}

}  // namespace

std::filesystem::path temporaryFileIn(const std::filesystem::path& folder) {
    static std::atomic<unsigned> counter{0};
    return folder /
           (std::string(kPrefix) + machineTag() + "-" + std::to_string(platform::processId()) +
            "-" + std::to_string(counter++) + std::string(kSuffix));
}

void removeLeftoverTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const long pid = writerOf(platform::utf8(it->path().filename()));
        if (pid == 0 || platform::processRunning(pid)) continue;
        if (!platform::isOwnPlainFile(it->path())) continue;
        std::error_code ignored;
        std::filesystem::remove(it->path(), ignored);
    }
}

}  // namespace ls::sheet

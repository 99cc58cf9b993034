// Reading the zip container with libzip.
#include "host/sheet/zip_package.hpp"

#include <zip.h>

#include <algorithm>
#include <cctype>

#include "host/sheet/package_error.hpp"
#include "host/sheet/workbook.hpp"
#include "platform/utf8_path.hpp"

namespace ls::sheet {
namespace {

std::string zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

std::string archiveError(zip* archive) {
    return zip_error_strerror(zip_get_error(archive));
}

// A name that is absolute or climbs out of the package would, unpacked by a tool, land
// outside its folder; no application writes one.
bool unsafeName(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\') return true;
    if (name.size() >= 2 && name[1] == ':') return true;  // C:...
    std::size_t start = 0;
    for (;;) {
        const auto end = name.find_first_of("/\\", start);
        if (name.substr(start, end - start) == "..") return true;
        if (end == std::string_view::npos) return false;
        start = end + 1;
    }
}

std::string lowerCase(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

void ZipDeleter::operator()(zip* archive) const {
    if (archive) zip_discard(archive);
}

PackageReader::PackageReader(const std::filesystem::path& file, const PackageLimits& limits) {
    int code = 0;
    archive_.reset(zip_open(platform::utf8(file).c_str(), ZIP_RDONLY, &code));
    if (!archive_) {
        if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS) throw PackageError("keine ZIP-Datei");
        throw PackageError("die Datei kann nicht gelesen werden (" + zipErrorText(code) + ")");
    }
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    if (count < 0) throw PackageError("das ZIP-Verzeichnis ist beschädigt");
    if (static_cast<std::uint64_t>(count) > limits.maxEntries) {
        throw PackageError("zu viele Einträge (" + std::to_string(count) + ", höchstens " +
                           std::to_string(limits.maxEntries) + ")");
    }
    std::uint64_t total = 0;
    entries_.reserve(static_cast<std::size_t>(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0 ||
            !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE)) {
            throw PackageError("Eintrag " + std::to_string(i) + " ist beschädigt");
        }
        if (st.size > limits.maxUncompressedBytes - std::min(total, limits.maxUncompressedBytes)) {
            throw PackageError("der entpackte Inhalt ist zu groß (höchstens " +
                               std::to_string(limits.maxUncompressedBytes) + " Bytes)");
        }
        total += st.size;
        if (unsafeName(st.name)) {
            throw PackageError("der Eintrag \"" + std::string(st.name) +
                               "\" hat einen unzulässigen Namen");
        }
        // Part names differ in more than letter case; a second entry of a name is a forgery.
        if (!byName_.emplace(lowerCase(st.name), entries_.size()).second) {
            throw PackageError("der Eintrag \"" + std::string(st.name) + "\" kommt doppelt vor");
        }
        entries_.push_back(Entry{st.name, static_cast<std::uint64_t>(i), st.size});
    }
}

std::optional<std::uint64_t> PackageReader::find(std::string_view name) const {
    const auto it = byName_.find(lowerCase(name));
    if (it == byName_.end()) return std::nullopt;
    return entries_[it->second].index;
}

std::string PackageReader::read(std::string_view name) const {
    const auto found = byName_.find(lowerCase(name));
    if (found == byName_.end()) {
        throw PackageError("der Teil \"" + std::string(name) + "\" fehlt");
    }
    const Entry* it = &entries_[found->second];
    zip_file_t* file = zip_fopen_index(archive_.get(), it->index, 0);
    if (!file) {
        throw PackageError("der Teil \"" + std::string(name) + "\" kann nicht gelesen werden (" +
                           archiveError(archive_.get()) + ")");
    }
    std::string content;
    content.resize(static_cast<std::size_t>(it->size));
    std::size_t filled = 0;
    std::string failure;
    for (;;) {
        // One byte of room beyond the declared size shows an entry that lies about it.
        char probe = 0;
        char* target = filled < content.size() ? content.data() + filled : &probe;
        const std::size_t room = filled < content.size() ? content.size() - filled : 1;
        const zip_int64_t n = zip_fread(file, target, room);
        if (n < 0) {
            failure = zip_error_strerror(zip_file_get_error(file));
            break;
        }
        if (n == 0) break;
        if (filled >= content.size()) {
            failure = "mehr Daten als angegeben";
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    zip_fclose(file);
    if (failure.empty() && filled != content.size()) failure = "weniger Daten als angegeben";
    if (!failure.empty()) {
        throw PackageError("der Teil \"" + std::string(name) + "\" ist beschädigt (" + failure +
                           ")");
    }
    return content;
}

}  // namespace ls::sheet

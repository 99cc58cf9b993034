// libzip with RAII: archive handle discarded on error, buffer sources owned until close.
#include "demo/zip_package.hpp"

#include <zip.h>

#include <ctime>
#include <memory>
#include <stdexcept>
#include "platform/utf8_path.hpp"

namespace ls::demo {
namespace {

struct Discard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

// The zip format stores local time; built from local fields, the stored date is the same
// in every time zone, so the package is byte for byte reproducible.
std::time_t fixedEntryTime() {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 1;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what) {
    throw std::runtime_error("Vorlage " + file.string() +
                             " kann nicht geschrieben werden: " + what);
}

}  // namespace

void ZipPackage::write(const std::filesystem::path& file) const {
    int error = 0;
    std::unique_ptr<zip_t, Discard> archive(
        zip_open(platform::utf8(file).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive) {
        zip_error_t z;
        zip_error_init_with_code(&z, error);
        const std::string message = zip_error_strerror(&z);
        zip_error_fini(&z);
        fail(file, message);
    }
    const std::time_t when = fixedEntryTime();
    for (const Entry& e : entries_) {
        // libzip reads the buffer at close time; the entries outlive the archive handle.
        zip_source_t* source = zip_source_buffer(archive.get(), e.data.data(), e.data.size(), 0);
        if (!source) fail(file, zip_strerror(archive.get()));
        const zip_int64_t index =
            zip_file_add(archive.get(), e.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            fail(file, e.name + ": " + zip_strerror(archive.get()));
        }
        const auto i = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(archive.get(), i, ZIP_CM_DEFLATE, 9) != 0 ||
            zip_file_set_mtime(archive.get(), i, when, 0) != 0) {
            fail(file, e.name + ": " + zip_strerror(archive.get()));
        }
    }
    // zip_close writes into a temporary file and renames it over the target.
    if (zip_close(archive.get()) != 0) fail(file, zip_strerror(archive.get()));
    (void)archive.release();
}

}  // namespace ls::demo

// Building and reading zip packages with libzip for the workbook tests.
#include "tests/sheet/zip_fixture.hpp"

#include <zip.h>

#include <sstream>
#include <stdexcept>

namespace ls::test {

void writeZip(const std::filesystem::path& file, const Parts& parts) {
    int code = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) throw std::runtime_error("cannot create " + file.string());
    for (const auto& [name, content] : parts) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add " + name);
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write " + file.string());
    }
}

Parts readZip(const std::filesystem::path& file) {
    int code = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) throw std::runtime_error("not a zip file: " + file.string());
    Parts parts;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        std::string content(st.size, '\0');
        zip_file_t* entry = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        const zip_int64_t n = entry ? zip_fread(entry, content.data(), content.size()) : -1;
        if (entry) zip_fclose(entry);
        if (n != static_cast<zip_int64_t>(st.size)) {
            zip_discard(archive);
            throw std::runtime_error(std::string("cannot read ") + st.name);
        }
        parts[st.name] = std::move(content);
    }
    zip_discard(archive);
    return parts;
}

std::string rawEntry(const std::filesystem::path& file, const std::string& name) {
    int code = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &code);
    if (!archive) throw std::runtime_error("not a zip file: " + file.string());
    zip_stat_t st;
    if (zip_stat(archive, name.c_str(), 0, &st) != 0) {
        zip_discard(archive);
        throw std::runtime_error("no entry " + name);
    }
    zip_file_t* entry = zip_fopen(archive, name.c_str(), ZIP_FL_COMPRESSED);
    std::string raw(st.comp_size, '\0');
    const zip_int64_t n = entry ? zip_fread(entry, raw.data(), raw.size()) : -1;
    if (entry) zip_fclose(entry);
    zip_discard(archive);
    if (n != static_cast<zip_int64_t>(st.comp_size))
        throw std::runtime_error("cannot read " + name);
    std::ostringstream out;
    out << st.comp_method << ':' << st.crc << ':' << raw;
    return out.str();
}

}  // namespace ls::test

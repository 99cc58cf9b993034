// The zip container written by hand: local headers, data, central directory. Sizes above
// 4 GiB (zip64) are refused; no workbook comes near them.
#include "host/sheet/package_writer.hpp"

#include <zip.h>

#include <ctime>
#include <limits>

#include "host/sheet/deflate_stream.hpp"
#include "host/sheet/package_error.hpp"
#include "host/sheet/zip_package.hpp"

namespace ls::sheet {
namespace {

constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kVersionNeeded = 20;
constexpr std::uint16_t kUtf8Names = 1 << 11;
constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& out, std::uint64_t v) {
    put16(out, static_cast<std::uint32_t>(v & 0xffff));
    put16(out, static_cast<std::uint32_t>((v >> 16) & 0xffff));
}

void checkSize(std::uint64_t size) {
    if (size > kMax32) throw PackageError("ein Teil ist zu groß (über 4 GiB)");
}

}  // namespace

PackageWriter::PackageWriter(const std::filesystem::path& file)
    : out_(file, std::ios::binary | std::ios::trunc) {
    if (!out_) throw PackageError("die Datei kann nicht angelegt werden");
    // Entries carry the time of saving, in the local time the zip format knows.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    const int year = std::max(local.tm_year + 1900, 1980);
    dosDate_ = static_cast<std::uint16_t>((year - 1980) << 9 | (local.tm_mon + 1) << 5 |
                                          std::max(local.tm_mday, 1));
    dosTime_ = static_cast<std::uint16_t>(local.tm_hour << 11 | local.tm_min << 5 |
                                          std::min(local.tm_sec, 59) / 2);
}

void PackageWriter::writeBytes(std::string_view bytes) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out_) throw PackageError("die Datei kann nicht geschrieben werden");
    offset_ += bytes.size();
}

void PackageWriter::checkName(const std::string& name) const {
    if (name.empty() || name.size() > 0xffff) {
        throw PackageError("ungültiger Teilname \"" + name + "\"");
    }
    if (entries_.size() >= 0xffff) throw PackageError("zu viele Teile");
}

void PackageWriter::putEntryFields(std::string& out, const Entry& e) const {
    put16(out, kVersionNeeded);
    put16(out, kUtf8Names);
    put16(out, e.method);
    put16(out, dosTime_);
    put16(out, dosDate_);
    put32(out, e.crc);
    put32(out, e.compressedSize);
    put32(out, e.size);
    put16(out, static_cast<std::uint32_t>(e.name.size()));
    put16(out, 0);  // extra field
}

void PackageWriter::writeLocalHeader(const Entry& e) {
    std::string header;
    put32(header, 0x04034b50);
    putEntryFields(header, e);
    header += e.name;
    writeBytes(header);
}

void PackageWriter::patchLocalHeader(const Entry& e) {
    std::string fields;
    put32(fields, e.crc);
    put32(fields, e.compressedSize);
    put32(fields, e.size);
    out_.seekp(static_cast<std::streamoff>(e.offset + 14));
    out_.write(fields.data(), static_cast<std::streamsize>(fields.size()));
    out_.seekp(static_cast<std::streamoff>(offset_));
    if (!out_) throw PackageError("die Datei kann nicht geschrieben werden");
}

void PackageWriter::copyRaw(const PackageReader& source, std::uint64_t index,
                            const std::string& name) {
    checkName(name);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(source.handle(), index, 0, &st) != 0) {
        throw PackageError("der Teil \"" + name + "\" kann nicht gelesen werden");
    }
    const auto needed = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
    if ((st.valid & needed) != needed ||
        ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)) {
        throw PackageError("der Teil \"" + name + "\" kann nicht übernommen werden");
    }
    checkSize(st.size);
    checkSize(st.comp_size);
    zip_file_t* file = zip_fopen_index(source.handle(), index, ZIP_FL_COMPRESSED);
    if (!file) throw PackageError("der Teil \"" + name + "\" kann nicht gelesen werden");
    std::string raw(static_cast<std::size_t>(st.comp_size), '\0');
    const zip_int64_t n = zip_fread(file, raw.data(), raw.size());
    zip_fclose(file);
    if (n < 0 || static_cast<std::uint64_t>(n) != st.comp_size) {
        throw PackageError("der Teil \"" + name + "\" ist beschädigt");
    }
    Entry e{name,   static_cast<std::uint16_t>(st.comp_method), st.crc, st.comp_size, st.size,
            offset_};
    writeLocalHeader(e);
    writeBytes(raw);
    entries_.push_back(std::move(e));
}

void PackageWriter::add(const std::string& name, std::string_view content) {
    addStreamed(name, [&](const Sink& sink) { sink(content); });
}

void PackageWriter::addStreamed(const std::string& name,
                                const std::function<void(const Sink&)>& produce) {
    checkName(name);
    Entry e{name, kDeflated, 0, 0, 0, offset_};
    writeLocalHeader(e);  // sizes and checksum follow once the data is written
    DeflateStream deflate([&](std::string_view compressed) { writeBytes(compressed); });
    produce([&](std::string_view data) { deflate.write(data); });
    deflate.finish();
    e.crc = deflate.crc();
    e.size = deflate.size();
    e.compressedSize = deflate.compressedSize();
    checkSize(e.size);
    checkSize(e.compressedSize);
    patchLocalHeader(e);
    entries_.push_back(std::move(e));
}

void PackageWriter::close() {
    const std::uint64_t start = offset_;
    std::string directory;
    for (const Entry& e : entries_) {
        checkSize(e.offset);
        put32(directory, 0x02014b50);
        put16(directory, kVersionNeeded);  // made by: MS-DOS attributes, version 2.0
        putEntryFields(directory, e);
        put16(directory, 0);  // comment
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, e.offset);
        directory += e.name;
    }
    writeBytes(directory);
    checkSize(start);
    std::string end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, static_cast<std::uint32_t>(entries_.size()));
    put16(end, static_cast<std::uint32_t>(entries_.size()));
    put32(end, directory.size());
    put32(end, start);
    put16(end, 0);
    writeBytes(end);
    out_.close();
    if (!out_) throw PackageError("die Datei kann nicht geschrieben werden");
}

}  // namespace ls::sheet

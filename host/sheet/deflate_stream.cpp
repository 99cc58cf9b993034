// Deflate with libdeflate, piece by piece, the pieces joined as a streaming compressor
// with a flush between them would have written them.
#include "host/sheet/deflate_stream.hpp"

#include <libdeflate.h>
#include <zlib.h>

#include <memory>

#include "host/sheet/deflate_blocks.hpp"
#include "host/sheet/package_error.hpp"

namespace ls::sheet {
namespace {

// A part that fits one piece is small: it gets the level that makes it smallest for its
// cost. The pieces of a long part (the sheet of a large note) get one level lower, which is
// still as small as zlib's default level makes them, at two thirds of the time of level 6.
constexpr int kLevelWhole = 6;
constexpr int kLevelPieces = 5;

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

bool continuable(std::string& compressed) {
    const auto bounds = deflateBounds(compressed);
    if (!bounds || (bounds->end + 7) / 8 != compressed.size()) return false;
    const std::uint64_t lastStart = bounds->lastBlock;
    const std::uint64_t end = bounds->end;
    // The block header's first bit says "last block".
    compressed[lastStart / 8] = static_cast<char>(
        static_cast<unsigned char>(compressed[lastStart / 8]) & ~(1u << (lastStart % 8)));
    const unsigned used = end % 8;
    if (used != 0) {
        auto& tail = compressed.back();
        tail = static_cast<char>(static_cast<unsigned char>(tail) & ((1u << used) - 1));
    }
    // A stored block's three header bits fit behind the last bits, or need a byte of their own.
    if (used == 0 || used > 5) compressed.push_back('\0');
    compressed.append("\x00\x00\xff\xff", 4);
    return true;
}

DeflateStream::DeflateStream(Sink sink, std::size_t pieceSize)
    : sink_(std::move(sink)), pieceSize_(pieceSize) {
    buffer_.reserve(pieceSize_);
}

DeflateStream::~DeflateStream() {
    if (pending_.valid()) pending_.wait();
}

DeflateStream::Piece DeflateStream::compress(std::string data, bool last, int level) {
    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(level));
    if (!compressor) throw PackageError("kein Speicher zum Komprimieren");
    Piece piece;
    piece.size = data.size();
    piece.crc = libdeflate_crc32(0, data.data(), data.size());
    piece.compressed.resize(libdeflate_deflate_compress_bound(compressor.get(), data.size()));
    const std::size_t n =
        libdeflate_deflate_compress(compressor.get(), data.data(), data.size(),
                                    piece.compressed.data(), piece.compressed.size());
    if (n == 0) throw PackageError("die Daten lassen sich nicht komprimieren");
    piece.compressed.resize(n);
    if (!last && !continuable(piece.compressed)) {
        throw PackageError("die komprimierten Daten sind fehlerhaft");
    }
    return piece;
}

void DeflateStream::collect() {
    if (!pending_.valid()) return;
    const Piece piece = pending_.get();
    crc_ = static_cast<std::uint32_t>(
        crc32_combine(crc_, piece.crc, static_cast<z_off_t>(piece.size)));
    size_ += piece.size;
    compressedSize_ += piece.compressed.size();
    sink_(piece.compressed);
}

void DeflateStream::write(std::string_view data) {
    while (!data.empty()) {
        const std::size_t take = std::min(data.size(), pieceSize_ - buffer_.size());
        buffer_.append(data.substr(0, take));
        data.remove_prefix(take);
        if (buffer_.size() < pieceSize_) break;
        // The piece before goes out first; this one is compressed while the caller goes on.
        collect();
        std::string piece;
        piece.reserve(pieceSize_);
        piece.swap(buffer_);
        pending_ = std::async(std::launch::async, &DeflateStream::compress, std::move(piece), false,
                              kLevelPieces);
        pieced_ = true;
    }
}

void DeflateStream::finish() {
    if (finished_) return;
    finished_ = true;
    collect();
    // The last piece, however small, ends the stream.
    std::promise<Piece> done;
    done.set_value(compress(std::move(buffer_), true, pieced_ ? kLevelPieces : kLevelWhole));
    pending_ = done.get_future();
    collect();
}

}  // namespace ls::sheet

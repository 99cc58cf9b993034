// Raw deflate of a package entry in pieces: each piece is compressed on its own, on a second
// thread while the next piece is being produced, and the pieces are joined into one stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <string_view>

namespace ls::sheet {

class DeflateStream {
  public:
    using Sink = std::function<void(std::string_view compressed)>;

    // Pieces of this size keep the memory small; the window of deflate is 32 KiB, so
    // compressing them apart costs a few bytes per piece.
    static constexpr std::size_t kPieceSize = std::size_t{2} << 20;

    explicit DeflateStream(Sink sink, std::size_t pieceSize = kPieceSize);
    ~DeflateStream();
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    void write(std::string_view data);
    // Compresses the rest as the stream's last piece; throws PackageError.
    void finish();

    std::uint32_t crc() const { return crc_; }
    std::uint64_t size() const { return size_; }
    std::uint64_t compressedSize() const { return compressedSize_; }

  private:
    struct Piece {
        std::string compressed;
        std::uint32_t crc = 0;
        std::uint64_t size = 0;
    };
    static Piece compress(std::string data, bool last, int level);
    void collect();  // hands the piece in compression to the sink

    Sink sink_;
    std::size_t pieceSize_;
    std::string buffer_;
    std::future<Piece> pending_;
    std::uint32_t crc_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t compressedSize_ = 0;
    bool finished_ = false;
    bool pieced_ = false;  // the part is longer than one piece
};

// Makes a complete raw deflate stream one that others can follow: its last block no longer
// ends the stream, and an empty stored block brings it to a whole byte. Returns false for
// data that is no sound deflate stream.
bool continuable(std::string& compressed);

}  // namespace ls::sheet

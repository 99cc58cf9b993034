// Deflating in pieces: the joined stream inflates to exactly the input, whatever the
// pieces' borders and content.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

#include "host/sheet/deflate_stream.hpp"
#include "host/sheet/package_error.hpp"

namespace ls::sheet {
namespace {

std::string inflateRaw(const std::string& compressed, std::size_t expected) {
    z_stream z{};
    EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
    std::string out(expected + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    const bool consumedAll = z.avail_in == 0;
    inflateEnd(&z);
    EXPECT_EQ(result, Z_STREAM_END);
    EXPECT_TRUE(consumedAll) << "bytes after the end of the stream";
    return out;
}

struct Result {
    std::string compressed;
    std::uint32_t crc = 0;
    std::uint64_t size = 0;
    std::uint64_t compressedSize = 0;
};

// Writes the input in slices of the given length through a stream with small pieces.
Result deflateInSlices(const std::string& input, std::size_t piece, std::size_t slice) {
    Result r;
    DeflateStream stream([&](std::string_view bytes) { r.compressed.append(bytes); }, piece);
    for (std::size_t at = 0; at < input.size(); at += slice)
        stream.write(std::string_view(input).substr(at, slice));
    stream.finish();
    r.crc = stream.crc();
    r.size = stream.size();
    r.compressedSize = stream.compressedSize();
    return r;
}

std::string sheetLikeText(std::size_t rows) {
    std::string text;
    for (std::size_t r = 1; r <= rows; ++r) {
        text += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) +
                "\" s=\"3\"><v>" + std::to_string(r * 37 % 1000) + "</v></c></row>";
    }
    return text;
}

std::string randomBytes(std::size_t n) {
    std::mt19937 random(17);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xff);
    return bytes;
}

TEST(DeflateStream, JoinedPiecesInflateToTheInputWithItsChecksumAndSizes) {
    const std::string text = sheetLikeText(20'000);
    const std::string noise = randomBytes(50'000);  // stored blocks, not Huffman ones
    struct Case {
        const char* what;
        std::string input;
        std::size_t piece;
        std::size_t slice;
    };
    const Case cases[] = {
        {"many pieces, slices across their borders", text, 10'000, 777},
        {"pieces of one byte's slices", text.substr(0, 5'000), 1'000, 1},
        {"input an exact multiple of the piece", text.substr(0, 40'000), 10'000, 10'000},
        {"incompressible data", noise, 7'000, 4'096},
        {"text after noise", noise.substr(0, 9'000) + text.substr(0, 30'000), 4'000, 999},
        {"one piece only", text.substr(0, 100), DeflateStream::kPieceSize, 100},
        {"nothing at all", "", 1'000, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Result r = deflateInSlices(c.input, c.piece, c.slice);
        EXPECT_EQ(inflateRaw(r.compressed, c.input.size()), c.input);
        EXPECT_EQ(r.size, c.input.size());
        EXPECT_EQ(r.compressedSize, r.compressed.size());
        const auto expectedCrc = crc32(0, reinterpret_cast<const Bytef*>(c.input.data()),
                                       static_cast<uInt>(c.input.size()));
        EXPECT_EQ(r.crc, expectedCrc);
    }
}

// What zlib's default level makes of the whole text in one stream: no part may come out
// larger than that, long or short.
std::size_t zlibDefaultSize(const std::string& text) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string out(deflateBound(&z, static_cast<uLong>(text.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    const std::size_t size = z.total_out;
    deflateEnd(&z);
    return size;
}

TEST(DeflateStream, NoLargerThanZlibsDefaultLevelInOnePieceOrMany) {
    const std::string text = sheetLikeText(60'000);
    const Result whole = deflateInSlices(text, text.size() + 1, text.size());
    const Result pieces = deflateInSlices(text, 1 << 20, 4'096);
    ASSERT_GT(text.size(), std::size_t{2} << 20);  // three pieces at least
    EXPECT_LE(whole.compressed.size(), zlibDefaultSize(text));
    EXPECT_LE(pieces.compressed.size(), zlibDefaultSize(text));
    EXPECT_EQ(inflateRaw(pieces.compressed, text.size()), text);
}

TEST(DeflateStream, OnlySoundStreamsAreMadeContinuable) {
    std::string garbage = "\xff\xff\xff\xff not deflate";
    EXPECT_FALSE(continuable(garbage));
    const Result r = deflateInSlices(sheetLikeText(100), 1 << 20, 64);
    std::string cut = r.compressed.substr(0, r.compressed.size() / 2);
    EXPECT_FALSE(continuable(cut));
    std::string trailing = r.compressed + "xyz";
    EXPECT_FALSE(continuable(trailing));
}

}  // namespace
}  // namespace ls::sheet

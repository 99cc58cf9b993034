// The deflate block walker against zlib's inflater, which stops after every block and says
// where it stands to the bit: the same bounds for sound streams of every block type, and
// the same verdict on streams with bits flipped.
#include "host/sheet/deflate_blocks.hpp"

#include <gtest/gtest.h>
#include <libdeflate.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

namespace ls::sheet {
namespace {

// zlib's view of a stream: its bounds, or nothing where inflate fails before its end.
std::optional<DeflateBounds> zlibBounds(const std::string& stream) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    z.avail_in = static_cast<uInt>(stream.size());
    std::vector<Bytef> scratch(1 << 16);
    DeflateBounds bounds;
    std::uint64_t blockStart = 0;
    bool ended = false;
    int stalled = 0;
    for (;;) {
        z.next_out = scratch.data();
        z.avail_out = static_cast<uInt>(scratch.size());
        const auto before = z.total_in;
        const int result = inflate(&z, Z_BLOCK);
        // No progress is no error as long as it goes on on the next call (an empty block).
        if (result == Z_BUF_ERROR && z.avail_in > 0 && stalled++ < 2) continue;
        if (result != Z_OK && result != Z_STREAM_END) break;
        if (z.total_in != before) stalled = 0;
        if ((z.data_type & 128) != 0) {
            // Stopped at the end of a block: the next one starts here, or the stream ends.
            const std::uint64_t bit = std::uint64_t{z.total_in} * 8 - (z.data_type & 7);
            if ((z.data_type & 64) != 0) {
                bounds = {blockStart, bit, z.total_out};
                ended = true;
            } else {
                blockStart = bit;
            }
        }
        if (result == Z_STREAM_END || ended) break;
        if (z.avail_in == 0 && z.avail_out != 0) break;  // cut short
    }
    inflateEnd(&z);
    if (!ended) return std::nullopt;
    return bounds;
}

std::string zlibDeflate(const std::string& text, int level, int strategy) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
    std::string out(deflateBound(&z, static_cast<uLong>(text.size())) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    // Fed in parts with a full flush between: stored blocks and several headers.
    const std::size_t part = text.size() / 3 + 1;
    if (text.empty()) {
        EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    }
    for (std::size_t at = 0; at < text.size(); at += part) {
        z.avail_in = static_cast<uInt>(std::min(part, text.size() - at));
        EXPECT_EQ(deflate(&z, at + part >= text.size() ? Z_FINISH : Z_FULL_FLUSH),
                  at + part >= text.size() ? Z_STREAM_END : Z_OK);
    }
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string libdeflateDeflate(const std::string& text, int level) {
    libdeflate_compressor* c = libdeflate_alloc_compressor(level);
    std::string out(libdeflate_deflate_compress_bound(c, text.size()), '\0');
    out.resize(libdeflate_deflate_compress(c, text.data(), text.size(), out.data(), out.size()));
    libdeflate_free_compressor(c);
    return out;
}

std::string sampleText(std::size_t rows, unsigned seed) {
    std::mt19937 random(seed);
    std::string text;
    for (std::size_t r = 1; r <= rows; ++r) {
        text += "<row r=\"" + std::to_string(r) + "\"><c r=\"B" + std::to_string(r) + "\"><v>" +
                std::to_string(random() % 100000) + "</v></c></row>";
        if (random() % 50 == 0) text += static_cast<char>(random() & 0xff);
    }
    return text;
}

void expectSame(const std::optional<DeflateBounds>& walked,
                const std::optional<DeflateBounds>& reference, const std::string& what) {
    ASSERT_EQ(walked.has_value(), reference.has_value()) << what;
    if (!walked) return;
    EXPECT_EQ(walked->lastBlock, reference->lastBlock) << what;
    EXPECT_EQ(walked->end, reference->end) << what;
    EXPECT_EQ(walked->size, reference->size) << what;
}

TEST(DeflateBounds, SoundStreamsOfEveryBlockTypeGiveZlibsBounds) {
    const std::string text = sampleText(30'000, 5);
    std::vector<std::pair<std::string, std::string>> streams = {
        {"stored", zlibDeflate(text, 0, Z_DEFAULT_STRATEGY)},
        {"fixed", zlibDeflate(text, 6, Z_FIXED)},
        {"dynamic", zlibDeflate(text, 9, Z_DEFAULT_STRATEGY)},
        {"runs", zlibDeflate(std::string(100'000, 'a'), 6, Z_RLE)},
        {"empty", zlibDeflate("", 6, Z_DEFAULT_STRATEGY)},
        {"libdeflate 1", libdeflateDeflate(text, 1)},
        {"libdeflate 5", libdeflateDeflate(text, 5)},
        {"libdeflate 12", libdeflateDeflate(text, 12)},
        {"libdeflate short", libdeflateDeflate("<c/>", 5)},
    };
    for (const auto& [what, stream] : streams) {
        const auto walked = deflateBounds(stream);
        ASSERT_TRUE(walked.has_value()) << what;
        expectSame(walked, zlibBounds(stream), what);
        EXPECT_EQ(walked->size, what == "runs"               ? 100'000u
                                : what == "empty"            ? 0u
                                : what == "libdeflate short" ? 4u
                                                             : text.size())
            << what;
    }
}

TEST(DeflateBounds, DamagedStreamsAreRefusedAsZlibRefusesThem) {
    const std::vector<std::string> streams = {
        libdeflateDeflate(sampleText(2'000, 9), 5),
        zlibDeflate(sampleText(2'000, 11), 6, Z_FIXED),
        zlibDeflate(sampleText(500, 13), 0, Z_DEFAULT_STRATEGY),
    };
    std::mt19937 random(23);
    int refused = 0;
    for (const std::string& sound : streams) {
        for (int trial = 0; trial < 400; ++trial) {
            std::string damaged = sound;
            // Headers are where the checks are: flip in the first bytes as often as anywhere.
            const std::size_t at = trial % 2 ? random() % damaged.size()
                                             : random() % std::min<std::size_t>(64, damaged.size());
            damaged[at] = static_cast<char>(damaged[at] ^ (1 << (random() % 8)));
            if (trial % 7 == 0) damaged.resize(random() % damaged.size());
            const auto reference = zlibBounds(damaged);
            if (!reference) ++refused;
            expectSame(deflateBounds(damaged), reference, "trial " + std::to_string(trial));
        }
    }
    EXPECT_GT(refused, 100);  // the damage did reach the checks
}

}  // namespace
}  // namespace ls::sheet

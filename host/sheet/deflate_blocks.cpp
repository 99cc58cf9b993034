// Walks the blocks of a raw deflate stream (RFC 1951): the block headers and every code,
// counting what they stand for instead of writing it out. Joining deflate pieces needs
// only where the last block begins, and this finds it at a fraction of an inflate's cost.
#include "host/sheet/deflate_blocks.hpp"

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

namespace ls::sheet {
namespace {

// Bits least significant first, as deflate packs them; past the end of the data it reads
// zeros, and overrun() tells.
class BitReader {
  public:
    explicit BitReader(std::string_view data) : data_(data) {}

    // At least 56 bits buffered afterwards.
    void refill() {
        if (pos_ + 8 <= data_.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, data_.data() + pos_, sizeof word);
            if constexpr (std::endian::native == std::endian::big) {
                std::uint64_t swapped = 0;
                for (int i = 0; i < 8; ++i, word >>= 8)
                    swapped = swapped << 8 | (word & 0xFF);
                word = swapped;
            }
            buffer_ |= word << count_;
            pos_ += (63 - count_) >> 3;
            count_ |= 56;
            return;
        }
        for (; count_ <= 56; count_ += 8, ++pos_) {
            const std::uint64_t byte =
                pos_ < data_.size() ? static_cast<unsigned char>(data_[pos_]) : 0;
            buffer_ |= byte << count_;
        }
    }
    std::uint32_t peek(unsigned n) const {
        return static_cast<std::uint32_t>(buffer_ & ((std::uint64_t{1} << n) - 1));
    }
    void skip(unsigned n) {
        buffer_ >>= n;
        count_ -= n;
    }
    std::uint32_t take(unsigned n) {
        const std::uint32_t bits = peek(n);
        skip(n);
        return bits;
    }
    std::uint64_t position() const { return std::uint64_t{pos_} * 8 - count_; }
    bool overrun() const { return position() > std::uint64_t{data_.size()} * 8; }
    // Goes on at byte `offset` of the data; false when that lies past its end.
    bool seek(std::uint64_t offset) {
        if (offset > data_.size()) return false;
        pos_ = static_cast<std::size_t>(offset);
        buffer_ = 0;
        count_ = 0;
        return true;
    }

  private:
    std::string_view data_;
    std::size_t pos_ = 0;  // next byte to buffer
    std::uint64_t buffer_ = 0;
    unsigned count_ = 0;  // bits in buffer_
};

enum class CodeKind {
    Lengths,  // the code of the code lengths: must be complete
    Symbols   // literal/length and distance codes: a single code of one bit may stand alone
};

// A canonical Huffman code as a table by the next `bits` input bits: symbol << 4 | length,
// 0 where no code begins.
class Huffman {
  public:
    bool build(const std::uint8_t* lengths, std::size_t count, CodeKind kind) {
        std::array<unsigned, 16> perLength{};
        for (std::size_t s = 0; s < count; ++s)
            ++perLength[lengths[s]];
        perLength[0] = 0;
        unsigned longest = 15;
        while (longest > 0 && perLength[longest] == 0)
            --longest;
        bits_ = longest > 0 ? longest : 1;
        table_.assign(std::size_t{1} << bits_, 0);
        if (longest == 0) return true;  // no codes: any use of it is an error

        int left = 1;
        for (unsigned len = 1; len <= 15; ++len) {
            left = left * 2 - static_cast<int>(perLength[len]);
            if (left < 0) return false;  // more codes than the lengths allow
        }
        if (left > 0 && (kind == CodeKind::Lengths || longest != 1)) return false;

        std::array<unsigned, 16> next{};
        unsigned code = 0;
        for (unsigned len = 1; len <= 15; ++len) {
            code = (code + perLength[len - 1]) << 1;
            next[len] = code;
        }
        for (std::size_t s = 0; s < count; ++s) {
            const unsigned len = lengths[s];
            if (len == 0) continue;
            const unsigned c = next[len]++;
            unsigned reversed = 0;
            for (unsigned i = 0; i < len; ++i)
                reversed |= ((c >> i) & 1u) << (len - 1 - i);
            const auto entry = static_cast<std::uint16_t>(s << 4 | len);
            for (std::size_t k = reversed; k < table_.size(); k += std::size_t{1} << len)
                table_[k] = entry;
        }
        return true;
    }

    // The next symbol, or -1 where the input holds no code. Needs bits buffered.
    int decode(BitReader& in) const {
        const std::uint16_t entry = table_[in.peek(bits_)];
        if (entry == 0) return -1;
        in.skip(entry & 15u);
        return entry >> 4;
    }

  private:
    std::vector<std::uint16_t> table_;
    unsigned bits_ = 1;
};

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the lengths of the code-length code.
constexpr std::array<std::uint8_t, 19> kLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                       11, 4,  12, 3, 13, 2, 14, 1, 15};

struct FixedCodes {
    Huffman literals;
    Huffman distances;
    FixedCodes() {
        std::array<std::uint8_t, 288> lit{};
        for (std::size_t s = 0; s < lit.size(); ++s)
            lit[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        literals.build(lit.data(), lit.size(), CodeKind::Symbols);
        // All 32 five-bit codes; 30 and 31 are no distances and fail when met.
        std::array<std::uint8_t, 32> dist{};
        dist.fill(5);
        distances.build(dist.data(), dist.size(), CodeKind::Symbols);
    }
};

bool readDynamicCodes(BitReader& in, Huffman& literals, Huffman& distances) {
    in.refill();
    const unsigned literalCount = in.take(5) + 257;
    const unsigned distanceCount = in.take(5) + 1;
    const unsigned lengthCodeCount = in.take(4) + 4;
    if (literalCount > 286 || distanceCount > 30) return false;
    std::array<std::uint8_t, 19> codeLengths{};
    for (unsigned i = 0; i < lengthCodeCount; ++i) {
        in.refill();
        codeLengths[kLengthOrder[i]] = static_cast<std::uint8_t>(in.take(3));
    }
    Huffman lengthCode;
    if (!lengthCode.build(codeLengths.data(), codeLengths.size(), CodeKind::Lengths)) return false;

    std::array<std::uint8_t, 286 + 30> lengths{};
    const unsigned total = literalCount + distanceCount;
    for (unsigned n = 0; n < total;) {
        in.refill();
        const int symbol = lengthCode.decode(in);
        if (symbol < 0) return false;
        if (symbol < 16) {
            lengths[n++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        std::uint8_t value = 0;
        unsigned repeat = 0;
        if (symbol == 16) {
            if (n == 0) return false;  // nothing to repeat
            value = lengths[n - 1];
            repeat = 3 + in.take(2);
        } else if (symbol == 17) {
            repeat = 3 + in.take(3);
        } else {
            repeat = 11 + in.take(7);
        }
        if (n + repeat > total) return false;
        for (; repeat > 0; --repeat)
            lengths[n++] = value;
    }
    if (lengths[256] == 0) return false;  // a block must be able to end
    return literals.build(lengths.data(), literalCount, CodeKind::Symbols) &&
           distances.build(lengths.data() + literalCount, distanceCount, CodeKind::Symbols);
}

// The codes of one compressed block up to its end code; adds the bytes they stand for.
bool walkCodes(BitReader& reader, const Huffman& literals, const Huffman& distances,
               std::uint64_t& size) {
    // Copies of the reader and the count, so that they can live in registers for the loop.
    BitReader in = reader;
    std::uint64_t produced = size;
    const auto done = [&](bool ok) {
        reader = in;
        size = produced;
        return ok;
    };
    for (;;) {
        in.refill();
        if (in.overrun()) return done(false);
        int symbol = literals.decode(in);
        // A refill brings three codes of 15 bits at most: literals come in runs.
        for (int more = 2; more > 0 && symbol >= 0 && symbol < 256; --more) {
            ++produced;
            symbol = literals.decode(in);
        }
        if (symbol < 0) return done(false);
        if (symbol < 256) {
            ++produced;
            continue;
        }
        if (symbol == 256) return done(true);
        // A length and a distance with their extra bits: 33 bits at most.
        in.refill();
        const auto lengthCode = static_cast<std::size_t>(symbol - 257);
        if (lengthCode >= kLengthBase.size()) return done(false);
        const unsigned length = kLengthBase[lengthCode] + in.take(kLengthExtra[lengthCode]);
        const int distanceCode = distances.decode(in);
        if (distanceCode < 0 || distanceCode >= static_cast<int>(kDistanceBase.size()))
            return done(false);
        const auto d = static_cast<std::size_t>(distanceCode);
        const unsigned distance = kDistanceBase[d] + in.take(kDistanceExtra[d]);
        if (distance > produced) return done(false);  // before the start of the data
        produced += length;
    }
}

}  // namespace

std::optional<DeflateBounds> deflateBounds(std::string_view stream) {
    static const FixedCodes fixed;
    BitReader in(stream);
    Huffman literals;
    Huffman distances;
    DeflateBounds bounds;
    for (;;) {
        in.refill();
        const std::uint64_t start = in.position();
        const bool last = in.take(1) != 0;
        const unsigned type = in.take(2);
        if (type == 0) {
            // Stored: from the next whole byte, the length, its complement, the bytes.
            const std::uint64_t byte = (in.position() + 7) / 8;
            if (!in.seek(byte)) return std::nullopt;
            in.refill();
            const std::uint32_t length = in.take(16);
            const std::uint32_t complement = in.take(16);
            if ((length ^ 0xFFFFu) != complement) return std::nullopt;
            if (!in.seek(byte + 4 + length)) return std::nullopt;
            bounds.size += length;
        } else if (type == 1) {
            if (!walkCodes(in, fixed.literals, fixed.distances, bounds.size)) return std::nullopt;
        } else if (type == 2) {
            if (!readDynamicCodes(in, literals, distances) ||
                !walkCodes(in, literals, distances, bounds.size))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        if (in.overrun()) return std::nullopt;
        if (last) {
            bounds.lastBlock = start;
            bounds.end = in.position();
            return bounds;
        }
    }
}

}  // namespace ls::sheet

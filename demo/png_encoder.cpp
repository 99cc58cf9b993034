// PNG chunks with their CRC, and the zlib stream with stored blocks and Adler-32.
#include "demo/png_encoder.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace ls::demo {
namespace {

std::uint32_t crc32(const std::string& data, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i) {
        c = table[(c ^ static_cast<std::uint8_t>(data[i])) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putBigEndian(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

void putChunk(std::string& out, const char* type, const std::string& body) {
    putBigEndian(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out += type;
    out += body;
    putBigEndian(out, crc32(out, start));
}

// A zlib stream of stored deflate blocks (at most 65,535 bytes each).
std::string storedZlib(const std::vector<std::uint8_t>& raw) {
    std::string out;
    out += static_cast<char>(0x78);
    out += static_cast<char>(0x01);
    std::size_t pos = 0;
    do {
        const std::size_t len = std::min<std::size_t>(raw.size() - pos, 65535);
        const bool last = pos + len == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(len & 0xFF);
        out += static_cast<char>((len >> 8) & 0xFF);
        out += static_cast<char>(~len & 0xFF);
        out += static_cast<char>((~len >> 8) & 0xFF);
        out.append(reinterpret_cast<const char*>(raw.data() + pos), len);
        pos += len;
    } while (pos < raw.size());
    putBigEndian(out, adler32(raw));
    return out;
}

}  // namespace

void RgbImage::set(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const auto at = (static_cast<std::size_t>(y) * width + x) * 3;
    pixels[at] = static_cast<std::uint8_t>(rgb >> 16);
    pixels[at + 1] = static_cast<std::uint8_t>(rgb >> 8);
    pixels[at + 2] = static_cast<std::uint8_t>(rgb);
}

std::string encodePng(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        throw std::invalid_argument("PNG: ungültige Bildgröße");
    }
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header, static_cast<std::uint32_t>(image.height));
    header += '\x08';                // bit depth
    header += '\x02';                // colour type RGB
    header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
    putChunk(png, "IHDR", header);

    std::vector<std::uint8_t> raw;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter type None
        const auto* row = image.pixels.data() + rowBytes * y;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", "");
    return png;
}

}  // namespace ls::demo

// A minimal PNG encoder for small generated images (the template's logo).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ls::demo {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // rows top to bottom, 3 bytes (R, G, B) per pixel

    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 3) {}
    void set(int x, int y, std::uint32_t rgb);
};

// The PNG file bytes: 8-bit RGB, unfiltered rows in stored (uncompressed) deflate blocks,
// so the output depends on nothing but the pixels.
std::string encodePng(const RgbImage& image);

}  // namespace ls::demo

#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

std::filesystem::path AssetPath(const std::string& name);
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at);
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at);
std::int32_t I32(const std::vector<std::uint8_t>& b, std::size_t at);

struct Pixel {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

inline constexpr Pixel kMagenta{255, 0, 255};

inline void PrintTo(const Pixel& p, std::ostream* os) {
    *os << "RGB(" << p.r << "," << p.g << "," << p.b << ")";
}

// A 24-bit bottom-up BMP as read from disk, addressed from the top-left corner.
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;
    Pixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

BmpImage DecodeBmp24(const std::vector<std::uint8_t>& file);

// Per-channel median of the pixels in the inclusive rectangle.
Pixel MedianOf(const BmpImage& image, int x0, int x1, int y0, int y1);
Pixel MedianOf(std::vector<Pixel> pixels);

// Within `tolerance` in every channel.
bool Near(Pixel a, Pixel b, int tolerance);
bool NearMagenta(Pixel p);
int Luma(Pixel p);

#include "asset_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

std::filesystem::path AssetPath(const std::string& name) {
    return std::filesystem::path(QF_SOURCE_DIR) / "assets" / name;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(U16(b, at)) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

std::int32_t I32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

BmpImage DecodeBmp24(const std::vector<std::uint8_t>& file) {
    BmpImage image;
    image.width = I32(file, 18);
    image.height = I32(file, 22);
    const std::size_t offset = U32(file, 10);
    const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = offset + static_cast<std::size_t>(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * 3;
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = {file.at(at + 2), file.at(at + 1),
                                                                           file.at(at)};
        }
    }
    return image;
}

Pixel MedianOf(std::vector<Pixel> pixels) {
    if (pixels.empty()) return {-1, -1, -1};
    auto median = [&pixels](int Pixel::*channel) {
        std::vector<int> values;
        for (const Pixel& p : pixels)
            values.push_back(p.*channel);
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    };
    return {median(&Pixel::r), median(&Pixel::g), median(&Pixel::b)};
}

Pixel MedianOf(const BmpImage& image, int x0, int x1, int y0, int y1) {
    std::vector<Pixel> pixels;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            pixels.push_back(image.At(x, y));
    return MedianOf(std::move(pixels));
}

bool Near(Pixel a, Pixel b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

bool NearMagenta(Pixel p) {
    return p != kMagenta && Near(p, kMagenta, 39);
}

int Luma(Pixel p) {
    return (p.r * 299 + p.g * 587 + p.b * 114) / 1000;
}

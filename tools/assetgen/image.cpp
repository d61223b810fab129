#include "image.h"

#include <cstdlib>

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

int ClampByte(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

std::vector<std::uint8_t> EncodeBmp24(const Image& image) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(image.height);
    const std::uint32_t offBits = 14 + 40;
    std::vector<std::uint8_t> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + imageSize);
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height)); // positive: bottom-up
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.At(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

bool KeepsAwayFromMagenta(const Image& image) {
    for (const Rgb& p : image.pixels) {
        if (p == kMagenta) continue;
        const bool far = std::abs(p.r - 255) >= 40 || p.g >= 40 || std::abs(p.b - 255) >= 40;
        if (!far) return false;
    }
    return true;
}

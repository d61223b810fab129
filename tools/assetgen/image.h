#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kMagenta{255, 0, 255};

// Top-down pixel grid; the BMP writer flips it to the file's bottom-up order.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::vector<std::uint8_t> EncodeBmp24(const Image& image);

// The window's colour key must stay exact: anything close to magenta would show as a pink
// fringe instead of vanishing. Returns false if a non-key pixel comes within 40 of it.
bool KeepsAwayFromMagenta(const Image& image);

int ClampByte(int v);

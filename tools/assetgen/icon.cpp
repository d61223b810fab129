#include "icon.h"

#include "image.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kSize = 128;
constexpr int kSub = 4; // supersampling per axis, for smooth stroke edges
constexpr int kFine = kSize * kSub;

constexpr Rgb kMint{151, 255, 181};
constexpr Rgb kInk{147, 147, 147};
constexpr Rgb kShade{128, 217, 154};

struct Stroke {
    double x0, y0, x1, y1;
};

// 青 as strokes on the 128-pixel grid: the three bars and stem of the top, then 月 below
// with its falling left stroke and hooked right side.
constexpr double kHalfWidth = 4.6;
constexpr std::array<Stroke, 12> kGlyph{{
    {41, 29, 87, 29},  // top bar
    {45, 41, 83, 41},  // middle bar, shorter
    {30, 53, 98, 53},  // long bar
    {64, 19, 64, 53},  // stem
    {44, 65, 44, 95},  // 月 left side
    {44, 95, 35, 106}, // ... falling away to the left
    {44, 65, 84, 65},  // 月 top
    {84, 65, 84, 101}, // 月 right side
    {84, 101, 76, 95}, // ... with its hook
    {44, 77, 84, 77},  // inner bars
    {44, 88, 84, 88},
    {35, 106, 35, 106}, // rounds off the tip of the falling stroke
}};

bool OnStroke(double px, double py, const Stroke& s) {
    const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    const double lenSq = dx * dx + dy * dy;
    double t = lenSq > 0 ? ((px - s.x0) * dx + (py - s.y0) * dy) / lenSq : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = px - (s.x0 + t * dx), ey = py - (s.y0 + t * dy);
    return ex * ex + ey * ey <= kHalfWidth * kHalfWidth;
}

enum class Layer : std::uint8_t { Ground, Shadow, Glyph };

void PutU16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

} // namespace

std::vector<std::uint8_t> MakeIcon() {
    std::vector<Layer> fine(static_cast<std::size_t>(kFine) * kFine, Layer::Ground);
    auto at = [&fine](int x, int y) -> Layer& { return fine[static_cast<std::size_t>(y) * kFine + x]; };
    for (int y = 0; y < kFine; ++y)
        for (int x = 0; x < kFine; ++x) {
            const double px = (x + 0.5) / kSub, py = (y + 0.5) / kSub;
            for (const Stroke& s : kGlyph)
                if (OnStroke(px, py, s)) {
                    at(x, y) = Layer::Glyph;
                    break;
                }
        }
    // The long shadow: everything down and to the right of the glyph, out to the icon's edge.
    for (int y = 1; y < kFine; ++y)
        for (int x = 1; x < kFine; ++x)
            if (at(x, y) == Layer::Ground && at(x - 1, y - 1) != Layer::Ground) at(x, y) = Layer::Shadow;

    Image icon(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    const Layer layer = at(x * kSub + sx, y * kSub + sy);
                    const Rgb c = layer == Layer::Glyph ? kInk : (layer == Layer::Shadow ? kShade : kMint);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            constexpr int n = kSub * kSub;
            icon.At(x, y) = {static_cast<std::uint8_t>((r + n / 2) / n), static_cast<std::uint8_t>((g + n / 2) / n),
                             static_cast<std::uint8_t>((b + n / 2) / n)};
        }

    const std::uint32_t xorSize = kSize * kSize * 4;
    const std::uint32_t andSize = kSize / 8 * kSize; // 16-byte rows need no padding
    const std::uint32_t imageSize = 40 + xorSize + andSize;
    std::vector<std::uint8_t> out;
    PutU16(out, 0);
    PutU16(out, 1); // icon
    PutU16(out, 1); // one image
    out.push_back(static_cast<std::uint8_t>(kSize));
    out.push_back(static_cast<std::uint8_t>(kSize));
    out.push_back(0); // no palette
    out.push_back(0);
    PutU16(out, 1);  // planes
    PutU16(out, 32); // bits per pixel
    PutU32(out, imageSize);
    PutU32(out, 6 + 16);
    PutU32(out, 40);
    PutU32(out, kSize);
    PutU32(out, kSize * 2); // colour rows plus mask rows
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, 0);
    PutU32(out, xorSize + andSize);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; ++x) {
            const Rgb& p = icon.At(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(255);
        }
    out.insert(out.end(), andSize, 0); // all opaque
    return out;
}

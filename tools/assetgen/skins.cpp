#include "skins.h"

#include "rng.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kSheetWidth = 300;
constexpr int kSheetHeight = 245;
constexpr int kBarWidth = 53;
constexpr int kBarHeight = 32;

struct PaperTint {
    const char* name;
    Rgb paper;
    Rgb outline;
    Rgb bottomEdge;
    Rgb band;
};

constexpr std::array<PaperTint, 6> kPapers{{
    {"white1", {239, 239, 239}, {215, 215, 215}, {193, 193, 193}, {233, 233, 233}},
    {"blue1", {160, 226, 238}, {118, 199, 215}, {118, 181, 192}, {118, 217, 238}},
    {"red1", {238, 160, 162}, {215, 118, 120}, {192, 119, 120}, {232, 134, 136}},
    {"green1", {160, 238, 163}, {118, 215, 122}, {118, 192, 121}, {118, 238, 124}},
    {"yellow1", {238, 234, 160}, {215, 212, 118}, {192, 189, 118}, {238, 235, 118}},
    {"x1", {193, 160, 238}, {161, 118, 215}, {151, 118, 192}, {172, 118, 238}},
}};

struct RibbonTint {
    const char* name;
    Rgb body;
    Rgb edge;
    Rgb stitch;
    Rgb shadow;
};

constexpr std::array<RibbonTint, 5> kRibbons{{
    {"green2", {138, 179, 35}, {123, 158, 35}, {78, 106, 6}, {101, 133, 19}},
    {"blue2", {35, 129, 179}, {35, 115, 158}, {6, 72, 106}, {19, 94, 133}},
    {"red2", {179, 37, 35}, {158, 36, 35}, {106, 7, 6}, {133, 21, 19}},
    {"yellow2", {179, 170, 35}, {158, 149, 35}, {106, 99, 6}, {133, 125, 19}},
    {"x2", {155, 35, 179}, {136, 35, 158}, {89, 6, 106}, {114, 19, 133}},
}};

// Magenta cut at the start of each ribbon row: the swallow-tail, its two points and the
// clipped corners. The bar button lets clicks through exactly here.
constexpr std::array<int, kBarHeight> kRibbonCut{2, 3, 4, 5, 6, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 8,
                                                 8, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 6, 5, 4, 3, 2};
constexpr int kNotchFirstRow = 7;
constexpr int kNotchLastRow = 24;
constexpr int kShadowWidth = 6;

Rgb Offset(Rgb c, int d) {
    return {static_cast<std::uint8_t>(ClampByte(c.r + d)), static_cast<std::uint8_t>(ClampByte(c.g + d)),
            static_cast<std::uint8_t>(ClampByte(c.b + d))};
}

Rgb TowardWhite(Rgb c, int fifths) {
    auto lift = [fifths](int v) { return static_cast<std::uint8_t>(v + (255 - v) * fifths / 5); };
    return {lift(c.r), lift(c.g), lift(c.b)};
}

// Zero-median offsets, so each tint's own colour stays the median of what it is applied to.
void CentreOnMedian(std::vector<int>& field, const std::vector<int>& sample) {
    std::vector<int> sorted = sample;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const int median = sorted[sorted.size() / 2];
    for (int& v : field)
        v -= median;
}

double Smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

// Lattice value noise: soft blotches of the given cell size, for the paper's uneven density.
class ValueNoise {
public:
    ValueNoise(Rng& rng, int width, int height, int cell)
        : cell_(cell), cols_(width / cell + 2), rows_(height / cell + 2) {
        lattice_.resize(static_cast<std::size_t>(cols_) * rows_);
        for (double& v : lattice_)
            v = rng.Signed();
    }

    double At(int x, int y) const {
        const int cx = x / cell_, cy = y / cell_;
        const double fx = Smooth(static_cast<double>(x % cell_) / cell_);
        const double fy = Smooth(static_cast<double>(y % cell_) / cell_);
        const double top = Lerp(Node(cx, cy), Node(cx + 1, cy), fx);
        const double bottom = Lerp(Node(cx, cy + 1), Node(cx + 1, cy + 1), fx);
        return Lerp(top, bottom, fy);
    }

private:
    static double Lerp(double a, double b, double t) { return a + (b - a) * t; }
    double Node(int cx, int cy) const { return lattice_[static_cast<std::size_t>(cy) * cols_ + cx]; }

    int cell_, cols_, rows_;
    std::vector<double> lattice_;
};

bool InPaper(int x, int y) {
    return x >= 9 && x <= 291 && y >= 10 && y <= 242;
}

// One grain for all six papers: fine speckle, soft clouding and short fibres.
std::vector<int> PaperGrain() {
    Rng rng(0x51F0'3E7A'9D2C'0001ULL);
    const int w = kSheetWidth, h = kSheetHeight;
    std::vector<double> speckle(static_cast<std::size_t>(w) * h);
    for (double& v : speckle)
        v = (rng.Signed() + rng.Signed()) * 2.0;

    std::vector<double> grain(speckle.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
                    sum += speckle[static_cast<std::size_t>(sy) * w + sx];
                    ++n;
                }
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            grain[i] = 0.55 * speckle[i] + 0.45 * 2.2 * sum / n;
        }
    }

    const ValueNoise cloud(rng, w, h, 23);
    const ValueNoise fleck(rng, w, h, 6);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            grain[static_cast<std::size_t>(y) * w + x] += 2.6 * cloud.At(x, y) + 1.2 * fleck.At(x, y);

    for (int i = 0; i < 1100; ++i) {
        double x = rng.Unit() * w, y = rng.Unit() * h;
        double dx = rng.Signed(), dy = rng.Signed();
        const double len = std::sqrt(dx * dx + dy * dy) + 1e-9;
        dx /= len;
        dy /= len;
        const int steps = 8 + rng.Below(22); // half-pixel steps: fibres 4-15 px long
        const double strength = (rng.Unit() < 0.7 ? -1.0 : 1.0) * (0.9 + 1.6 * rng.Unit());
        for (int s = 0; s < steps; ++s, x += dx * 0.5, y += dy * 0.5) {
            const int px = static_cast<int>(x), py = static_cast<int>(y);
            if (px >= 0 && py >= 0 && px < w && py < h) grain[static_cast<std::size_t>(py) * w + px] += strength * 0.5;
        }
    }

    std::vector<int> result(grain.size());
    std::vector<int> paperSample;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double v = 1.6 * grain[static_cast<std::size_t>(y) * w + x];
            const int q = static_cast<int>(std::floor(v + 0.5));
            result[static_cast<std::size_t>(y) * w + x] = q;
            if (InPaper(x, y)) paperSample.push_back(q);
        }
    CentreOnMedian(result, paperSample);
    return result;
}

bool SheetIsKeyed(int x, int y) {
    if (y <= 4 || y == 244 || x <= 3 || x >= 294) return true;
    if (y <= 7 && x >= 292) return true; // top-right notch
    if (y >= 242 && x <= 6) return true; // bottom-left notch
    return false;
}

enum class SheetPart { Key, BottomEdge, Outline, Band, Paper };

// The edge lines: outline, a deeper band, a line as dark as the outline, a last band, then paper.
SheetPart ClassifySheet(int x, int y) {
    if (SheetIsKeyed(x, y)) return SheetPart::Key;
    if (y == 243) return SheetPart::BottomEdge;
    if (x == 4 || y == 5 || x == 293) return SheetPart::Outline;
    if (x == 292) return SheetPart::Band;
    if (x <= 6 || y <= 7) return SheetPart::Band;
    if (x == 7 || y == 8) return SheetPart::Outline;
    if (x == 8 || y == 9) return SheetPart::Band;
    return SheetPart::Paper;
}

Image PaintSheet(const PaperTint& tint, const std::vector<int>& grain) {
    Image img(kSheetWidth, kSheetHeight);
    for (int y = 0; y < kSheetHeight; ++y) {
        for (int x = 0; x < kSheetWidth; ++x) {
            const int g = grain[static_cast<std::size_t>(y) * kSheetWidth + x];
            Rgb& p = img.At(x, y);
            switch (ClassifySheet(x, y)) {
            case SheetPart::Key: p = kMagenta; break;
            case SheetPart::BottomEdge: p = Offset(tint.bottomEdge, g / 3); break;
            case SheetPart::Outline: p = Offset(tint.outline, g / 3); break;
            case SheetPart::Band: p = Offset(tint.band, g / 2); break;
            case SheetPart::Paper: p = Offset(tint.paper, g); break;
            }
        }
    }
    return img;
}

// Grosgrain: horizontal ribs, a fine over-under weave and a little fuzz; shared by all ribbons.
std::vector<int> RibbonWeave() {
    Rng rng(0x0B1B'B0A5'7E17'0002ULL);
    std::array<double, kBarHeight> rib{};
    for (int y = 0; y < kBarHeight; ++y)
        rib[y] = (y % 2 == 0 ? 3.5 : -3.5) + 1.5 * rng.Signed();
    std::vector<int> weave(static_cast<std::size_t>(kBarWidth) * kBarHeight);
    std::vector<int> bodySample;
    for (int y = 0; y < kBarHeight; ++y)
        for (int x = 0; x < kBarWidth; ++x) {
            const double over = ((x + (y / 2)) % 3 == 0) ? 2.0 : -1.0;
            const double v = rib[y] + over + 1.6 * (rng.Signed() + rng.Signed());
            const int q = static_cast<int>(std::floor(v + 0.5));
            weave[static_cast<std::size_t>(y) * kBarWidth + x] = q;
            if (y >= 3 && y <= 28 && x >= 20) bodySample.push_back(q);
        }
    CentreOnMedian(weave, bodySample);
    return weave;
}

bool InNotchShadow(int x, int y) {
    return y >= kNotchFirstRow && y <= kNotchLastRow && x >= kRibbonCut[y] && x < kRibbonCut[y] + kShadowWidth;
}

Image PaintRibbon(const RibbonTint& tint, const std::vector<int>& weave) {
    Image img(kBarWidth, kBarHeight);
    const Rgb highlight = TowardWhite(tint.body, 1);
    for (int y = 0; y < kBarHeight; ++y) {
        for (int x = 0; x < kBarWidth; ++x) {
            const int t = weave[static_cast<std::size_t>(y) * kBarWidth + x];
            Rgb& p = img.At(x, y);
            if (x < kRibbonCut[y]) {
                p = kMagenta;
            } else if (y == 0 || y == kBarHeight - 1) {
                p = Offset(tint.edge, t / 3);
            } else if (y == 1 || y == kBarHeight - 2) {
                p = Offset(highlight, t / 2);
            } else if ((y == 2 || y == kBarHeight - 3) && (x + 1) % 4 < 2) {
                p = Offset(tint.stitch, t / 3);
            } else if (InNotchShadow(x, y)) {
                p = Offset(tint.shadow, t / 2);
            } else if (x == kRibbonCut[y] && x > 0) {
                p = Offset(tint.edge, t / 3); // the cut edge of the fabric catches a little shade
            } else {
                p = Offset(tint.body, t);
            }
        }
    }
    return img;
}

} // namespace

std::vector<NamedImage> MakeBackgroundSkins() {
    const std::vector<int> grain = PaperGrain();
    std::vector<NamedImage> out;
    for (const PaperTint& tint : kPapers)
        out.push_back({std::string("bg_") + tint.name + ".bmp", PaintSheet(tint, grain)});
    return out;
}

std::vector<NamedImage> MakeBarSkins() {
    const std::vector<int> weave = RibbonWeave();
    std::vector<NamedImage> out;
    for (const RibbonTint& tint : kRibbons)
        out.push_back({std::string("bar_") + tint.name + ".bmp", PaintRibbon(tint, weave)});
    return out;
}

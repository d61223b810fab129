#include "asset_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 245;

struct PaperSkin {
    std::string file;
    Pixel paper, outline, bottomEdge, band;
};

const PaperSkin kPapers[] = {
    {"bg_white1.bmp", {239, 239, 239}, {215, 215, 215}, {193, 193, 193}, {233, 233, 233}},
    {"bg_blue1.bmp", {160, 226, 238}, {118, 199, 215}, {118, 181, 192}, {118, 217, 238}},
    {"bg_red1.bmp", {238, 160, 162}, {215, 118, 120}, {192, 119, 120}, {232, 134, 136}},
    {"bg_green1.bmp", {160, 238, 163}, {118, 215, 122}, {118, 192, 121}, {118, 238, 124}},
    {"bg_yellow1.bmp", {238, 234, 160}, {215, 212, 118}, {192, 189, 118}, {238, 235, 118}},
    {"bg_x1.bmp", {193, 160, 238}, {161, 118, 215}, {151, 118, 192}, {172, 118, 238}},
};

// Visible columns of each row (inclusive); rows not listed are all magenta. The corner notches
// take x 292-293 off rows 5-7 and x 4-6 off rows 242-243.
struct VisibleRows {
    int y0, y1, x0, x1;
};
const VisibleRows kVisible[] = {{5, 7, 4, 291}, {8, 241, 4, 293}, {242, 243, 7, 293}};

enum class Tone { Outline, BottomEdge, Band, Paper };

struct EdgeLine {
    const char* what;
    int x0, x1, y0, y1;
    Tone tone;
};

// Lines taken away from the corners so each holds only its own tone.
const EdgeLine kEdges[] = {
    {"left outline x4", 4, 4, 10, 240, Tone::Outline},
    {"top outline y5", 10, 290, 5, 5, Tone::Outline},
    {"right outline x293", 293, 293, 10, 240, Tone::Outline},
    {"bottom edge y243", 10, 290, 243, 243, Tone::BottomEdge},
    {"left band x5-6", 5, 6, 10, 240, Tone::Band},
    {"top band y6-7", 10, 290, 6, 7, Tone::Band},
    {"left line x7", 7, 7, 10, 240, Tone::Outline},
    {"top line y8", 10, 290, 8, 8, Tone::Outline},
    {"left band x8", 8, 8, 10, 240, Tone::Band},
    {"top band y9", 10, 290, 9, 9, Tone::Band},
    {"right band x292", 292, 292, 10, 240, Tone::Band},
    {"paper", 9, 291, 10, 242, Tone::Paper},
};

Pixel ToneOf(const PaperSkin& skin, Tone tone) {
    switch (tone) {
    case Tone::Outline: return skin.outline;
    case Tone::BottomEdge: return skin.bottomEdge;
    case Tone::Band: return skin.band;
    case Tone::Paper: return skin.paper;
    }
    return {};
}

void PrintTo(const PaperSkin& skin, std::ostream* os) {
    *os << skin.file;
}

class BackgroundSkin : public testing::TestWithParam<PaperSkin> {
protected:
    std::vector<std::uint8_t> file = ReadBytes(AssetPath(GetParam().file));
    BmpImage image = file.size() > 54 ? DecodeBmp24(file) : BmpImage{};
};

TEST_P(BackgroundSkin, IsAnUncompressedBottomUp24BitBitmapOfTheSheetSize) {
    ASSERT_EQ(file.size(), 54u + 900u * kHeight);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), file.size());
    EXPECT_EQ(U32(file, 10), 54u) << "no palette between header and pixels";
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(I32(file, 18), kWidth);
    EXPECT_EQ(I32(file, 22), kHeight) << "positive height: bottom-up";
    EXPECT_EQ(U16(file, 26), 1);
    EXPECT_EQ(U16(file, 28), 24);
    EXPECT_EQ(U32(file, 30), 0u) << "BI_RGB";
    EXPECT_EQ(U32(file, 46), 0u) << "no colour table";
}

TEST_P(BackgroundSkin, MagentaIsExactlyTheMarginAndTheTwoCornerNotches) {
    ASSERT_EQ(image.width, kWidth);
    for (int y = 0; y < kHeight; ++y) {
        int x0 = kWidth, x1 = -1;
        for (const VisibleRows& rows : kVisible)
            if (y >= rows.y0 && y <= rows.y1) x0 = rows.x0, x1 = rows.x1;
        for (int x = 0; x < kWidth; ++x) {
            const bool visible = x >= x0 && x <= x1;
            ASSERT_EQ(image.At(x, y) != kMagenta, visible) << "x " << x << " y " << y;
        }
    }
}

TEST_P(BackgroundSkin, EdgeLinesAndPaperHaveTheirColours) {
    ASSERT_EQ(image.width, kWidth);
    for (const EdgeLine& edge : kEdges) {
        const Pixel expected = ToneOf(GetParam(), edge.tone);
        EXPECT_PRED3(Near, MedianOf(image, edge.x0, edge.x1, edge.y0, edge.y1), expected, 2) << edge.what;
    }
}

TEST_P(BackgroundSkin, NoPixelComesNearTheColourKey) {
    for (const Pixel& p : image.pixels)
        ASSERT_FALSE(NearMagenta(p)) << testing::PrintToString(p);
}

INSTANTIATE_TEST_SUITE_P(AllSix, BackgroundSkin, testing::ValuesIn(kPapers),
                         [](const auto& info) { return info.param.file.substr(3, info.param.file.size() - 7); });

// One grain for all six: every paper pixel sits the same distance from its skin's paper colour.
TEST(BackgroundSkins, ShareOnePaperGrainAndDifferOnlyInTint) {
    const BmpImage reference = DecodeBmp24(ReadBytes(AssetPath(kPapers[0].file)));
    for (const PaperSkin& skin : kPapers) {
        const BmpImage image = DecodeBmp24(ReadBytes(AssetPath(skin.file)));
        ASSERT_EQ(image.pixels.size(), reference.pixels.size()) << skin.file;
        for (int y = 10; y <= 242; ++y)
            for (int x = 9; x <= 291; ++x) {
                const Pixel a = image.At(x, y), b = reference.At(x, y);
                const Pixel da{a.r - skin.paper.r, a.g - skin.paper.g, a.b - skin.paper.b};
                const Pixel db{b.r - kPapers[0].paper.r, b.g - kPapers[0].paper.g, b.b - kPapers[0].paper.b};
                ASSERT_EQ(da, db) << skin.file << " x " << x << " y " << y;
            }
    }
}

// Paper, not a flat fill: visible but fine grain, a few levels either side of the paper colour.
TEST(BackgroundSkins, PaperHasAFineGrain) {
    const BmpImage image = DecodeBmp24(ReadBytes(AssetPath("bg_white1.bmp")));
    double sum = 0, sumSq = 0;
    int n = 0, neighbourSteps = 0;
    for (int y = 10; y <= 242; ++y)
        for (int x = 9; x <= 291; ++x) {
            const int v = image.At(x, y).g;
            sum += v;
            sumSq += static_cast<double>(v) * v;
            ++n;
            if (x > 9 && v != image.At(x - 1, y).g) ++neighbourSteps;
        }
    const double mean = sum / n;
    const double deviation = std::sqrt(sumSq / n - mean * mean);
    EXPECT_GT(deviation, 1.5);
    EXPECT_LT(deviation, 8.0);
    EXPECT_GT(neighbourSteps, n / 2) << "grain should change from pixel to pixel, not in smooth blotches only";
}

} // namespace

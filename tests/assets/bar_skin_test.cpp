#include "asset_files.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>

namespace {

constexpr int kWidth = 53;
constexpr int kHeight = 32;

// Magenta at the start of each row, top to bottom: the swallow-tail and its cut corners.
constexpr std::array<int, kHeight> kCut{2, 3, 4, 5, 6, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 8,
                                        8, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 6, 5, 4, 3, 2};

struct RibbonSkin {
    std::string file;
    Pixel body, edge, stitch, shadow;
};

const RibbonSkin kRibbons[] = {
    {"bar_green2.bmp", {138, 179, 35}, {123, 158, 35}, {78, 106, 6}, {101, 133, 19}},
    {"bar_blue2.bmp", {35, 129, 179}, {35, 115, 158}, {6, 72, 106}, {19, 94, 133}},
    {"bar_red2.bmp", {179, 37, 35}, {158, 36, 35}, {106, 7, 6}, {133, 21, 19}},
    {"bar_yellow2.bmp", {179, 170, 35}, {158, 149, 35}, {106, 99, 6}, {133, 125, 19}},
    {"bar_x2.bmp", {155, 35, 179}, {136, 35, 158}, {89, 6, 106}, {114, 19, 133}},
};

void PrintTo(const RibbonSkin& skin, std::ostream* os) {
    *os << skin.file;
}

class BarSkin : public testing::TestWithParam<RibbonSkin> {
protected:
    std::vector<std::uint8_t> file = ReadBytes(AssetPath(GetParam().file));
    BmpImage image = file.size() > 54 ? DecodeBmp24(file) : BmpImage{};

    std::vector<Pixel> Row(int y, int x0, int x1) const {
        std::vector<Pixel> row;
        for (int x = x0; x <= x1; ++x)
            row.push_back(image.At(x, y));
        return row;
    }
};

TEST_P(BarSkin, IsAnUncompressedBottomUp24BitBitmapOfTheButtonSize) {
    ASSERT_EQ(file.size(), 54u + 160u * kHeight) << "rows of 159 bytes padded to 160";
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), file.size());
    EXPECT_EQ(U32(file, 10), 54u);
    EXPECT_EQ(I32(file, 18), kWidth);
    EXPECT_EQ(I32(file, 22), kHeight);
    EXPECT_EQ(U16(file, 28), 24);
    EXPECT_EQ(U32(file, 30), 0u);
}

TEST_P(BarSkin, MagentaOnlyInTheSwallowTail) {
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(std::accumulate(kCut.begin(), kCut.end(), 0), 128);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(image.At(x, y) == kMagenta, x < kCut[y]) << "x " << x << " y " << y;
}

TEST_P(BarSkin, BodyAndDarkerTopAndBottomEdges) {
    ASSERT_EQ(image.width, kWidth);
    const RibbonSkin& skin = GetParam();
    EXPECT_PRED3(Near, MedianOf(image, 20, kWidth - 1, 3, 28), skin.body, 2) << "body";
    EXPECT_PRED3(Near, MedianOf(Row(0, kCut[0], kWidth - 1)), skin.edge, 2) << "top edge";
    EXPECT_PRED3(Near, MedianOf(Row(31, kCut[31], kWidth - 1)), skin.edge, 2) << "bottom edge";
}

TEST_P(BarSkin, LighterLinesJustInsideTheEdges) {
    ASSERT_EQ(image.width, kWidth);
    const int body = Luma(GetParam().body);
    for (int y : {1, 30})
        EXPECT_GT(Luma(MedianOf(Row(y, kCut[y], kWidth - 1))), body + 4) << "row " << y;
}

// Dashes about 2 pixels long every 4 pixels, in the stitch colour.
TEST_P(BarSkin, DashedStitchesOnRowsTwoAndTwentyNine) {
    ASSERT_EQ(image.width, kWidth);
    const RibbonSkin& skin = GetParam();
    for (int y : {2, 29}) {
        std::vector<Pixel> dashes;
        std::vector<int> starts;
        int run = 0;
        for (int x = kCut[y]; x <= kWidth; ++x) {
            const bool dash = x < kWidth && Near(image.At(x, y), skin.stitch, 12);
            if (dash) {
                dashes.push_back(image.At(x, y));
                if (run++ == 0 && x > kCut[y]) starts.push_back(x); // a dash cut by the tail has no rhythm
            } else if (run > 0) {
                EXPECT_GE(run, 1) << "row " << y;
                EXPECT_LE(run, 3) << "row " << y << " dash ending at " << x;
                run = 0;
            }
        }
        EXPECT_GE(starts.size(), 10u) << "row " << y;
        for (std::size_t i = 1; i < starts.size(); ++i)
            EXPECT_EQ(starts[i] - starts[i - 1], 4) << "row " << y << " dash at " << starts[i];
        EXPECT_PRED3(Near, MedianOf(dashes), skin.stitch, 2) << "row " << y;
    }
}

// A dark chevron about 6 pixels wide right of the notch (rows 7-24), then body colour again.
TEST_P(BarSkin, ChevronShadowFollowsTheNotch) {
    ASSERT_EQ(image.width, kWidth);
    const RibbonSkin& skin = GetParam();
    std::vector<Pixel> chevron;
    for (int y = 7; y <= 24; ++y) {
        int shaded = 0;
        for (int x = kCut[y]; x < kCut[y] + 12; ++x)
            if (Near(image.At(x, y), skin.shadow, 10)) ++shaded;
        EXPECT_GE(shaded, 4) << "row " << y;
        EXPECT_LE(shaded, 8) << "row " << y;
        for (int x = kCut[y]; x < kCut[y] + 6; ++x)
            chevron.push_back(image.At(x, y));
        EXPECT_PRED3(Near, MedianOf(Row(y, kCut[y] + 9, kCut[y] + 20)), skin.body, 8) << "row " << y;
    }
    EXPECT_PRED3(Near, MedianOf(chevron), skin.shadow, 2);
}

TEST_P(BarSkin, NoPixelComesNearTheColourKey) {
    for (const Pixel& p : image.pixels)
        ASSERT_FALSE(NearMagenta(p)) << testing::PrintToString(p);
}

// Fabric, not a flat fill.
TEST_P(BarSkin, BodyHasATexture) {
    ASSERT_EQ(image.width, kWidth);
    const Pixel body = GetParam().body;
    int differing = 0, n = 0;
    for (int y = 3; y <= 28; ++y)
        for (int x = 20; x < kWidth; ++x, ++n)
            if (image.At(x, y) != body) ++differing;
    EXPECT_GT(differing, n / 2);
}

INSTANTIATE_TEST_SUITE_P(AllFive, BarSkin, testing::ValuesIn(kRibbons),
                         [](const auto& info) { return info.param.file.substr(4, info.param.file.size() - 8); });

} // namespace

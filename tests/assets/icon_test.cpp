#include "asset_files.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSize = 128;
constexpr Pixel kMint{151, 255, 181};
constexpr Pixel kGlyph{147, 147, 147};
constexpr Pixel kShadow{128, 217, 154};

class ProgramIcon : public testing::Test {
protected:
    std::vector<std::uint8_t> file = ReadBytes(AssetPath("app.ico"));
    static constexpr std::size_t kImage = 22;           // one directory entry
    static constexpr std::size_t kPixels = kImage + 40; // after the BITMAPINFOHEADER

    Pixel At(int x, int y) const {
        const std::size_t at = kPixels + (static_cast<std::size_t>(kSize - 1 - y) * kSize + x) * 4;
        return {file.at(at + 2), file.at(at + 1), file.at(at)};
    }
};

TEST_F(ProgramIcon, HoldsOne128PixelImageOf32Bits) {
    ASSERT_EQ(file.size(), kPixels + kSize * kSize * 4 + kSize * kSize / 8);
    EXPECT_EQ(U16(file, 0), 0);
    EXPECT_EQ(U16(file, 2), 1) << "icon, not cursor";
    EXPECT_EQ(U16(file, 4), 1) << "one image";
    EXPECT_EQ(file[6], 128);
    EXPECT_EQ(file[7], 128);
    EXPECT_EQ(file[8], 0) << "no palette";
    EXPECT_EQ(U16(file, 10), 1) << "planes";
    EXPECT_EQ(U16(file, 12), 32);
    EXPECT_EQ(U32(file, 14), file.size() - kImage);
    EXPECT_EQ(U32(file, 18), kImage);
    EXPECT_EQ(U32(file, kImage), 40u);
    EXPECT_EQ(I32(file, kImage + 4), kSize);
    EXPECT_EQ(I32(file, kImage + 8), 2 * kSize) << "colour and mask rows";
    EXPECT_EQ(U16(file, kImage + 14), 32);
    EXPECT_EQ(U32(file, kImage + 16), 0u) << "BI_RGB";
}

TEST_F(ProgramIcon, IsFullyOpaque) {
    ASSERT_EQ(file.size(), kPixels + kSize * kSize * 4 + kSize * kSize / 8);
    for (std::size_t i = 0; i < kSize * kSize; ++i)
        ASSERT_EQ(file[kPixels + i * 4 + 3], 255) << "pixel " << i;
    for (std::size_t at = kPixels + kSize * kSize * 4; at < file.size(); ++at)
        ASSERT_EQ(file[at], 0) << "mask byte " << at;
}

// A mint square, the grey glyph in the middle and its shadow running down to the lower right.
TEST_F(ProgramIcon, MintGroundGreyGlyphAndLongShadow) {
    ASSERT_EQ(file.size(), kPixels + kSize * kSize * 4 + kSize * kSize / 8);
    struct Tally {
        Pixel colour;
        long count = 0, sumX = 0, sumY = 0;
    };
    Tally mint{kMint}, glyph{kGlyph}, shadow{kShadow};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Pixel p = At(x, y);
            ASSERT_FALSE(NearMagenta(p));
            for (Tally* t : {&mint, &glyph, &shadow})
                if (p == t->colour) ++t->count, t->sumX += x, t->sumY += y;
        }
    EXPECT_EQ(At(0, 0), kMint);
    EXPECT_EQ(At(kSize - 1, 0), kMint);
    EXPECT_EQ(At(0, kSize - 1), kMint);
    EXPECT_EQ(At(kSize - 1, kSize - 1), kShadow) << "the shadow reaches the lower-right corner";
    const long area = kSize * kSize;
    EXPECT_GT(glyph.count, area / 12) << "a large glyph";
    EXPECT_GT(shadow.count, area / 8) << "a long shadow";
    EXPECT_GT(mint.count, area / 4);
    ASSERT_GT(glyph.count, 0);
    ASSERT_GT(shadow.count, 0);
    const double glyphX = double(glyph.sumX) / glyph.count, glyphY = double(glyph.sumY) / glyph.count;
    EXPECT_NEAR(glyphX, kSize / 2.0, 12);
    EXPECT_NEAR(glyphY, kSize / 2.0, 12);
    EXPECT_GT(double(shadow.sumX) / shadow.count, glyphX + 8);
    EXPECT_GT(double(shadow.sumY) / shadow.count, glyphY + 8);
}

} // namespace

#include "assets/skin_bitmap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ReadAsset(const std::string& name) {
    std::ifstream in(std::string(QF_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string FileOf(const SkinEntry& skin) {
    return (skin.kind == SkinKind::Background ? "bg_" : "bar_") + std::string(skin.colourName) + ".bmp";
}

// The bitmap's pixels read back as a bottom-up 24-bit DIB, the layout of the BMP file.
std::vector<unsigned char> ReadBack(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> bits(static_cast<std::size_t>((width * 3 + 3) / 4 * 4) * height);
    HDC dc = CreateCompatibleDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (lines != height) bits.clear();
    return bits;
}

TEST(LoadSkinBitmap, GivesEachSkinPixelForPixelAsItsFile) {
    for (const SkinEntry& skin : SkinTable()) {
        const std::vector<unsigned char> file = ReadAsset(FileOf(skin));
        ASSERT_GT(file.size(), 54u) << FileOf(skin);
        HBITMAP bitmap = LoadSkinBitmap(skin);
        ASSERT_NE(bitmap, nullptr) << skin.colourName;
        BITMAP shape{};
        ASSERT_EQ(GetObjectW(bitmap, sizeof shape, &shape), static_cast<int>(sizeof shape));
        const int width = skin.kind == SkinKind::Background ? 300 : 53;
        const int height = skin.kind == SkinKind::Background ? 245 : 32;
        EXPECT_EQ(shape.bmWidth, width) << skin.colourName;
        EXPECT_EQ(shape.bmHeight, height) << skin.colourName;
        EXPECT_EQ(shape.bmBitsPixel, 24) << skin.colourName;
        const std::vector<unsigned char> pixels = ReadBack(bitmap, width, height);
        DeleteObject(bitmap);
        const std::vector<unsigned char> expected(file.begin() + 54, file.end());
        EXPECT_TRUE(pixels == expected) << skin.colourName << " differs from " << FileOf(skin);
    }
}

// The sheet picture and the bar button each keep and free their own copy.
TEST(LoadSkinBitmap, EveryCallGivesANewBitmapOfItsOwn) {
    const SkinEntry& skin = ResolveBarSkin("red2");
    HBITMAP first = LoadSkinBitmap(skin);
    HBITMAP second = LoadSkinBitmap(skin);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(DeleteObject(first));
    const std::vector<unsigned char> file = ReadAsset("bar_red2.bmp");
    EXPECT_TRUE(ReadBack(second, 53, 32) == std::vector<unsigned char>(file.begin() + 54, file.end()));
    EXPECT_TRUE(DeleteObject(second));
}

TEST(LoadSkinBitmap, ASkinWithoutAPictureGivesNull) {
    const SkinEntry missing{"none", SkinKind::Bar, 0, 0, 0, 999};
    EXPECT_EQ(LoadSkinBitmap(missing), nullptr);
}

} // namespace

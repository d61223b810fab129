#include "assets/skin_bitmap.h"

#include "assets/resource_data.h"

#include <cstring>

namespace {

constexpr std::size_t kFileHeaderSize = 14;

} // namespace

// A DIB section, not LoadImage: the magenta colour key must come through untouched, with no
// colour matching or conversion to the screen's depth on the way.
HBITMAP LoadSkinBitmap(const SkinEntry& skin) {
    const std::span<const std::byte> file = ResourceBytes(skin.resourceId);
    if (file.size() < kFileHeaderSize + sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    std::memcpy(&fileHeader, file.data(), kFileHeaderSize);
    std::memcpy(&info, file.data() + kFileHeaderSize, sizeof info);
    if (fileHeader.bfType != 0x4D42 || info.biBitCount != 24 || info.biCompression != BI_RGB || info.biWidth <= 0 ||
        info.biHeight == 0)
        return nullptr;
    const std::size_t stride = (static_cast<std::size_t>(info.biWidth) * 3 + 3) & ~std::size_t{3};
    const std::size_t rows = info.biHeight < 0 ? static_cast<std::size_t>(-info.biHeight) : info.biHeight;
    const std::size_t bytes = stride * rows;
    if (fileHeader.bfOffBits > file.size() || file.size() - fileHeader.bfOffBits < bytes) return nullptr;

    BITMAPINFO header{};
    header.bmiHeader = info;
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biSizeImage = static_cast<DWORD>(bytes);
    header.bmiHeader.biClrUsed = 0;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    std::memcpy(bits, file.data() + fileHeader.bfOffBits, bytes);
    GdiFlush();
    return bitmap;
}

#include "assets/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring Wide(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
    return out;
}

std::vector<unsigned char> ReadAsset(const std::string& name) {
    std::ifstream in(std::string(QF_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::wstring kExe = Wide(QF_APP_EXE);

class AppVersionRecord : public testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(kExe.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version record in " << QF_APP_EXE;
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(kExe.c_str(), 0, size, block.data()));
    }

    std::wstring Text(const wchar_t* field) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + field;
        if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
            return L"<none>";
        return std::wstring(value, length > 0 && value[length - 1] == L'\0' ? length - 1 : length);
    }

    std::vector<unsigned char> block;
};

TEST_F(AppVersionRecord, FileAndProductVersionAreOneZeroZeroZero) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
}

TEST_F(AppVersionRecord, ChinesePrcWithUnicodeCodePage) {
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x04B0);
}

TEST_F(AppVersionRecord, NamesTheProduct) {
    const struct {
        const wchar_t* field;
        const char* utf8;
    } kTexts[] = {
        {L"ProductName", "青枫贴"},
        {L"FileDescription", "青枫贴，方便实用的便签产品"},
        {L"OriginalFilename", "阿禾青枫贴.exe"},
        {L"FileVersion", "1.0.0.0"},
        {L"ProductVersion", "1.0.0.0"},
    };
    for (const auto& t : kTexts)
        EXPECT_TRUE(Text(t.field) == Wide(t.utf8)) << t.utf8;
}

class AppResources : public testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExW(kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr) << QF_APP_EXE;
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }

    std::vector<unsigned char> Bytes(const wchar_t* name, const wchar_t* type) {
        HRSRC info = FindResourceW(module, name, type);
        HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
        const auto* data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
        if (!data) return {};
        return {data, data + SizeofResource(module, info)};
    }

    HMODULE module = nullptr;
};

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(
        IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name);
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE, LPWSTR type, LONG_PTR types) {
    reinterpret_cast<std::set<ULONG_PTR>*>(types)->insert(IS_INTRESOURCE(type) ? reinterpret_cast<ULONG_PTR>(type) : 0);
    return TRUE;
}

TEST_F(AppResources, TheOnlyIconGroupIsDefaultIcon) {
    std::vector<std::wstring> names;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14), CollectName, reinterpret_cast<LONG_PTR>(&names)); // RT_GROUP_ICON
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0] == L"DEFAULT_ICON");
}

// One 128 x 128, 32-bit image: the same one as app.ico.
TEST_F(AppResources, DefaultIconHoldsThe128PixelImage) {
    const std::vector<unsigned char> group = Bytes(L"DEFAULT_ICON", MAKEINTRESOURCEW(14));
    ASSERT_EQ(group.size(), 6u + 14u) << "one entry";
    EXPECT_EQ(group[2] | group[3] << 8, 1) << "icon";
    EXPECT_EQ(group[4] | group[5] << 8, 1) << "one image";
    EXPECT_EQ(group[6], 128);
    EXPECT_EQ(group[7], 128);
    EXPECT_EQ(group[12] | group[13] << 8, 32);
    const int id = group[18] | group[19] << 8;
    const std::vector<unsigned char> image = Bytes(MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)); // RT_ICON
    const std::vector<unsigned char> file = ReadAsset("app.ico");
    ASSERT_GT(file.size(), 22u);
    EXPECT_TRUE(image == std::vector<unsigned char>(file.begin() + 22, file.end()));
}

TEST_F(AppResources, ManifestAsksForCommonControls6AndNoDpiAwareness) {
    const std::vector<unsigned char> bytes = Bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    const std::string manifest(bytes.begin(), bytes.end());
    ASSERT_FALSE(manifest.empty());
    for (const char* needed : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "level=\"asInvoker\"",
                               "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
}

TEST_F(AppResources, CarriesEverySkinAndSoundAsItsFile) {
    const struct {
        int id;
        const char* file;
    } kBuiltIn[] = {
        {IDR_BG_WHITE1, "bg_white1.bmp"},     {IDR_BG_BLUE1, "bg_blue1.bmp"},     {IDR_BG_GREEN1, "bg_green1.bmp"},
        {IDR_BG_RED1, "bg_red1.bmp"},         {IDR_BG_YELLOW1, "bg_yellow1.bmp"}, {IDR_BG_X1, "bg_x1.bmp"},
        {IDR_BAR_BLUE2, "bar_blue2.bmp"},     {IDR_BAR_GREEN2, "bar_green2.bmp"}, {IDR_BAR_RED2, "bar_red2.bmp"},
        {IDR_BAR_YELLOW2, "bar_yellow2.bmp"}, {IDR_BAR_X2, "bar_x2.bmp"},         {IDR_WAVE_PAGE_TURN, "page_turn.wav"},
        {IDR_WAVE_DELETE, "delete.wav"},
    };
    for (const auto& b : kBuiltIn) {
        const std::vector<unsigned char> file = ReadAsset(b.file);
        ASSERT_FALSE(file.empty()) << b.file;
        EXPECT_TRUE(Bytes(MAKEINTRESOURCEW(b.id), MAKEINTRESOURCEW(10)) == file) << b.file; // RT_RCDATA
    }
}

// No dialogs, menus, string tables, cursors or loose bitmaps: the windows are built in code.
TEST_F(AppResources, HoldsNoOtherKindsOfResource) {
    std::set<ULONG_PTR> types;
    EnumResourceTypesW(module, CollectType, reinterpret_cast<LONG_PTR>(&types));
    const std::set<ULONG_PTR> allowed{3 /*icon*/, 10 /*rcdata*/, 14 /*group icon*/, 16 /*version*/, 24 /*manifest*/};
    for (ULONG_PTR type : types)
        EXPECT_TRUE(allowed.count(type)) << "resource type " << type;
}

// The windows load their icon by name from the running program.
TEST(DefaultIcon, LoadsByNameAt128Pixels) {
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, 128, 128, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 128);
    EXPECT_EQ(colour.bmHeight, 128);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

} // namespace

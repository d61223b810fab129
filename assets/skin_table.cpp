#include "assets/skin_table.h"

#include "assets/resource.h"

#include <array>

namespace {

// "x1" and "x2" are violet skins behind light pink swatches; there is no white bar.
constexpr std::array<SkinEntry, 11> kSkins{{
    {"white1", SkinKind::Background, 255, 255, 255, IDR_BG_WHITE1},
    {"blue1", SkinKind::Background, 128, 128, 255, IDR_BG_BLUE1},
    {"green1", SkinKind::Background, 128, 224, 0, IDR_BG_GREEN1},
    {"red1", SkinKind::Background, 255, 80, 128, IDR_BG_RED1},
    {"yellow1", SkinKind::Background, 255, 255, 0, IDR_BG_YELLOW1},
    {"x1", SkinKind::Background, 255, 168, 255, IDR_BG_X1},
    {"blue2", SkinKind::Bar, 128, 128, 255, IDR_BAR_BLUE2},
    {"green2", SkinKind::Bar, 128, 224, 0, IDR_BAR_GREEN2},
    {"red2", SkinKind::Bar, 255, 80, 128, IDR_BAR_RED2},
    {"yellow2", SkinKind::Bar, 255, 255, 0, IDR_BAR_YELLOW2},
    {"x2", SkinKind::Bar, 255, 168, 255, IDR_BAR_X2},
}};

constexpr std::size_t kWhite1 = 0;
constexpr std::size_t kRed2 = 8;
static_assert(kSkins[kWhite1].colourName == "white1" && kSkins[kRed2].colourName == "red2");

const SkinEntry& Resolve(std::string_view name, SkinKind kind, std::size_t fallback) {
    for (const SkinEntry& entry : kSkins)
        if (entry.kind == kind && entry.colourName == name) return entry;
    return kSkins[fallback];
}

} // namespace

std::span<const SkinEntry> SkinTable() {
    return kSkins;
}

const SkinEntry& ResolveBackgroundSkin(std::string_view name) {
    return Resolve(name, SkinKind::Background, kWhite1);
}

const SkinEntry& ResolveBarSkin(std::string_view name) {
    return Resolve(name, SkinKind::Bar, kRed2);
}

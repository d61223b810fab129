#pragma once

#include <cstdint>
#include <span>
#include <string_view>

enum class SkinKind { Background, Bar };

// One skin: the colour name stored in the settings, the swatch that picks it in the settings
// window, and the built-in bitmap resource that shows it.
struct SkinEntry {
    std::string_view colourName;
    SkinKind kind;
    std::uint8_t swatchRed, swatchGreen, swatchBlue;
    int resourceId;
};

// All eleven skins, backgrounds first, in the settings window's swatch order.
std::span<const SkinEntry> SkinTable();

// Byte-wise, case-sensitive look-ups within one kind. Unknown names (the empty one included)
// fall back to "white1" and "red2".
const SkinEntry& ResolveBackgroundSkin(std::string_view name);
const SkinEntry& ResolveBarSkin(std::string_view name);

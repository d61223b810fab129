#pragma once

#include "assets/skin_table.h"

#include <windows.h>

// A new 24-bit bitmap holding the skin's pixels exactly as built in; the caller owns it.
// Null if the skin's resource is missing or damaged.
HBITMAP LoadSkinBitmap(const SkinEntry& skin);

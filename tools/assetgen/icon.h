#pragma once

#include <cstdint>
#include <vector>

// The program icon: one 128 x 128, 32-bit, fully opaque image in an ICO file.
std::vector<std::uint8_t> MakeIcon();

#pragma once

#include <cstdint>
#include <vector>

// Complete RIFF/WAVE files: 16-bit stereo PCM at 11,025 Hz.
std::vector<std::uint8_t> MakePageTurnWave();
std::vector<std::uint8_t> MakeDeleteWave();

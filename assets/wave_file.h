#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t bytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

struct WaveData {
    WaveFormat format;
    std::span<const std::byte> samples; // points into the file that was parsed
};

// Finds the "fmt " and "data" chunks of a RIFF/WAVE file held in memory. Chunks it does not
// know are skipped; a file cut short or without either chunk gives nothing.
std::optional<WaveData> ParseWave(std::span<const std::byte> file);

#include "assets/wave_file.h"

#include <cstring>

namespace {

std::uint32_t Read32(std::span<const std::byte> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Read16(std::span<const std::byte> b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned>(b[at]) | static_cast<unsigned>(b[at + 1]) << 8);
}

bool TagIs(std::span<const std::byte> b, std::size_t at, const char* tag) {
    return std::memcmp(b.data() + at, tag, 4) == 0;
}

} // namespace

std::optional<WaveData> ParseWave(std::span<const std::byte> file) {
    if (file.size() < 12 || !TagIs(file, 0, "RIFF") || !TagIs(file, 8, "WAVE")) return std::nullopt;
    std::optional<WaveFormat> format;
    std::optional<std::span<const std::byte>> samples;
    std::size_t at = 12;
    while (file.size() - at >= 8 && !(format && samples)) {
        const std::uint32_t size = Read32(file, at + 4);
        const std::size_t body = at + 8;
        if (size > file.size() - body) return std::nullopt;
        if (TagIs(file, at, "fmt ") && size >= 16) {
            format = WaveFormat{Read16(file, body),     Read16(file, body + 2),  Read32(file, body + 4),
                                Read32(file, body + 8), Read16(file, body + 12), Read16(file, body + 14)};
        } else if (TagIs(file, at, "data")) {
            samples = file.subspan(body, size);
        }
        at = body + size + (size & 1); // chunks are padded to even length
        if (at > file.size()) break;
    }
    if (!format || !samples) return std::nullopt;
    return WaveData{*format, *samples};
}

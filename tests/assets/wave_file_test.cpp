#include "assets/wave_file.h"

#include "asset_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::byte> AsBytes(const std::vector<std::uint8_t>& in) {
    std::vector<std::byte> out;
    for (std::uint8_t v : in)
        out.push_back(static_cast<std::byte>(v));
    return out;
}

void Put(std::vector<std::uint8_t>& out, const std::string& tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::vector<std::uint8_t> Chunk(const std::string& tag, std::vector<std::uint8_t> body, std::uint32_t claimedSize) {
    std::vector<std::uint8_t> out;
    Put(out, tag);
    Put32(out, claimedSize);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> Chunk(const std::string& tag, std::vector<std::uint8_t> body) {
    const auto size = static_cast<std::uint32_t>(body.size());
    if (body.size() % 2) body.push_back(0);
    return Chunk(tag, std::move(body), size);
}

// 2 channels, 8000 Hz, 16 bit.
const std::vector<std::uint8_t> kFmt = {1, 0, 2, 0, 0x40, 0x1F, 0, 0, 0, 0x7D, 0, 0, 4, 0, 16, 0};

std::vector<std::uint8_t> Riff(const std::string& form, std::vector<std::vector<std::uint8_t>> chunks) {
    std::vector<std::uint8_t> body;
    Put(body, form);
    for (const auto& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    std::vector<std::uint8_t> out;
    Put(out, "RIFF");
    Put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

struct ParseCase {
    const char* what;
    std::vector<std::uint8_t> file;
    bool parses;
    std::size_t sampleBytes;
};

const ParseCase kCases[] = {
    {"plain fmt then data", Riff("WAVE", {Chunk("fmt ", kFmt), Chunk("data", {1, 2, 3, 4, 5, 6, 7, 8})}), true, 8},
    {"odd-sized chunk before fmt is padded",
     Riff("WAVE", {Chunk("LIST", {9, 9, 9}), Chunk("fmt ", kFmt), Chunk("data", {1, 2, 3, 4})}), true, 4},
    {"data before fmt", Riff("WAVE", {Chunk("data", {1, 2, 3, 4}), Chunk("fmt ", kFmt)}), true, 4},
    {"empty file", {}, false, 0},
    {"not RIFF", [] { auto f = Riff("WAVE", {Chunk("fmt ", kFmt), Chunk("data", {1, 2, 3, 4})}); f[0] = 'X'; return f; }(),
     false, 0},
    {"not WAVE", Riff("AVI ", {Chunk("fmt ", kFmt), Chunk("data", {1, 2, 3, 4})}), false, 0},
    {"no data chunk", Riff("WAVE", {Chunk("fmt ", kFmt)}), false, 0},
    {"no fmt chunk", Riff("WAVE", {Chunk("data", {1, 2, 3, 4})}), false, 0},
    {"fmt chunk too short", Riff("WAVE", {Chunk("fmt ", {1, 0, 2, 0}), Chunk("data", {1, 2, 3, 4})}), false, 0},
    {"data runs past the end", Riff("WAVE", {Chunk("fmt ", kFmt), Chunk("data", {1, 2, 3, 4}, 4000)}), false, 0},
    {"chunk header cut short", [] { auto f = Riff("WAVE", {Chunk("fmt ", kFmt)}); Put(f, "da"); return f; }(), false, 0},
    {"size field near 4 GiB", Riff("WAVE", {Chunk("fmt ", kFmt), Chunk("data", {1, 2}, 0xFFFFFFFFu)}), false, 0},
};

TEST(ParseWave, FindsFormatAndSamplesOrRefuses) {
    for (const ParseCase& c : kCases) {
        const std::vector<std::byte> bytes = AsBytes(c.file);
        const std::optional<WaveData> wave = ParseWave(bytes);
        ASSERT_EQ(wave.has_value(), c.parses) << c.what;
        if (!wave) continue;
        EXPECT_EQ(wave->samples.size(), c.sampleBytes) << c.what;
        EXPECT_EQ(wave->samples[0], std::byte{1}) << c.what;
        EXPECT_EQ(wave->format.channels, 2) << c.what;
        EXPECT_EQ(wave->format.samplesPerSecond, 8000u) << c.what;
        EXPECT_EQ(wave->format.bytesPerSecond, 32000u) << c.what;
        EXPECT_EQ(wave->format.blockAlign, 4) << c.what;
        EXPECT_EQ(wave->format.bitsPerSample, 16) << c.what;
    }
}

TEST(ParseWave, ReadsTheBuiltInSounds) {
    for (const auto& [name, dataSize] : {std::pair{"page_turn.wav", 21848u}, std::pair{"delete.wav", 19544u}}) {
        const std::vector<std::byte> bytes = AsBytes(ReadBytes(AssetPath(name)));
        const std::optional<WaveData> wave = ParseWave(bytes);
        ASSERT_TRUE(wave) << name;
        EXPECT_EQ(wave->format.formatTag, 1) << name;
        EXPECT_EQ(wave->format.channels, 2) << name;
        EXPECT_EQ(wave->format.samplesPerSecond, 11025u) << name;
        EXPECT_EQ(wave->samples.size(), dataSize) << name;
        EXPECT_EQ(wave->samples.data(), bytes.data() + 44) << name;
    }
}

} // namespace

#include "asset_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 11025;
constexpr double kWindowMs = 5.0;
constexpr double kAudibleDb = -45.0;  // RMS over a 5 ms window
constexpr double kWindowSlackMs = 10; // burst edges are "about"

struct Burst {
    double startMs, endMs;
};

struct ClickSoundFile {
    std::string file;
    std::uint32_t fileSize;
    std::uint32_t dataSize;
    double peakDb;
    double silentAfterMs;
    std::vector<Burst> bursts;
};

const ClickSoundFile kSounds[] = {
    {"page_turn.wav", 21892, 21848, -4.3, 450, {{75, 125}, {150, 225}, {275, 350}}},
    {"delete.wav", 19588, 19544, -14.3, 400, {{50, 170}, {275, 375}}},
};

struct Samples {
    std::vector<int> left, right;
};

Samples Decode(const std::vector<std::uint8_t>& file) {
    Samples s;
    for (std::size_t at = 44; at + 3 < file.size(); at += 4) {
        s.left.push_back(static_cast<std::int16_t>(U16(file, at)));
        s.right.push_back(static_cast<std::int16_t>(U16(file, at + 2)));
    }
    return s;
}

double Db(double amplitude) {
    return amplitude > 0 ? 20.0 * std::log10(amplitude / 32768.0) : -200.0;
}

// RMS level of both channels over [startMs, startMs + kWindowMs).
double WindowDb(const Samples& s, double startMs) {
    const std::size_t first = static_cast<std::size_t>(startMs * kRate / 1000);
    const std::size_t last = std::min(s.left.size(), static_cast<std::size_t>((startMs + kWindowMs) * kRate / 1000));
    double sum = 0;
    for (std::size_t i = first; i < last; ++i)
        sum += double(s.left[i]) * s.left[i] + double(s.right[i]) * s.right[i];
    return last > first ? Db(std::sqrt(sum / (2.0 * (last - first)))) : -200.0;
}

double LengthMs(const Samples& s) {
    return s.left.size() * 1000.0 / kRate;
}

void PrintTo(const ClickSoundFile& sound, std::ostream* os) {
    *os << sound.file;
}

class ClickSoundWave : public testing::TestWithParam<ClickSoundFile> {
protected:
    std::vector<std::uint8_t> file = ReadBytes(AssetPath(GetParam().file));
    Samples samples = Decode(file);
};

TEST_P(ClickSoundWave, IsStereo16BitPcmAt11025Hz) {
    const ClickSoundFile& sound = GetParam();
    ASSERT_EQ(file.size(), sound.fileSize);
    const std::string riff(file.begin(), file.begin() + 4), wave(file.begin() + 8, file.begin() + 16),
        data(file.begin() + 36, file.begin() + 40);
    EXPECT_EQ(riff, "RIFF");
    EXPECT_EQ(U32(file, 4), sound.fileSize - 8);
    EXPECT_EQ(wave, "WAVEfmt ");
    EXPECT_EQ(U32(file, 16), 16u) << "fmt chunk size";
    EXPECT_EQ(U16(file, 20), 1) << "PCM";
    EXPECT_EQ(U16(file, 22), 2) << "channels";
    EXPECT_EQ(U32(file, 24), 11025u);
    EXPECT_EQ(U32(file, 28), 44100u) << "bytes per second";
    EXPECT_EQ(U16(file, 32), 4) << "block align";
    EXPECT_EQ(U16(file, 34), 16) << "bits per sample";
    EXPECT_EQ(data, "data");
    EXPECT_EQ(U32(file, 40), sound.dataSize);
}

TEST_P(ClickSoundWave, PeakIsAtTheStatedLevel) {
    int peak = 0;
    for (const std::vector<int>* channel : {&samples.left, &samples.right})
        for (int v : *channel)
            peak = std::max(peak, std::abs(v));
    EXPECT_NEAR(Db(peak), GetParam().peakDb, 0.5);
}

TEST_P(ClickSoundWave, SoundsOnlyInItsBursts) {
    const ClickSoundFile& sound = GetParam();
    ASSERT_FALSE(samples.left.empty());
    for (double t = 0; t + kWindowMs <= LengthMs(samples); t += kWindowMs) {
        if (WindowDb(samples, t) < kAudibleDb) continue;
        const double mid = t + kWindowMs / 2;
        bool inBurst = false;
        for (const Burst& b : sound.bursts)
            inBurst |= mid >= b.startMs - kWindowSlackMs && mid <= b.endMs + kWindowSlackMs;
        EXPECT_TRUE(inBurst) << "audible at " << t << " ms";
    }
}

TEST_P(ClickSoundWave, EachBurstSoundsThroughout) {
    for (const Burst& b : GetParam().bursts) {
        int windows = 0, audible = 0;
        for (double t = b.startMs + kWindowSlackMs; t + kWindowMs <= b.endMs - kWindowSlackMs;
             t += kWindowMs, ++windows)
            if (WindowDb(samples, t) >= kAudibleDb) ++audible;
        EXPECT_GE(audible * 10, windows * 9) << "burst " << b.startMs << "-" << b.endMs << " ms";
    }
}

TEST_P(ClickSoundWave, SilentAtTheEnd) {
    const std::size_t from = static_cast<std::size_t>(GetParam().silentAfterMs * kRate / 1000);
    ASSERT_LT(from, samples.left.size());
    for (std::size_t i = from; i < samples.left.size(); ++i) {
        ASSERT_LE(std::abs(samples.left[i]), 32) << "frame " << i;
        ASSERT_LE(std::abs(samples.right[i]), 32) << "frame " << i;
    }
}

// Rustle and tear are noise: the gaps between zero crossings vary widely, where a tone's are even.
TEST_P(ClickSoundWave, BurstsAreNoiseNotTones) {
    for (const Burst& b : GetParam().bursts) {
        std::vector<double> gaps;
        std::size_t last = 0;
        const std::size_t first = static_cast<std::size_t>(b.startMs * kRate / 1000);
        const std::size_t end = static_cast<std::size_t>(b.endMs * kRate / 1000);
        for (std::size_t i = first + 1; i < end; ++i)
            if ((samples.left[i - 1] < 0) != (samples.left[i] < 0)) {
                if (last) gaps.push_back(static_cast<double>(i - last));
                last = i;
            }
        ASSERT_GT(gaps.size(), 50u) << "burst " << b.startMs << " ms: too few zero crossings for a broadband sound";
        double mean = 0, var = 0;
        for (double g : gaps)
            mean += g;
        mean /= gaps.size();
        for (double g : gaps)
            var += (g - mean) * (g - mean);
        EXPECT_GT(std::sqrt(var / gaps.size()) / mean, 0.5) << "burst " << b.startMs << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(BothSounds, ClickSoundWave, testing::ValuesIn(kSounds),
                         [](const auto& info) { return info.param.file.substr(0, info.param.file.size() - 4); });

TEST(DeleteSound, SoftBurstThenALouderOne) {
    const Samples s = Decode(ReadBytes(AssetPath("delete.wav")));
    auto loudest = [&s](double from, double to) {
        double db = -200;
        for (double t = from; t + kWindowMs <= to; t += kWindowMs)
            db = std::max(db, WindowDb(s, t));
        return db;
    };
    EXPECT_GT(loudest(275, 375), loudest(50, 170) + 6.0);
}

} // namespace

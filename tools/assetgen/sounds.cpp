#include "sounds.h"

#include "rng.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRate = 11025;
constexpr int kChannels = 2;

// Peak levels of the two sounds as 16-bit sample values: -4.3 dBFS and -14.3 dBFS of 32768.
constexpr int kPageTurnPeak = 19973;
constexpr int kDeletePeak = 6316;

constexpr int kPageTurnFrames = 5462;
constexpr int kDeleteFrames = 4886;

int Frame(double ms) {
    return static_cast<int>(ms * kRate / 1000.0);
}

struct Stereo {
    std::vector<double> left, right;
    explicit Stereo(int frames) : left(frames, 0.0), right(frames, 0.0) {}
};

// One-pole low-pass; `a` near 1 lets almost everything through.
class LowPass {
public:
    explicit LowPass(double a) : a_(a) {}
    double operator()(double x) { return y_ += a_ * (x - y_); }
    void SetCoefficient(double a) { a_ = a; }

private:
    double a_;
    double y_ = 0;
};

// Paper noise is crinkle: many tiny clicks, each a sharp rise and a short ring-down.
// `density` is clicks per millisecond; the clicks ride on hissing noise.
struct Crinkle {
    double density;
    double hiss;      // level of the continuous noise under the clicks
    double bright;    // low-pass coefficient at the start of the burst
    double brightEnd; // ... and at its end, for a swish that opens or closes
    double decayMs;   // ring-down of one click
};

// Envelope that is exactly zero at both ends of the burst: a swell over the first `attack`
// of it, a plateau, and a smooth fall over the last `release`.
double Envelope(double u, double attack, double release) {
    auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
    if (u <= 0.0 || u >= 1.0) return 0.0;
    if (u < attack) return smooth(u / attack);
    if (u > 1.0 - release) return smooth((1.0 - u) / release);
    return 1.0;
}

// Adds one burst between startMs and endMs with the given loudness to both channels.
void AddBurst(Stereo& out, Rng& rng, double startMs, double endMs, double level, const Crinkle& c, double attack,
              double release) {
    const int first = Frame(startMs), last = Frame(endMs);
    const int length = last - first;
    LowPass toneL(c.bright), toneR(c.bright), rumbleL(0.08), rumbleR(0.08);
    double clickL = 0, clickR = 0;
    const double ring = 1.0 - 1.0 / (c.decayMs * kRate / 1000.0);
    const double clickChance = c.density * 1000.0 / kRate;
    // A slow flutter: the sheet does not move at an even pace.
    double flutter = 1.0, flutterTarget = 1.0;
    for (int i = 0; i < length; ++i) {
        const double u = static_cast<double>(i) / length;
        if (i % 40 == 0) flutterTarget = 0.45 + 0.55 * rng.Unit();
        flutter += (flutterTarget - flutter) * 0.05;
        if (rng.Unit() < clickChance) {
            const double strength = 0.3 + 0.7 * rng.Unit() * rng.Unit();
            const double pan = rng.Unit();
            clickL += strength * (0.5 + 0.5 * pan);
            clickR += strength * (1.0 - 0.5 * pan);
        }
        clickL *= ring;
        clickR *= ring;
        const double coefficient = c.bright + (c.brightEnd - c.bright) * u;
        toneL.SetCoefficient(coefficient);
        toneR.SetCoefficient(coefficient);
        const double nl = rng.Signed(), nr = rng.Signed();
        // High-pass by removing the rumble: paper has almost nothing below a few hundred hertz.
        const double l = toneL(nl * (c.hiss + clickL)) - rumbleL(nl * c.hiss);
        const double r = toneR(nr * (c.hiss + clickR)) - rumbleR(nr * c.hiss);
        const double e = level * Envelope(u, attack, release) * flutter;
        out.left[first + i] += e * l;
        out.right[first + i] += e * r;
    }
}

void PutU16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

// Scales the loudest sample of either channel to `peak` and writes the WAV file.
std::vector<std::uint8_t> Encode(const Stereo& s, int peak) {
    double loudest = 0;
    for (std::size_t i = 0; i < s.left.size(); ++i)
        loudest = std::max({loudest, std::fabs(s.left[i]), std::fabs(s.right[i])});
    const double scale = loudest > 0 ? peak / loudest : 0.0;
    const std::uint32_t frames = static_cast<std::uint32_t>(s.left.size());
    const std::uint32_t dataSize = frames * kChannels * 2;
    std::vector<std::uint8_t> out;
    PutTag(out, "RIFF");
    PutU32(out, 4 + 8 + 16 + 8 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, kChannels);
    PutU32(out, kRate);
    PutU32(out, kRate * kChannels * 2);
    PutU16(out, kChannels * 2);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataSize);
    for (std::uint32_t i = 0; i < frames; ++i) {
        for (double v : {s.left[i], s.right[i]}) {
            const int q = std::clamp(static_cast<int>(std::floor(v * scale + 0.5)), -peak, peak);
            PutU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(q)));
        }
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> MakePageTurnWave() {
    // The sheet is lifted, swept across and laid down: three rustles, the middle one longest.
    Rng rng(0x9A6E'7025'0000'0003ULL);
    Stereo s(kPageTurnFrames);
    AddBurst(s, rng, 75, 125, 0.75, {1.2, 0.35, 0.55, 0.8, 1.5}, 0.2, 0.5);
    AddBurst(s, rng, 150, 225, 1.00, {2.0, 0.45, 0.7, 0.5, 1.2}, 0.25, 0.5);
    AddBurst(s, rng, 275, 350, 0.60, {0.9, 0.30, 0.8, 0.45, 2.0}, 0.1, 0.6);
    return Encode(s, kPageTurnPeak);
}

std::vector<std::uint8_t> MakeDeleteWave() {
    // A soft crumple as the sheet is gripped, then the sharp rip as it comes away.
    Rng rng(0xDE1E'7E00'0000'0004ULL);
    Stereo s(kDeleteFrames);
    AddBurst(s, rng, 50, 170, 0.55, {0.8, 0.40, 0.45, 0.6, 2.5}, 0.35, 0.45);
    AddBurst(s, rng, 275, 375, 1.00, {6.0, 0.20, 0.85, 0.6, 0.6}, 0.08, 0.3);
    return Encode(s, kDeletePeak);
}

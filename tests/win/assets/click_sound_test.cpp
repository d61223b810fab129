#include "assets/click_sound.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <future>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Generous: only here so that a broken build fails instead of hanging the run.
constexpr auto kHangGuard = std::chrono::seconds(20);

std::vector<std::byte> DataChunkOf(const std::string& name) {
    std::ifstream in(std::string(QF_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    std::vector<char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> data;
    for (std::size_t i = 44; i < file.size(); ++i)
        data.push_back(static_cast<std::byte>(file[i]));
    return data;
}

// A device that plays until the test lets the sound end (or Stop ends it), recording each call.
class HeldOutput : public SoundOutput {
public:
    struct Call {
        WaveFormat format;
        std::vector<std::byte> samples;
    };

    explicit HeldOutput(bool deviceWorks = true) : deviceWorks_(deviceWorks) {}

    bool Play(const WaveFormat& format, std::span<const std::byte> samples) override {
        std::unique_lock lock(mutex_);
        calls_.push_back({format, {samples.begin(), samples.end()}});
        if (!deviceWorks_) {
            changed_.notify_all();
            return false;
        }
        ++playing_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return finished_ || stopped_; });
        --playing_;
        changed_.notify_all();
        return true;
    }

    void Stop() override {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

    void FinishAll() {
        std::lock_guard lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }

    bool WaitUntilPlaying(int n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kHangGuard, [&] { return playing_ == n; });
    }

    bool WaitUntilCalls(std::size_t n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kHangGuard, [&] { return calls_.size() == n; });
    }

    int Playing() {
        std::lock_guard lock(mutex_);
        return playing_;
    }

    std::vector<Call> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    const bool deviceWorks_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Call> calls_;
    int playing_ = 0;
    bool finished_ = false;
    bool stopped_ = false;
};

class ClickSoundPlayback : public testing::Test {
protected:
    void Use(HeldOutput& output) { SetSoundOutputForTesting(&output); }
    void TearDown() override {
        held.FinishAll();
        StopClickSounds(); // waits for the playback threads, so `held` outlives them
        SetSoundOutputForTesting(nullptr);
    }
    HeldOutput held;
};

TEST_F(ClickSoundPlayback, ReturnsWhileTheSoundIsStillPlaying) {
    Use(held);
    PlayClickSound(ClickSound::PageTurn);
    ASSERT_TRUE(held.WaitUntilPlaying(1));
    EXPECT_EQ(held.Playing(), 1) << "the sound has not ended, yet the caller is free";
}

TEST_F(ClickSoundPlayback, TwoQuickClicksOverlap) {
    Use(held);
    PlayClickSound(ClickSound::Delete);
    PlayClickSound(ClickSound::PageTurn);
    EXPECT_TRUE(held.WaitUntilPlaying(2)) << "the second sound does not wait for, or cut off, the first";
}

TEST_F(ClickSoundPlayback, HandsTheDeviceTheFormatAndSamplesOfEachSound) {
    Use(held);
    PlayClickSound(ClickSound::PageTurn);
    ASSERT_TRUE(held.WaitUntilCalls(1));
    PlayClickSound(ClickSound::Delete);
    ASSERT_TRUE(held.WaitUntilCalls(2));
    const std::vector<HeldOutput::Call> calls = held.Calls();
    const std::vector<std::byte> expected[] = {DataChunkOf("page_turn.wav"), DataChunkOf("delete.wav")};
    for (std::size_t i = 0; i < 2; ++i) {
        const WaveFormat& f = calls[i].format;
        EXPECT_EQ(f.formatTag, 1);
        EXPECT_EQ(f.channels, 2);
        EXPECT_EQ(f.samplesPerSecond, 11025u);
        EXPECT_EQ(f.bytesPerSecond, 44100u);
        EXPECT_EQ(f.blockAlign, 4);
        EXPECT_EQ(f.bitsPerSample, 16);
        EXPECT_TRUE(calls[i].samples == expected[i]) << "call " << i;
    }
}

TEST_F(ClickSoundPlayback, StopEndsSoundsStillPlaying) {
    Use(held);
    PlayClickSound(ClickSound::PageTurn);
    PlayClickSound(ClickSound::Delete);
    ASSERT_TRUE(held.WaitUntilPlaying(2));
    StopClickSounds();
    EXPECT_EQ(held.Playing(), 0);
}

TEST_F(ClickSoundPlayback, StopWithNothingPlayingReturns) {
    Use(held);
    StopClickSounds();
    EXPECT_EQ(held.Calls().size(), 0u);
}

TEST_F(ClickSoundPlayback, ADeviceThatCannotPlayIsSilentAndHarmless) {
    HeldOutput broken(false);
    Use(broken);
    PlayClickSound(ClickSound::PageTurn);
    PlayClickSound(ClickSound::Delete);
    EXPECT_TRUE(broken.WaitUntilCalls(2));
    StopClickSounds();
    SetSoundOutputForTesting(nullptr);
}

// The test prefix has no audio driver, as on a machine without a sound card.
TEST(ClickSoundWithoutADevice, PlayAndStopReturn) {
    SetSoundOutputForTesting(nullptr);
    auto run = std::async(std::launch::async, [] {
        PlayClickSound(ClickSound::PageTurn);
        PlayClickSound(ClickSound::Delete);
        PlayClickSound(ClickSound::PageTurn);
        StopClickSounds();
    });
    EXPECT_EQ(run.wait_for(kHangGuard), std::future_status::ready);
}

} // namespace

#include "assets/click_sound.h"

#include "assets/resource.h"
#include "assets/resource_data.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Each sound opens a device of its own, so two clicks in quick succession overlap instead of
// cutting each other off.
class WaveOutOutput final : public SoundOutput {
public:
    bool Play(const WaveFormat& format, std::span<const std::byte> samples) override {
        WAVEFORMATEX wfx{};
        wfx.wFormatTag = format.formatTag;
        wfx.nChannels = format.channels;
        wfx.nSamplesPerSec = format.samplesPerSecond;
        wfx.nAvgBytesPerSec = format.bytesPerSecond;
        wfx.nBlockAlign = format.blockAlign;
        wfx.wBitsPerSample = format.bitsPerSample;
        if (wfx.nAvgBytesPerSec == 0 || samples.empty()) return false;

        HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (!done) return false;
        HWAVEOUT device = nullptr;
        if (waveOutOpen(&device, WAVE_MAPPER, &wfx, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT) !=
            MMSYSERR_NOERROR) {
            CloseHandle(done);
            return false;
        }
        Track(device);

        WAVEHDR header{};
        header.lpData = reinterpret_cast<LPSTR>(const_cast<std::byte*>(samples.data()));
        header.dwBufferLength = static_cast<DWORD>(samples.size());
        bool played = false;
        if (waveOutPrepareHeader(device, &header, sizeof header) == MMSYSERR_NOERROR) {
            if (waveOutWrite(device, &header, sizeof header) == MMSYSERR_NOERROR) {
                // A driver that never reports the buffer done must not keep this thread forever.
                const DWORD patience = static_cast<DWORD>(samples.size() * 1000ull / wfx.nAvgBytesPerSec) + 2000;
                while (!(header.dwFlags & WHDR_DONE)) {
                    if (WaitForSingleObject(done, patience) != WAIT_OBJECT_0) {
                        waveOutReset(device);
                        break;
                    }
                }
                played = true;
            }
            waveOutReset(device);
            waveOutUnprepareHeader(device, &header, sizeof header);
        }
        Untrack(device);
        waveOutClose(device);
        CloseHandle(done);
        return played;
    }

    void Stop() override {
        std::lock_guard lock(mutex_);
        for (HWAVEOUT device : open_)
            waveOutReset(device); // marks the buffer done and wakes Play
    }

private:
    void Track(HWAVEOUT device) {
        std::lock_guard lock(mutex_);
        open_.push_back(device);
    }

    void Untrack(HWAVEOUT device) {
        std::lock_guard lock(mutex_);
        open_.erase(std::remove(open_.begin(), open_.end(), device), open_.end());
    }

    std::mutex mutex_;
    std::vector<HWAVEOUT> open_;
};

struct Playback {
    std::mutex mutex;
    std::condition_variable allDone;
    int playing = 0;
    SoundOutput* standIn = nullptr;
    WaveOutOutput device;
};

// Never destroyed: a playback thread may still be finishing while static objects are torn down.
Playback& State() {
    static Playback* state = new Playback;
    return *state;
}

SoundOutput& CurrentOutput() {
    Playback& state = State();
    std::lock_guard lock(state.mutex);
    return state.standIn ? *state.standIn : static_cast<SoundOutput&>(state.device);
}

void FinishOne() {
    Playback& state = State();
    std::lock_guard lock(state.mutex);
    --state.playing;
    state.allDone.notify_all();
}

} // namespace

void PlayClickSound(ClickSound sound) noexcept {
    try {
        const int id = sound == ClickSound::PageTurn ? IDR_WAVE_PAGE_TURN : IDR_WAVE_DELETE;
        const std::optional<WaveData> wave = ParseWave(ResourceBytes(id));
        if (!wave) return;
        SoundOutput& output = CurrentOutput();
        // The thread plays its own copy, so it depends on nothing the rest of the program owns.
        std::vector<std::byte> samples(wave->samples.begin(), wave->samples.end());
        {
            Playback& state = State();
            std::lock_guard lock(state.mutex);
            ++state.playing;
        }
        try {
            std::thread([&output, format = wave->format, samples = std::move(samples)] {
                try {
                    output.Play(format, samples);
                } catch (...) {
                }
                FinishOne();
            }).detach();
        } catch (...) {
            FinishOne();
        }
    } catch (...) {
    }
}

void StopClickSounds() noexcept {
    try {
        Playback& state = State();
        SoundOutput* standIn = nullptr;
        {
            std::lock_guard lock(state.mutex);
            standIn = state.standIn;
        }
        if (standIn) standIn->Stop();
        state.device.Stop();
        std::unique_lock lock(state.mutex);
        state.allDone.wait_for(lock, std::chrono::seconds(3), [&state] { return state.playing == 0; });
    } catch (...) {
    }
}

void SetSoundOutputForTesting(SoundOutput* output) noexcept {
    Playback& state = State();
    std::lock_guard lock(state.mutex);
    state.standIn = output;
}

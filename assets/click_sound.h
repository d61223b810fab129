#pragma once

#include "assets/wave_file.h"

#include <cstddef>
#include <span>

enum class ClickSound { PageTurn, Delete };

// Where click sounds go: the waveform-audio device, or a stand-in in tests. Play may be called
// from several threads at once.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Plays the samples once and returns when they are done or Stop ended them; false if no
    // device took them.
    virtual bool Play(const WaveFormat& format, std::span<const std::byte> samples) = 0;
    // Ends every Play in progress.
    virtual void Stop() = 0;
};

// Starts the sound on a thread of its own and returns at once; sounds overlap. Without a usable
// device nothing is heard and nothing is reported.
void PlayClickSound(ClickSound sound) noexcept;

// Ends sounds still playing and waits (briefly) for their threads; for the exit path.
void StopClickSounds() noexcept;

// Null goes back to the waveform-audio device.
void SetSoundOutputForTesting(SoundOutput* output) noexcept;

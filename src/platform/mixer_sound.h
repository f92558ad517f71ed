#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "cards/seams.h"

// The ten effects on SDL2_mixer, one channel per effect, so an effect that is still playing is not
// started again. Open() gives nothing when no audio device opens: the game then plays silent, with no
// message (a NullSound stands in).
class MixerSound final : public SoundSink {
public:
    static std::unique_ptr<MixerSound> Open();
    ~MixerSound() override;
    MixerSound(const MixerSound&) = delete;
    MixerSound& operator=(const MixerSound&) = delete;

    // Decodes a WAV file (and nothing else) for the effect. False when the bytes are not a WAV SDL can
    // read; the effect then stays silent.
    bool LoadWave(SoundEffect effect, std::span<const uint8_t> bytes);
    bool HasEffect(SoundEffect effect) const;

    // Plays the effect once, unless it is still playing.
    void PlaySound(SoundEffect effect) override;

    // Releases the effects (the audio device stays open until destruction).
    void ReleaseEffects();

private:
    MixerSound();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

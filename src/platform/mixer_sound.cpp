#include "platform/mixer_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <vector>

#include "archive/format_checks.h"
#include "platform/sdl_handles.h"

namespace {

constexpr int kFrequency = 22050;
constexpr Uint16 kFormat = AUDIO_S16SYS;
constexpr int kChannels = 2;

struct Effect {
    std::vector<Uint8> samples;  // in the device's format; the chunk points into it
    ChunkPtr chunk;
};

}  // namespace

struct MixerSound::Impl {
    bool audioStarted = false;
    bool mixerOpen = false;
    int deviceFrequency = kFrequency;
    Uint16 deviceFormat = kFormat;
    int deviceChannels = kChannels;
    std::array<Effect, kSoundEffectCount> effects;

    ~Impl() {
        Release();
        if (mixerOpen) {
            Mix_CloseAudio();
        }
        if (audioStarted) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }

    void Release() {
        if (mixerOpen) {
            Mix_HaltChannel(-1);
        }
        for (auto& e : effects) {
            e.chunk.reset();  // the chunk does not own its samples: free it before them
            e.samples.clear();
            e.samples.shrink_to_fit();
        }
    }
};

MixerSound::MixerSound() : impl_(std::make_unique<Impl>()) {}

MixerSound::~MixerSound() = default;

std::unique_ptr<MixerSound> MixerSound::Open() {
    std::unique_ptr<MixerSound> sound(new MixerSound());
    Impl& impl = *sound->impl_;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return nullptr;
    }
    impl.audioStarted = true;
    if (Mix_OpenAudio(kFrequency, kFormat, kChannels, 1024) != 0) {
        return nullptr;
    }
    impl.mixerOpen = true;
    Mix_QuerySpec(&impl.deviceFrequency, &impl.deviceFormat, &impl.deviceChannels);
    Mix_AllocateChannels(kSoundEffectCount);
    return sound;
}

bool MixerSound::LoadWave(SoundEffect effect, std::span<const uint8_t> bytes) {
    const auto index = static_cast<size_t>(effect);
    if (index >= impl_->effects.size()) {
        return false;
    }
    Effect& slot = impl_->effects[index];
    if (Mix_Playing(static_cast<int>(index)) != 0) {
        Mix_HaltChannel(static_cast<int>(index));
    }
    slot.chunk.reset();
    slot.samples.clear();

    if (!LooksLikeWav(bytes)) {
        return false;
    }
    RwopsPtr rw(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())));
    if (!rw) {
        return false;
    }
    // SDL's own WAV reader only: SDL_mixer's loader would guess the format from the bytes.
    SDL_AudioSpec waveFormat{};
    Uint8* raw = nullptr;
    Uint32 rawLength = 0;
    if (SDL_LoadWAV_RW(rw.get(), 0, &waveFormat, &raw, &rawLength) == nullptr) {
        return false;
    }
    std::unique_ptr<Uint8, SdlMemoryDeleter> rawOwner(raw);

    SDL_AudioCVT cvt{};
    const int needed = SDL_BuildAudioCVT(&cvt, waveFormat.format, waveFormat.channels,
                                         static_cast<int>(waveFormat.freq), impl_->deviceFormat,
                                         static_cast<Uint8>(impl_->deviceChannels), impl_->deviceFrequency);
    if (needed < 0) {
        return false;
    }
    cvt.len = static_cast<int>(rawLength);
    slot.samples.assign(static_cast<size_t>(cvt.len) * static_cast<size_t>(std::max(cvt.len_mult, 1)), 0);
    SDL_memcpy(slot.samples.data(), raw, rawLength);
    if (needed == 1) {
        cvt.buf = slot.samples.data();
        if (SDL_ConvertAudio(&cvt) != 0) {
            slot.samples.clear();
            return false;
        }
        slot.samples.resize(static_cast<size_t>(cvt.len_cvt));
    } else {
        slot.samples.resize(rawLength);
    }
    if (slot.samples.empty()) {
        return false;
    }
    slot.chunk.reset(Mix_QuickLoad_RAW(slot.samples.data(), static_cast<Uint32>(slot.samples.size())));
    if (!slot.chunk) {
        slot.samples.clear();
        return false;
    }
    return true;
}

bool MixerSound::HasEffect(SoundEffect effect) const {
    const auto index = static_cast<size_t>(effect);
    return index < impl_->effects.size() && impl_->effects[index].chunk != nullptr;
}

void MixerSound::PlaySound(SoundEffect effect) {
    const auto index = static_cast<size_t>(effect);
    if (index >= impl_->effects.size() || !impl_->effects[index].chunk) {
        return;
    }
    const int channel = static_cast<int>(index);
    if (Mix_Playing(channel) != 0) {
        return;
    }
    Mix_PlayChannel(channel, impl_->effects[index].chunk.get(), 0);
}

void MixerSound::ReleaseEffects() {
    impl_->Release();
}

#include "platform/mixer_sound.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl_library.h"
#include "test_media.h"

namespace {

// SDL's dummy audio driver: a device that plays into nothing.
class MixerSoundTest : public ::testing::Test {
protected:
    HeadlessSdlDrivers drivers;
    SdlLibrary sdl;
};

TEST_F(MixerSoundTest, LoadsWavesAndPlaysThem) {
    auto sound = MixerSound::Open();
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(sound->LoadWave(SoundEffect::CardFlip1, MakeWav(2205)));
    // A different rate is converted to the device's.
    EXPECT_TRUE(sound->LoadWave(SoundEffect::Shuffle, MakeWav(4410, 44100)));
    EXPECT_TRUE(sound->HasEffect(SoundEffect::CardFlip1));
    EXPECT_FALSE(sound->HasEffect(SoundEffect::Sign1));
    sound->PlaySound(SoundEffect::CardFlip1);
    sound->PlaySound(SoundEffect::CardFlip1);  // still playing: not restarted, no harm
    sound->PlaySound(SoundEffect::Sign1);      // never loaded: silent
    sound->ReleaseEffects();
    EXPECT_FALSE(sound->HasEffect(SoundEffect::CardFlip1));
    sound->PlaySound(SoundEffect::CardFlip1);
}

TEST_F(MixerSoundTest, OnlyWavIsAccepted) {
    auto sound = MixerSound::Open();
    ASSERT_NE(sound, nullptr);
    const std::vector<uint8_t> notWave = {'O', 'g', 'g', 'S', 0, 2, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(sound->LoadWave(SoundEffect::Sign2, notWave));
    EXPECT_FALSE(sound->LoadWave(SoundEffect::Sign2, {}));
    auto truncated = MakeWav(100);
    truncated.resize(30);
    EXPECT_FALSE(sound->LoadWave(SoundEffect::Sign2, truncated));
    EXPECT_FALSE(sound->HasEffect(SoundEffect::Sign2));
}

TEST_F(MixerSoundTest, NoAudioDeviceGivesNoSound) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(MixerSound::Open(), nullptr);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    // And the audio system can start again afterwards.
    EXPECT_NE(MixerSound::Open(), nullptr);
}

}  // namespace

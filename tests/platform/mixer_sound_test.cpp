#include "platform/mixer_sound.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "platform/sdl_library.h"
#include "test_media.h"

namespace {

// SDL's dummy audio driver: a device that plays into nothing.
class MixerSoundTest : public ::testing::Test {
protected:
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

// SDL_mixer reports every sound it stops, including one cut off by a new start on its channel.
std::atomic<int> stoppedSounds{0};
void CountStoppedSound(int) {
    ++stoppedSounds;
}

TEST_F(MixerSoundTest, AnEffectStillPlayingIsNotRestarted) {
    auto sound = MixerSound::Open();
    ASSERT_NE(sound, nullptr);
    // Five seconds: still playing when the second request comes.
    ASSERT_TRUE(sound->LoadWave(SoundEffect::CardFlip2, MakeWav(5 * 22050)));
    ASSERT_TRUE(sound->LoadWave(SoundEffect::Sign3, MakeWav(5 * 22050)));
    stoppedSounds = 0;
    Mix_ChannelFinished(CountStoppedSound);
    sound->PlaySound(SoundEffect::CardFlip2);
    ASSERT_EQ(Mix_Playing(-1), 1);
    sound->PlaySound(SoundEffect::CardFlip2);
    EXPECT_EQ(stoppedSounds, 0) << "the playing effect was cut off and started again";
    EXPECT_EQ(Mix_Playing(-1), 1);
    // Another effect plays beside it instead of waiting or cutting it off.
    sound->PlaySound(SoundEffect::Sign3);
    EXPECT_EQ(stoppedSounds, 0);
    EXPECT_EQ(Mix_Playing(-1), 2);
    Mix_ChannelFinished(nullptr);
    sound->ReleaseEffects();
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

#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kSampleRate = 22050;

// Two channels of samples in [-1, 1].
struct StereoSound {
    std::vector<double> left;
    std::vector<double> right;
};

// A RIFF WAVE file: PCM, 2 channels, 22050 samples a second, 16 bits, block alignment 4.
std::vector<uint8_t> WavBytes(const StereoSound& sound);

#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>((v >> shift) & 0xFFu));
    }
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFFu));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(tag[i]));
    }
}

int16_t ToSample(double v) {
    const double scaled = std::round(std::clamp(v, -1.0, 1.0) * 32767.0);
    return static_cast<int16_t>(scaled);
}

}  // namespace

std::vector<uint8_t> WavBytes(const StereoSound& sound) {
    if (sound.left.size() != sound.right.size()) {
        throw std::invalid_argument("the two channels of a sound differ in length");
    }
    constexpr uint16_t kChannels = 2;
    constexpr uint16_t kBits = 16;
    constexpr uint16_t kBlockAlign = kChannels * kBits / 8;
    const auto frames = static_cast<uint32_t>(sound.left.size());
    const uint32_t dataBytes = frames * kBlockAlign;

    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, kChannels);
    PutU32(out, kSampleRate);
    PutU32(out, kSampleRate * kBlockAlign);
    PutU16(out, kBlockAlign);
    PutU16(out, kBits);
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (size_t i = 0; i < frames; ++i) {
        PutU16(out, static_cast<uint16_t>(ToSample(sound.left[i])));
        PutU16(out, static_cast<uint16_t>(ToSample(sound.right[i])));
    }
    return out;
}

#include "sound_synthesis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

size_t Frames(double seconds) {
    return static_cast<size_t>(std::lround(seconds * kRate));
}

// White noise from a fixed seed.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
    }

private:
    uint32_t state_;
};

// A second-order filter (the usual audio cookbook forms); coefficients may change per sample.
class Biquad {
public:
    void BandPass(double centre, double q) {
        const double w = 2.0 * kPi * centre / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        Set(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * std::cos(w), 1.0 - alpha);
    }
    void LowPass(double cutoff, double q) {
        const double w = 2.0 * kPi * cutoff / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        Set((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
    }
    double Process(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    void Set(double b0, double b1, double b2, double a0, double a1, double a2) {
        b0_ = b0 / a0;
        b1_ = b1 / a0;
        b2_ = b2 / a0;
        a1_ = a1 / a0;
        a2_ = a2 / a0;
    }
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

StereoSound Silence(double seconds) {
    StereoSound s;
    s.left.assign(Frames(seconds), 0.0);
    s.right.assign(Frames(seconds), 0.0);
    return s;
}

// Adds a mono signal at `start` seconds, placed between the speakers by `pan` (-1 left .. 1 right).
void Mix(StereoSound& into, const std::vector<double>& mono, double start, double pan) {
    const size_t offset = Frames(start);
    const double l = std::cos((pan + 1.0) * kPi / 4.0);
    const double r = std::sin((pan + 1.0) * kPi / 4.0);
    for (size_t i = 0; i < mono.size() && offset + i < into.left.size(); ++i) {
        into.left[offset + i] += mono[i] * l;
        into.right[offset + i] += mono[i] * r;
    }
}

// Scales to the given peak and fades both ends so the sound starts and stops at silence.
void Finish(StereoSound& s, double peak) {
    double top = 0.0;
    for (size_t i = 0; i < s.left.size(); ++i) {
        top = std::max({top, std::abs(s.left[i]), std::abs(s.right[i])});
    }
    const double gain = top > 0.0 ? peak / top : 0.0;
    const size_t fadeIn = Frames(0.003);
    const size_t fadeOut = Frames(0.012);
    const size_t n = s.left.size();
    for (size_t i = 0; i < n; ++i) {
        double g = gain;
        if (i < fadeIn) {
            g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(fadeIn));
        }
        if (i + fadeOut >= n) {
            const double k = static_cast<double>(n - 1 - i) / static_cast<double>(fadeOut);
            g *= 0.5 - 0.5 * std::cos(kPi * k);
        }
        s.left[i] *= g;
        s.right[i] *= g;
    }
}

// A short burst of filtered noise: the snap of card paper.
std::vector<double> Snap(Noise& noise, double seconds, double centre, double q, double attack, double decay) {
    std::vector<double> out(Frames(seconds));
    Biquad band;
    band.BandPass(centre, q);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / attack) * std::exp(-t / decay);
        out[i] = band.Process(noise.Next()) * env;
    }
    return out;
}

// A soft low knock: a card landing on the cloth.
std::vector<double> Thump(double seconds, double pitch, double decay) {
    std::vector<double> out(Frames(seconds));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = pitch * (1.0 + 0.6 * std::exp(-t / 0.01));
        out[i] = std::sin(2.0 * kPi * f * t) * std::exp(-t / decay) * std::min(1.0, t / 0.002);
    }
    return out;
}

StereoSound CardFlip(uint32_t seed, double centre, double length, double pan) {
    Noise noise(seed);
    StereoSound s = Silence(length + 0.05);
    Mix(s, Snap(noise, 0.03, centre * 0.5, 0.8, 0.012, 0.02), 0.0, pan);  // the card sliding off
    Mix(s, Snap(noise, length, centre, 1.2, 0.0015, length / 6.0), 0.022, pan);
    std::vector<double> knock = Thump(0.06, 170.0, 0.012);
    for (double& v : knock) {
        v *= 0.5;
    }
    Mix(s, knock, 0.024, pan * 0.5);
    Finish(s, 0.7);
    return s;
}

// Cards swept across the cloth: noise through a band that rises and falls, moving across the stereo.
StereoSound Sweep(uint32_t seed, double length, double low, double high, double fromPan, double toPan) {
    Noise noise(seed);
    StereoSound s = Silence(length);
    Biquad band;
    Biquad smooth;
    smooth.LowPass(6000.0, 0.7);
    const size_t n = s.left.size();
    for (size_t i = 0; i < n; ++i) {
        const double u = static_cast<double>(i) / static_cast<double>(n);
        const double centre = low + (high - low) * std::sin(kPi * u * 0.8);
        band.BandPass(centre, 0.9);
        const double env = std::pow(std::sin(kPi * std::pow(u, 0.7)), 1.5);
        const double v = smooth.Process(band.Process(noise.Next())) * env;
        const double pan = fromPan + (toPan - fromPan) * u;
        s.left[i] = v * std::cos((pan + 1.0) * kPi / 4.0);
        s.right[i] = v * std::sin((pan + 1.0) * kPi / 4.0);
    }
    Finish(s, 0.6);
    return s;
}

// A riffle shuffle: the ticks of cards falling from two halves, fast in the middle, then the deck
// squared on the table.
StereoSound Shuffle() {
    Noise noise(0x5EAFu);
    StereoSound s = Silence(1.35);
    double t = 0.02;
    int k = 0;
    while (t < 0.95) {
        const double u = t / 0.95;
        const double gap = 0.034 - 0.024 * std::sin(kPi * u);
        const double pan = (k % 2 == 0 ? -0.35 : 0.35);
        std::vector<double> tick = Snap(noise, 0.02, 3200.0 + 900.0 * noise.Next(), 1.6, 0.0008, 0.004);
        const double level = 0.55 + 0.45 * std::sin(kPi * u);
        for (double& v : tick) {
            v *= level;
        }
        Mix(s, tick, t, pan);
        t += gap * (1.0 + 0.25 * noise.Next());
        ++k;
    }
    // The soft rush of the cards meeting, under the ticks.
    std::vector<double> bed = Snap(noise, 0.9, 1800.0, 0.6, 0.3, 0.35);
    for (double& v : bed) {
        v *= 0.25;
    }
    Mix(s, bed, 0.05, 0.0);
    // Two knocks: the deck squared.
    for (const auto& [at, pitch] : {std::pair{1.08, 120.0}, std::pair{1.2, 130.0}}) {
        std::vector<double> knock = Thump(0.08, pitch, 0.014);
        for (double& v : knock) {
            v *= 0.4;
        }
        Mix(s, knock, at, 0.0);
    }
    Finish(s, 0.65);
    return s;
}

double NoteFrequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A struck bell: inharmonic partials dying away at their own rates.
std::vector<double> Bell(double frequency, double seconds) {
    static constexpr double kRatios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    static constexpr double kLevels[] = {1.0, 0.45, 0.35, 0.18, 0.12};
    static constexpr double kDecays[] = {0.9, 0.5, 0.35, 0.2, 0.12};
    std::vector<double> out(Frames(seconds));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0.0;
        for (int p = 0; p < 5; ++p) {
            if (frequency * kRatios[p] < kRate / 2.2) {
                v +=
                    kLevels[p] * std::sin(2.0 * kPi * frequency * kRatios[p] * t) * std::exp(-t / kDecays[p]);
            }
        }
        out[i] = v * std::min(1.0, t / 0.002);
    }
    return out;
}

StereoSound Chime() {
    StereoSound s = Silence(1.6);
    const int notes[] = {72, 76, 79, 84};  // C E G C, rising
    for (int k = 0; k < 4; ++k) {
        Mix(s, Bell(NoteFrequency(notes[k]), 1.6 - 0.11 * k), 0.11 * k, -0.4 + 0.27 * k);
    }
    Finish(s, 0.6);
    return s;
}

// A brass-like note: harmonics falling off as 1/n, a quick swell and a little vibrato.
std::vector<double> Brass(double frequency, double seconds, double vibrato) {
    std::vector<double> out(Frames(seconds));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = frequency * (1.0 + vibrato * std::sin(2.0 * kPi * 5.5 * t) * std::min(1.0, t / 0.3));
        phase += 2.0 * kPi * f / kRate;
        const double bright = 0.35 + 0.65 * std::min(1.0, t / 0.05);
        double v = 0.0;
        for (int n = 1; n <= 8; ++n) {
            if (frequency * n < kRate / 2.2) {
                v += std::sin(phase * n) / n * std::pow(bright, n - 1);
            }
        }
        const double attack = std::min(1.0, t / 0.025);
        const double release = std::min(1.0, (seconds - t) / 0.06);
        out[i] = v * attack * std::max(0.0, release);
    }
    return out;
}

StereoSound Fanfare() {
    StereoSound s = Silence(2.2);
    // G4 C5 E5 G5 ... then a held C major chord.
    struct Note {
        int midi;
        double start;
        double length;
    };
    const Note melody[] = {{67, 0.00, 0.14}, {72, 0.15, 0.14}, {76, 0.30, 0.14},
                           {79, 0.45, 0.30}, {76, 0.78, 0.13}, {79, 0.92, 1.20}};
    for (const Note& n : melody) {
        Mix(s, Brass(NoteFrequency(n.midi), n.length, 0.006), n.start, 0.15);
    }
    const int chord[] = {60, 64, 67};
    for (int k = 0; k < 3; ++k) {
        std::vector<double> tone = Brass(NoteFrequency(chord[k]), 1.2, 0.004);
        for (double& v : tone) {
            v *= 0.45;
        }
        Mix(s, tone, 0.92, -0.3 + 0.3 * k);
    }
    Finish(s, 0.7);
    return s;
}

// A soft, hollow tone for the lost match: odd harmonics only, gently fading.
std::vector<double> Mellow(double frequency, double seconds, double vibrato) {
    std::vector<double> out(Frames(seconds));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = frequency * (1.0 + vibrato * std::sin(2.0 * kPi * 4.5 * t) * std::min(1.0, t / 0.4));
        phase += 2.0 * kPi * f / kRate;
        const double v = std::sin(phase) + 0.3 * std::sin(3.0 * phase) + 0.12 * std::sin(5.0 * phase);
        const double attack = std::min(1.0, t / 0.04);
        const double release = std::min(1.0, (seconds - t) / 0.12);
        out[i] = v * attack * std::max(0.0, release);
    }
    return out;
}

StereoSound LossCadence() {
    StereoSound s = Silence(2.3);
    // Falling by half steps, the last note long and wavering.
    const int notes[] = {67, 66, 65, 64};
    const double starts[] = {0.0, 0.36, 0.72, 1.08};
    const double lengths[] = {0.34, 0.34, 0.34, 1.2};
    for (int k = 0; k < 4; ++k) {
        Mix(s, Mellow(NoteFrequency(notes[k]), lengths[k], k == 3 ? 0.012 : 0.0), starts[k], 0.0);
        std::vector<double> low = Mellow(NoteFrequency(notes[k] - 12), lengths[k], 0.0);
        for (double& v : low) {
            v *= 0.35;
        }
        Mix(s, low, starts[k], 0.0);
    }
    Finish(s, 0.6);
    return s;
}

// Two soft plucks rising a fourth, short and centred: distinct from every card sound and the chime,
// and over before a voice starts.
StereoSound TurnCue() {
    StereoSound s = Silence(0.32);
    std::vector<double> low(Frames(0.2));
    std::vector<double> high(Frames(0.22));
    for (size_t i = 0; i < high.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.06);
        const auto pluck = [&](double f) {
            return (std::sin(2.0 * kPi * f * t) + 0.3 * std::sin(4.0 * kPi * f * t)) * env;
        };
        if (i < low.size()) {
            low[i] = pluck(NoteFrequency(76));
        }
        high[i] = pluck(NoteFrequency(81));
    }
    Mix(s, low, 0.0, 0.0);
    Mix(s, high, 0.09, 0.0);
    Finish(s, 0.5);
    return s;
}

}  // namespace

NamedSound SynthesiseTurnCue() {
    return {"YOUR_TURN.WAV", TurnCue()};
}

std::vector<NamedSound> SynthesiseSounds() {
    std::vector<NamedSound> sounds;
    sounds.push_back({"CARD_FLIP.WAV", CardFlip(0xF11u, 2600.0, 0.09, -0.1)});
    sounds.push_back({"CARD_FLIP2.WAV", CardFlip(0xF12u, 3300.0, 0.08, 0.1)});
    sounds.push_back({"CARD_FLIP3.WAV", CardFlip(0xF13u, 2100.0, 0.11, 0.0)});
    sounds.push_back({"SIGN1.WAV", Sweep(0x5161u, 0.30, 700.0, 2800.0, -0.5, 0.5)});
    sounds.push_back({"SIGN2.WAV", Sweep(0x5162u, 0.36, 550.0, 2400.0, 0.5, -0.5)});
    sounds.push_back({"SIGN3.WAV", Sweep(0x5163u, 0.26, 900.0, 3400.0, -0.2, 0.3)});
    sounds.push_back({"SHUFFLE.WAV", Shuffle()});
    sounds.push_back({"INTRO.WAV", Chime()});
    sounds.push_back({"WIN_GAME.WAV", Fanfare()});
    sounds.push_back({"LOSE_GAME.WAV", LossCadence()});
    return sounds;
}

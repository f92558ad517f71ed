#pragma once

#include <string>
#include <vector>

#include "wav_writer.h"

// The ten effects of the game, each under the file name the game loads it by.
struct NamedSound {
    std::string fileName;  // e.g. "CARD_FLIP.WAV"
    StereoSound sound;
};

// Synthesises every effect: three card flips, three sweeps of cards onto a pile, the shuffle, the
// chime at the end of a contract, the fanfare of a won match and the falling cadence of a lost one.
// Deterministic: every noise comes from a fixed seed.
std::vector<NamedSound> SynthesiseSounds();

// The cue of spoken play that says "your turn" without words; it goes into the second archive.
NamedSound SynthesiseTurnCue();

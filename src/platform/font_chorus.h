// Which of a SoundFont's General MIDI presets send anything to the synthesiser's chorus, so the
// chorus can rest while a track plays only presets that leave it silent.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/audio.h"

namespace platform {

// The chorus's echo of the last note sent to it fades to exact silence within 2.4 s. It runs
// twice that long into a track that sends it nothing, then rests.
constexpr int CHORUS_FADE_SECONDS = 5;

// Presets of the melodic bank (0) and the drum bank (128), as bits by program like TrackPrograms.
struct FontChorus {
    bool read = false;  // false: nothing is known, every track may send to the chorus
    uint64_t present[2][2] = {};  // [bank: 0 melodic, 1 drums][program / 64]
    uint64_t sends[2][2] = {};  // a zone sets a chorus send, or a modulator could raise it with the chorus depth at zero
};

// Reads the presets from the body of a SoundFont's "pdta" list. False with `fault` set when its
// chunks are missing, cut short or point outside their tables.
bool read_font_chorus(const uint8_t* pdta, size_t size, FontChorus* font, const char** fault);
// Finds the "pdta" list in the SoundFont file, skipping its samples, and reads it as above.
bool load_font_chorus(const char* path, FontChorus* font, const char** fault);

// Whether the track could send anything to the chorus with this font: true unless every
// program it plays is known and silent there. Channel 10 plays from the drum bank.
bool track_sends_chorus(const FontChorus& font, const TrackPrograms& track);

}  // namespace platform

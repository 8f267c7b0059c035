// Tests of the generated sound and music files: made the same on every run, in the formats
// the game expects, and the tracks arranged for General MIDI with drums on channel 10.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/midi_file.h"
#include "audio/sound_ids.h"
#include "game/game.h"
#include "test_files.h"

namespace {

std::string data_file(const std::string& name) { return read_text(data_path(name)); }

// The `n` bytes at `at` as a number, lowest first or highest first.
uint32_t number_at(const std::string& s, size_t at, int n, bool big_end = false) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v |= uint32_t{static_cast<uint8_t>(s[at + i])} << 8 * (big_end ? n - 1 - i : i);
    return v;
}
uint32_t le32(const std::string& s, size_t at) { return number_at(s, at, 4); }
uint32_t le16(const std::string& s, size_t at) { return number_at(s, at, 2); }
uint32_t be32(const std::string& s, size_t at) { return number_at(s, at, 4, true); }

TEST(AudioAssets, SoundsAre8BitMonoPcmAt11025HzAndLastATenthOfASecondToTwoSeconds) {
    for (const SoundFile& sound : SOUND_FILES) {
        const std::string name = sound.name;
        const std::string wav = data_file(name);
        ASSERT_GE(wav.size(), 44u) << name;
        EXPECT_EQ(wav.substr(0, 4), "RIFF") << name;
        EXPECT_EQ(le32(wav, 4), wav.size() - 8) << name;
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ") << name;
        EXPECT_EQ(le16(wav, 20), 1u) << name << ": PCM";
        EXPECT_EQ(le16(wav, 22), 1u) << name << ": mono";
        EXPECT_EQ(le32(wav, 24), 11025u) << name;
        EXPECT_EQ(le16(wav, 34), 8u) << name << ": bits";
        EXPECT_EQ(wav.substr(36, 4), "data") << name;
        // Long enough to be heard, short enough not to drag.
        EXPECT_GT(le32(wav, 40), 1100u) << name;
        EXPECT_LT(le32(wav, 40), 2u * 11025) << name;
        // Not silence: the samples swing well away from the 8-bit midpoint.
        int lowest = 255, highest = 0;
        for (size_t i = 44; i < wav.size(); ++i) {
            lowest = std::min(lowest, static_cast<int>(static_cast<uint8_t>(wav[i])));
            highest = std::max(highest, static_cast<int>(static_cast<uint8_t>(wav[i])));
        }
        EXPECT_GT(highest - lowest, 120) << name;
    }
}

// Counts note-ons per channel and program changes per channel over every track of a file,
// and notes the tick of the last note event and of the last track's end.
struct ChannelUse {
    int notes[16] = {};
    bool program[16] = {};
    uint32_t last_note_tick = 0, end_tick = 0;
};

bool read_var(const std::string& s, size_t& p, size_t end, uint32_t& v) {
    v = 0;
    for (int i = 0; i < 4 && p < end; ++i) {
        const uint8_t b = static_cast<uint8_t>(s[p++]);
        v = v << 7 | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

bool scan_midi(const std::string& s, ChannelUse& use) {
    if (s.size() < 14 || s.substr(0, 4) != "MThd") return false;
    size_t pos = 8 + be32(s, 4);
    while (pos + 8 <= s.size()) {
        const size_t end = pos + 8 + be32(s, pos + 4);
        if (end > s.size()) return false;
        size_t p = pos + 8;
        uint8_t running = 0;
        uint32_t tick = 0;
        while (p < end) {
            uint32_t delta, length;
            if (!read_var(s, p, end, delta) || p >= end) return false;
            tick += delta;
            use.end_tick = std::max(use.end_tick, tick);
            uint8_t status = static_cast<uint8_t>(s[p]);
            if (status & 0x80) ++p; else status = running;
            if (status == 0xFF) {
                ++p;
                if (!read_var(s, p, end, length)) return false;
                p += length;
            } else if (status == 0xF0 || status == 0xF7) {
                if (!read_var(s, p, end, length)) return false;
                p += length;
            } else {
                running = status;
                const int kind = status & 0xF0, channel = status & 0x0F;
                if (kind == 0x90 && p + 1 < end && s[p + 1] != 0) ++use.notes[channel];
                if (kind == 0x80 || kind == 0x90) use.last_note_tick = std::max(use.last_note_tick, tick);
                if (kind == 0xC0) use.program[channel] = true;
                p += kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            }
        }
        pos = end;
    }
    return true;
}

// Every track is arranged for General MIDI: drums on channel 10, and every other channel that
// plays chooses its instrument first. The game starts a level track again the moment it ends, so
// the music must run up to the file's end: a quiet beat there would be heard as a gap at every
// loop. The level themes last a minute and the title's half one; the level-complete call plays
// while the closing lines are read.
TEST(AudioAssets, TracksAreArrangedForGeneralMidiAndLastAsLongAsTheyPlay) {
    for (const MusicFile& track : MUSIC_FILES) {
        const std::string name = track.name;
        const std::string bytes = data_file(name);
        ChannelUse use;
        ASSERT_TRUE(scan_midi(bytes, use)) << name;
        EXPECT_GT(use.notes[9], 0) << name << ": no drums on channel 10";
        int melodic = 0;
        for (int ch = 0; ch < 16; ++ch) {
            if (ch == 9 || use.notes[ch] == 0) continue;
            ++melodic;
            EXPECT_TRUE(use.program[ch]) << name << ": channel " << ch + 1 << " plays without choosing an instrument";
        }
        // A tune, a bass and harmony at the least.
        EXPECT_GE(melodic, 3) << name;

        uint32_t ms = 0;
        const char* fault = nullptr;
        ASSERT_TRUE(midi_duration_ms(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &ms, &fault)) << name;
        const bool level = name.rfind("level", 0) == 0 && name != "levelComplete.MID";
        EXPECT_GE(ms, level ? 60000u : name == "intro.MID" ? 30000u : 2000u) << name;
        EXPECT_LE(ms, name == "levelComplete.MID" ? 10000u : UINT32_MAX) << name;
        // At most an eighth of a beat of silence at a level track's end.
        EXPECT_LE(use.end_tick - use.last_note_tick, level ? (be32(bytes, 10) & 0xFFFF) / 8 : UINT32_MAX) << name;
    }
}

}  // namespace

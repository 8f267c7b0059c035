// The game's sound files and tables: WAV reading and refusals, the sound and music tables on the
// headless platform, and the generated sounds and tracks.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "audio/audio_report.h"
#include "audio/midi_file.h"
#include "audio/music.h"
#include "audio/play_counts.h"
#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "game/game.h"
#include "made_files.h"
#include "platform/platform.h"
#include "test_files.h"

namespace {


Bytes samples(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(128 + ((i / 8) % 2 ? 40 : -40));
    return b;
}

// A WAV file of a format chunk with the given body and a data chunk.
Bytes pcm_file(const Bytes& format, const Bytes& data) { return wav_file({chunk("fmt ", format), chunk("data", data)}); }

const Bytes MONO_8BIT = wav_format(1, 1, 11025, 8);

// The sound and music tables on the headless platform, whose virtual clock tracks "play" by.
class AudioTables : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Config config;
        config.backend = platform::Backend::Headless;
        ASSERT_TRUE(platform::init(config));
        sound_init();
        music_init();
        reset_play_counts();
    }
    void TearDown() override {
        sound_shutdown();
        music_shutdown();
        platform::shutdown();
    }

    // Writes the file and loads it as a sound, keeping what the loader said on stderr.
    int load(const std::string& name, const Bytes& bytes) {
        write_bytes(dir.file(name), bytes);
        ::testing::internal::CaptureStderr();
        const int id = load_wav(dir.file(name).c_str(), SOUND_CREATE_CONTROLS);
        errors = ::testing::internal::GetCapturedStderr();
        return id;
    }
    int load_music(const std::string& name, const Bytes& bytes) {
        write_bytes(dir.file(name), bytes);
        return load_midi(dir.file(name).c_str());
    }

    TempDir dir;
    std::string errors;
};
using SoundTable = AudioTables;
using MusicTable = AudioTables;
TEST_F(SoundTable, KeepsTheFormatTheFileDeclaresCountsPlaysRefusesDamagedFilesAndAFullTableRefusesAtOnce) {
    const Bytes list = chunk("LIST", Bytes{'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 3, 0, 0, 0, 'a', 'b', 0});
    ASSERT_EQ(load("list_first.wav", wav_file({list, chunk("fmt ", MONO_8BIT), chunk("data", samples(300))})), 0) << errors;
    EXPECT_EQ(sound_slot(0)->state, SOUND_STATE_LOADED);
    EXPECT_EQ(sound_slot(0)->rate, 11025);
    EXPECT_EQ(sound_slot(0)->size, 300);
    ASSERT_EQ(load("stereo16.wav", pcm_file(wav_format(1, 2, 22050, 16), samples(4000))), 1) << errors;
    EXPECT_EQ(sound_slot(1)->channels, 2);
    EXPECT_EQ(sound_slot(1)->bits, 16);
    EXPECT_EQ(sound_slot(1)->rate, 22050);

    // Playing counts loaded sounds and ignores empty ids.
    for (int played : {0, 0, -1, 200, SOUND_MAX}) EXPECT_EQ(play_sound(played, 0), 1) << played;
    const std::string report = audio_state_json();
    EXPECT_NE(report.find("\"sounds\": {\"list_first.wav\": 2}"), std::string::npos) << report;
    reset_play_counts();
    EXPECT_NE(audio_state_json().find("\"sounds\": {}"), std::string::npos);

    // Each is refused with one line naming the file (and the fault, where one is given), and takes no slot.
    delete_all_sounds();  // the table empty again
    Bytes short_format = MONO_8BIT;
    short_format.resize(14);
    // A file cut short in the middle of its samples is the fault of a data chunk running past the end.
    Bytes cut = pcm_file(MONO_8BIT, samples(200));
    cut.resize(cut.size() - 100);
    Bytes huge_riff = pcm_file(MONO_8BIT, samples(100));
    huge_riff[7] = 0x7F;
    const struct {
        const char* name;
        Bytes bytes;
        const char* fault;
    } cases[] = {
        {"adpcm.wav", pcm_file(wav_format(2, 1, 11025, 8), samples(100)), "PCM"},
        {"truncated.wav", wav_file({chunk("fmt ", MONO_8BIT), chunk("data", samples(200), 5000)}), "data chunk runs past the end"},
        {"cut.wav", cut, ""},
        {"short_fmt.wav", pcm_file(short_format, samples(100)), "shorter than 16"},
        {"no_channels.wav", pcm_file(wav_format(1, 0, 11025, 8), samples(100)), ""},
        {"no_rate.wav", pcm_file(wav_format(1, 1, 0, 8), samples(100)), ""},
        {"empty.wav", pcm_file(MONO_8BIT, {}), ""},
        {"huge_riff.wav", huge_riff, ""},
        {"not_riff.wav", Bytes{'h', 'e', 'l', 'l', 'o'}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.name, c.bytes), -1) << c.name;
        EXPECT_NE(errors.find(c.name), std::string::npos) << errors;
        EXPECT_NE(errors.find(c.fault), std::string::npos) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_EQ(sound_slot(0)->state, SOUND_STATE_FREE) << c.name;
    }

    // A missing file names itself; a full table refuses before opening the file.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load_wav(dir.file("absent.WAV").c_str(), 0), -1);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("absent.WAV"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);

    write_bytes(dir.file("tick.wav"), pcm_file(MONO_8BIT, samples(64)));
    for (int i = 0; i < SOUND_MAX; ++i) ASSERT_EQ(load_wav(dir.file("tick.wav").c_str(), 0), i);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load_wav(dir.file("absent.wav").c_str(), 0), -1);
    said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("full"), std::string::npos) << said;
    // Deleting one sound frees its slot, and the lowest free slot is taken next.
    delete_sound(17);
    EXPECT_EQ(load_wav(dir.file("tick.wav").c_str(), 0), 17);
}

TEST_F(MusicTable, OnlyTheTrackStartedLastSoundsDamagedFilesAreRefusedAndAHeadlessTrackEndsAfterItsLength) {
    const int intro = load_music("intro.mid", one_note_midi(500000, 40));
    const int level = load_music("level.mid", one_note_midi(500000, 40));
    const int fanfare = load_music("fanfare.mid", one_note_midi(500000, 40));
    ASSERT_EQ(intro, 0);
    ASSERT_EQ(level, 1);
    ASSERT_EQ(play_midi(intro), 1);
    EXPECT_EQ(stop_midi(-1), 0);
    EXPECT_EQ(midi_status(-1), 0);
    for (int id : {-1, MUSIC_MAX, 5}) EXPECT_EQ(play_midi(id), 0) << id;  // 5 is a free slot
    // The states of the three tracks, in order.
    const auto states = [&] { return std::array{midi_status(intro), midi_status(level), midi_status(fanfare)}; };
    // None of that touched the track that is playing.
    EXPECT_EQ(current_midi_track(), intro);
    EXPECT_EQ(states(), (std::array{MIDI_STATE_PLAYING, MIDI_STATE_STOPPED, MIDI_STATE_STOPPED}));
    // Starting a track stops the one before.
    play_midi(level);
    EXPECT_EQ(states(), (std::array{MIDI_STATE_STOPPED, MIDI_STATE_PLAYING, MIDI_STATE_STOPPED}));
    EXPECT_EQ(current_midi_track(), level);
    // The game stops the title track in every playing frame; that clears current_track
    // but leaves the level track sounding.
    EXPECT_EQ(stop_midi(intro), 1);
    EXPECT_EQ(current_midi_track(), -1);
    EXPECT_EQ(states(), (std::array{MIDI_STATE_STOPPED, MIDI_STATE_PLAYING, MIDI_STATE_STOPPED}));
    EXPECT_NE(audio_state_json().find("\"current\": \"level.mid\""), std::string::npos);
    // A new track replaces it even though it was no longer current.
    play_midi(fanfare);
    EXPECT_EQ(states(), (std::array{MIDI_STATE_STOPPED, MIDI_STATE_STOPPED, MIDI_STATE_PLAYING}));
    delete_all_midi();
    EXPECT_EQ(states(), (std::array{0, 0, 0})) << "no track left";
    EXPECT_EQ(current_midi_track(), -1);

    // Damaged files are refused; a headless track ends after its length, and replaying starts it over.
    reset_play_counts();
    Bytes cut = one_note_midi(500000, 4);
    cut.resize(cut.size() - 5);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load_music("cut.mid", cut), -1);
    EXPECT_EQ(load_music("text.mid", Bytes{'h', 'e', 'l', 'l', 'o'}), -1);
    EXPECT_EQ(load_midi(dir.file("absent.MID").c_str()), -1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cut.mid"), std::string::npos) << said;
    EXPECT_NE(said.find("absent.MID"), std::string::npos) << said;
    EXPECT_EQ(music_slot(0)->state, MIDI_STATE_FREE);

    // 4 beats at 120 a minute: two seconds.
    const int id = load_music("two_seconds.mid", one_note_midi(500000, 4));
    ASSERT_EQ(music_slot(id)->length_ms, 2000u);
    EXPECT_EQ(midi_status(id), MIDI_STATE_STOPPED);  // loaded, never played: not playing
    play_midi(id);
    platform::sleep_ms(1500);
    EXPECT_EQ(midi_status(id), MIDI_STATE_PLAYING);
    // Playing the current track again starts it from the beginning.
    EXPECT_EQ(play_midi(id), 1);
    EXPECT_EQ(current_midi_track(), id);
    platform::sleep_ms(1500);
    EXPECT_EQ(midi_status(id), MIDI_STATE_PLAYING);
    platform::sleep_ms(600);
    EXPECT_EQ(midi_status(id), MIDI_STATE_STOPPED);
    const std::string report = audio_state_json();
    EXPECT_NE(report.find("\"current\": null"), std::string::npos) << report;
    EXPECT_NE(report.find("\"plays\": {\"two_seconds.mid\": 2}"), std::string::npos) << report;
    // The length follows the file's tempo: 8 beats at 60 a minute.
    EXPECT_EQ(music_slot(load_music("slow.mid", one_note_midi(1000000, 8)))->length_ms, 8000u);
}

// The `n` bytes at `at` as a number, lowest first or highest first.
uint32_t number_at(const std::string& s, size_t at, int n, bool big_end = false) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v |= uint32_t{static_cast<uint8_t>(s[at + i])} << 8 * (big_end ? n - 1 - i : i);
    return v;
}
uint32_t le32(const std::string& s, size_t at) { return number_at(s, at, 4); }
uint32_t be32(const std::string& s, size_t at) { return number_at(s, at, 4, true); }

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

// Sounds are 8-bit mono PCM at 11025 Hz and last a tenth of a second to two seconds.
TEST(AudioAssets, SoundsAndTracksAreMadeInTheFormatsTheGamePlaysAndTracksArrangedForGeneralMidi) {
    for (const SoundFile& sound : SOUND_FILES) {
        const std::string name = sound.name;
        const std::string wav = read_text(data_path(name));
        ASSERT_GE(wav.size(), 44u) << name;
        EXPECT_EQ(wav.substr(0, 4), "RIFF") << name;
        EXPECT_EQ(le32(wav, 4), wav.size() - 8) << name;
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ") << name;
        for (auto [at, bytes, value, what] : {std::tuple{20, 2, 1u, "PCM"}, {22, 2, 1u, "mono"}, {24, 4, 11025u, "rate"}, {34, 2, 8u, "bits"}})
            EXPECT_EQ(number_at(wav, at, bytes), value) << name << ": " << what;
        EXPECT_EQ(wav.substr(36, 4), "data") << name;
        // Long enough to be heard, short enough not to drag.
        EXPECT_GT(le32(wav, 40), 1100u) << name;
        EXPECT_LT(le32(wav, 40), 2u * 11025) << name;
        // Not silence: the samples swing well away from the 8-bit midpoint.
        const Bytes pcm(wav.begin() + 44, wav.end());
        const auto [lowest, highest] = std::minmax_element(pcm.begin(), pcm.end());
        EXPECT_GT(*highest - *lowest, 120) << name;
    }

    // Every track is arranged for General MIDI: drums on channel 10, and every other channel that
    // plays chooses its instrument first. The game starts a level track again the moment it ends,
    // so the music must run up to the file's end: a quiet beat there would be heard as a gap at
    // every loop. The level themes last a minute and the title's half one; the level-complete call
    // plays while the closing lines are read.
    for (const MusicFile& track : MUSIC_FILES) {
        const std::string name = track.name;
        const std::string bytes = read_text(data_path(name));
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

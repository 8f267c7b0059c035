// The sound and music tables without a sound device: the WAV reader, MIDI lengths, bookkeeping.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/audio_report.h"
#include "audio/music.h"
#include "audio/play_counts.h"
#include "audio/sound.h"
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

class SoundTable : public ::testing::Test {
protected:
    void SetUp() override {
        sound_init();
        reset_play_counts();
    }
    void TearDown() override { sound_shutdown(); }

    // Writes the file and loads it, keeping what the loader said on stderr.
    int load(const std::string& name, const Bytes& bytes) {
        write_bytes(dir.file(name), bytes);
        ::testing::internal::CaptureStderr();
        const int id = load_wav(dir.file(name).c_str(), SOUND_CREATE_CONTROLS);
        errors = ::testing::internal::GetCapturedStderr();
        return id;
    }

    TempDir dir;
    std::string errors;
};

TEST_F(SoundTable, KeepsTheFormatTheFileDeclaresFindsItBehindAListChunkAndCountsPlays) {
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
}

// Each is refused with one line naming the file (and the fault, where one is given), and takes no slot.
TEST_F(SoundTable, RefusesCompressedDamagedAndSenselessFiles) {
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
}

TEST_F(SoundTable, AMissingFileNamesItselfAndAFullTableRefusesBeforeOpeningTheFile) {
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

class MusicTable : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Config config;
        config.backend = platform::Backend::Headless;
        ASSERT_TRUE(platform::init(config));
        music_init();
        reset_play_counts();
    }
    void TearDown() override {
        music_shutdown();
        platform::shutdown();
    }
    int load(const std::string& name, const Bytes& bytes) {
        write_bytes(dir.file(name), bytes);
        return load_midi(dir.file(name).c_str());
    }

    TempDir dir;
};

TEST_F(MusicTable, OnlyTheTrackStartedLastSoundsAndIdsOfNoTrackDoNothing) {
    const int intro = load("intro.mid", one_note_midi(500000, 40));
    const int level = load("level.mid", one_note_midi(500000, 40));
    const int fanfare = load("fanfare.mid", one_note_midi(500000, 40));
    ASSERT_EQ(intro, 0);
    ASSERT_EQ(level, 1);
    ASSERT_EQ(play_midi(intro), 1);
    EXPECT_EQ(stop_midi(-1), 0);
    EXPECT_EQ(midi_status(-1), 0);
    for (int id : {-1, MUSIC_MAX, 5}) EXPECT_EQ(play_midi(id), 0) << id;  // 5 is a free slot
    // None of that touched the track that is playing.
    EXPECT_EQ(current_midi_track(), intro);
    EXPECT_EQ(midi_status(intro), MIDI_STATE_PLAYING);
    // Starting a track stops the one before.
    play_midi(level);
    EXPECT_EQ(midi_status(intro), MIDI_STATE_STOPPED);
    EXPECT_EQ(midi_status(level), MIDI_STATE_PLAYING);
    EXPECT_EQ(current_midi_track(), level);
    // The game stops the title track in every playing frame; that clears current_track
    // but leaves the level track sounding.
    EXPECT_EQ(stop_midi(intro), 1);
    EXPECT_EQ(current_midi_track(), -1);
    EXPECT_EQ(midi_status(intro), MIDI_STATE_STOPPED);
    EXPECT_EQ(midi_status(level), MIDI_STATE_PLAYING);
    EXPECT_NE(audio_state_json().find("\"current\": \"level.mid\""), std::string::npos);
    // A new track replaces it even though it was no longer current.
    play_midi(fanfare);
    EXPECT_EQ(midi_status(level), MIDI_STATE_STOPPED);
    EXPECT_EQ(midi_status(fanfare), MIDI_STATE_PLAYING);
    delete_all_midi();
    EXPECT_EQ(midi_status(fanfare), 0);
    EXPECT_EQ(current_midi_track(), -1);
}

TEST_F(MusicTable, DamagedFilesAreRefusedAndAHeadlessTrackEndsAfterItsLengthAndReplayingStartsItOver) {
    Bytes cut = one_note_midi(500000, 4);
    cut.resize(cut.size() - 5);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load("cut.mid", cut), -1);
    EXPECT_EQ(load("text.mid", Bytes{'h', 'e', 'l', 'l', 'o'}), -1);
    EXPECT_EQ(load_midi(dir.file("absent.MID").c_str()), -1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cut.mid"), std::string::npos) << said;
    EXPECT_NE(said.find("absent.MID"), std::string::npos) << said;
    EXPECT_EQ(music_slot(0)->state, MIDI_STATE_FREE);

    // 4 beats at 120 a minute: two seconds.
    const int id = load("two_seconds.mid", one_note_midi(500000, 4));
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
    EXPECT_EQ(music_slot(load("slow.mid", one_note_midi(1000000, 8)))->length_ms, 8000u);
}

}  // namespace

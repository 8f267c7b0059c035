// Tests of the music table's bookkeeping and of reading a MIDI file's length, without a sound
// device: tracks then "play" for their length on the headless virtual clock.
#include <gtest/gtest.h>

#include <string>

#include "audio/audio_report.h"
#include "audio/music.h"
#include "audio/play_counts.h"
#include "made_files.h"
#include "platform/platform.h"
#include "test_files.h"

namespace {

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

TEST_F(MusicTable, AHeadlessTrackEndsAfterItsLengthAndReplayingStartsItOver) {
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

TEST_F(MusicTable, RefusesDamagedFiles) {
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
}

}  // namespace

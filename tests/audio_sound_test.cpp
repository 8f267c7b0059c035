// Tests of the WAV reader and the sound table: odd chunk orders, damaged files, a full table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/audio_report.h"
#include "audio/play_counts.h"
#include "audio/sound.h"
#include "made_files.h"
#include "test_files.h"

namespace {

Bytes samples(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(128 + ((i / 8) % 2 ? 40 : -40));
    return b;
}

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

TEST_F(SoundTable, FindsTheFormatChunkBehindAListChunk) {
    const Bytes list = chunk("LIST", Bytes{'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 3, 0, 0, 0, 'a', 'b', 0});
    const int id = load("list_first.wav", wav_file({list, chunk("fmt ", wav_format(1, 1, 11025, 8)), chunk("data", samples(300))}));
    ASSERT_EQ(id, 0) << errors;
    EXPECT_EQ(sound_slot(id)->state, SOUND_STATE_LOADED);
    EXPECT_EQ(sound_slot(id)->rate, 11025);
    EXPECT_EQ(sound_slot(id)->size, 300);
}

TEST_F(SoundTable, KeepsTheFormatTheFileDeclares) {
    const int id = load("stereo16.wav", wav_file({chunk("fmt ", wav_format(1, 2, 22050, 16)), chunk("data", samples(4000))}));
    ASSERT_EQ(id, 0) << errors;
    EXPECT_EQ(sound_slot(id)->channels, 2);
    EXPECT_EQ(sound_slot(id)->bits, 16);
    EXPECT_EQ(sound_slot(id)->rate, 22050);
}

TEST_F(SoundTable, RefusesCompressedAudio) {
    EXPECT_EQ(load("adpcm.wav", wav_file({chunk("fmt ", wav_format(2, 1, 11025, 8)), chunk("data", samples(100))})), -1);
    EXPECT_NE(errors.find("adpcm.wav"), std::string::npos);
    EXPECT_NE(errors.find("PCM"), std::string::npos);
    EXPECT_EQ(sound_slot(0)->state, SOUND_STATE_FREE);
}

TEST_F(SoundTable, RefusesADataChunkRunningPastTheEnd) {
    Bytes file = wav_file({chunk("fmt ", wav_format(1, 1, 11025, 8)), chunk("data", samples(200), 5000)});
    EXPECT_EQ(load("truncated.wav", file), -1);
    EXPECT_NE(errors.find("data chunk runs past the end"), std::string::npos) << errors;
    // A file cut short in the middle of its samples is the same fault.
    file = wav_file({chunk("fmt ", wav_format(1, 1, 11025, 8)), chunk("data", samples(200))});
    file.resize(file.size() - 100);
    EXPECT_EQ(load("cut.wav", file), -1);
}

TEST_F(SoundTable, RefusesAShortFormatChunk) {
    Bytes short_format = wav_format(1, 1, 11025, 8);
    short_format.resize(14);
    EXPECT_EQ(load("short_fmt.wav", wav_file({chunk("fmt ", short_format), chunk("data", samples(100))})), -1);
    EXPECT_NE(errors.find("shorter than 16"), std::string::npos) << errors;
}

TEST_F(SoundTable, RefusesSizesThatMakeNoSense) {
    EXPECT_EQ(load("no_channels.wav", wav_file({chunk("fmt ", wav_format(1, 0, 11025, 8)), chunk("data", samples(100))})), -1);
    EXPECT_EQ(load("no_rate.wav", wav_file({chunk("fmt ", wav_format(1, 1, 0, 8)), chunk("data", samples(100))})), -1);
    EXPECT_EQ(load("empty.wav", wav_file({chunk("fmt ", wav_format(1, 1, 11025, 8)), chunk("data", {})})), -1);
    Bytes huge_riff = wav_file({chunk("fmt ", wav_format(1, 1, 11025, 8)), chunk("data", samples(100))});
    huge_riff[7] = 0x7F;
    EXPECT_EQ(load("huge_riff.wav", huge_riff), -1);
    EXPECT_EQ(load("not_riff.wav", Bytes{'h', 'e', 'l', 'l', 'o'}), -1);
    EXPECT_EQ(sound_slot(0)->state, SOUND_STATE_FREE);
}

TEST_F(SoundTable, AMissingFileNamesItself) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load_wav(dir.file("absent.WAV").c_str(), 0), -1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("absent.WAV"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

TEST_F(SoundTable, AFullTableRefusesBeforeOpeningTheFile) {
    write_bytes(dir.file("tick.wav"), wav_file({chunk("fmt ", wav_format(1, 1, 11025, 8)), chunk("data", samples(64))}));
    for (int i = 0; i < SOUND_MAX; ++i) ASSERT_EQ(load_wav(dir.file("tick.wav").c_str(), 0), i);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load_wav(dir.file("absent.wav").c_str(), 0), -1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("full"), std::string::npos) << said;
    // Deleting one sound frees its slot, and the lowest free slot is taken next.
    delete_sound(17);
    EXPECT_EQ(load_wav(dir.file("tick.wav").c_str(), 0), 17);
}

TEST_F(SoundTable, PlayingCountsLoadedSoundsAndIgnoresEmptyIds) {
    const int id = load("swish.wav", wav_file({chunk("fmt ", wav_format(1, 1, 11025, 8)), chunk("data", samples(64))}));
    ASSERT_EQ(id, 0);
    EXPECT_EQ(play_sound(id, 0), 1);
    EXPECT_EQ(play_sound(id, 0), 1);
    EXPECT_EQ(play_sound(-1, 0), 1);
    EXPECT_EQ(play_sound(200, 0), 1);
    EXPECT_EQ(play_sound(SOUND_MAX, 0), 1);
    const std::string report = audio_state_json();
    EXPECT_NE(report.find("\"sounds\": {\"swish.wav\": 2}"), std::string::npos) << report;
    reset_play_counts();
    EXPECT_NE(audio_state_json().find("\"sounds\": {}"), std::string::npos);
}

}  // namespace

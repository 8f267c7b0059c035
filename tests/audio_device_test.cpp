// Renders the game's sounds through a real mixer whose output goes to a file (SDL's "disk" audio
// driver): a sword swing is in it once, in the format its file declares; without a device the
// game plays silently.
#include <gtest/gtest.h>

#include "audio/music.h"
#include "audio/sound.h"
#include "disk_audio.h"
#include "made_files.h"

namespace {

TEST(AudioDevice, ASwordSwingReachesTheOutputOnceWhenPlayedTwiceInAFrame) {
    TempDir dir;
    const std::string output = dir.file("mixed.raw");
    ASSERT_TRUE(open_disk_audio(output));
    sound_init();
    const int sword = load_wav((std::string(QUILLMOOR_TEST_DATA_DIR) + "/useSword.WAV").c_str(), SOUND_CREATE_CONTROLS);
    ASSERT_EQ(sword, 0);
    ASSERT_GE(sound_slot(sword)->buffer, 0);
    wait_ms(150);
    const size_t sword_from = file_size(output);
    // Two plays in one frame: the second restarts the first, so the swing sounds once.
    play_sound(sword, 0);
    play_sound(sword, 0);
    wait_ms(600);
    const size_t sword_to = file_size(output);
    delete_all_sounds();
    platform::audio_close();

    const std::vector<int16_t> swing = read_frames_left(output, sword_from, sword_to);
    size_t loud = 0;
    for (int16_t v : swing)
        if (std::abs(v) > 400) ++loud;
    // The swish lasts 0.3 s; its loud middle must be there, and once only. It is mixed at
    // less than half its recorded level (a peak near 11000), so two plays on top of each
    // other would pass 16000.
    EXPECT_GT(loud, static_cast<size_t>(OUTPUT_RATE / 10)) << "no sword swing in the output";
    EXPECT_LT(loud, static_cast<size_t>(OUTPUT_RATE * 3 / 10));
    EXPECT_GT(peak(swing), 8000);
    EXPECT_LT(peak(swing), 16000) << "two plays in one frame were mixed on top of each other";
    // A mono effect is heard the same on both sides.
    const std::vector<int16_t> both = read_samples(output, sword_from, sword_to);
    for (size_t i = 0; i + 1 < both.size(); i += 2) ASSERT_EQ(both[i], both[i + 1]) << "sample frame " << i / 2;
}

// A machine without sound: the device does not open, yet the tables fill and play silently.
TEST(AudioDevice, WithoutADeviceTheGameRunsSilently) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    ::testing::internal::CaptureStderr();
    const bool opened = platform::audio_open(true);
    const std::string said = ::testing::internal::GetCapturedStderr();
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_FALSE(opened);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(sound_init(), 0);
    EXPECT_EQ(music_init(), 0);
    const std::string data = QUILLMOOR_TEST_DATA_DIR;
    EXPECT_EQ(load_midi((data + "/intro.MID").c_str()), 0);
    EXPECT_EQ(load_wav((data + "/item.WAV").c_str(), SOUND_CREATE_CONTROLS), 0);
    EXPECT_EQ(load_wav((data + "/openJail.WAV").c_str(), SOUND_CREATE_CONTROLS), 1);
    EXPECT_EQ(sound_slot(1)->buffer, -1);
    EXPECT_EQ(play_sound(1, 0), 1);
    EXPECT_EQ(play_midi(0), 1);
    delete_all_sounds();
    delete_all_midi();
    platform::audio_close();
}

// A 16-bit stereo file at 22050 Hz plays in its own format: its 0.4 s tone lasts 0.4 s in
// the output, not the 3.2 s it would last read as 8-bit mono at 11025 Hz.
TEST(AudioDevice, SoundsPlayInTheFormatTheirFileDeclares) {
    TempDir dir;
    const std::string output = dir.file("mixed.raw");
    const int frames = 22050 * 4 / 10;
    Bytes samples;
    for (int i = 0; i < frames; ++i)
        for (int channel = 0; channel < 2; ++channel)
            put_le(samples, static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(2 * 3.14159265 * 440 * i / 22050.0))), 2);
    const Bytes wav = wav_file({chunk("fmt ", wav_format(1, 2, 22050, 16)), chunk("data", samples)});
    write_bytes(dir.file("tone.wav"), wav);

    ASSERT_TRUE(open_disk_audio(output));
    sound_init();
    const int tone = load_wav(dir.file("tone.wav").c_str(), 0);
    ASSERT_EQ(tone, 0);
    ASSERT_GE(sound_slot(tone)->buffer, 0);
    const size_t from = file_size(output);
    play_sound(tone, 0);
    wait_ms(800);
    const size_t to = file_size(output);
    delete_all_sounds();
    platform::audio_close();

    size_t loud = 0;
    for (int16_t v : read_frames_left(output, from, to))
        if (std::abs(v) > 2000) ++loud;
    EXPECT_GT(loud, static_cast<size_t>(OUTPUT_RATE / 4));
    EXPECT_LT(loud, static_cast<size_t>(OUTPUT_RATE / 2));
}

}  // namespace

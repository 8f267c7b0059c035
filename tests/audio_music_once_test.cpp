// Music files are read once, at loading; the synthesiser is made from those bytes when played.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "audio/music.h"
#include "platform/audio.h"
#include "test_files.h"

TEST(AudioMusicOnce, TracksPlayFromTheBytesReadAtLoadingAndEachInTurn) {
    TempDir dir;
    const std::string data = QUILLMOOR_TEST_DATA_DIR;
    std::filesystem::copy_file(data + "/intro.MID", dir.file("a.MID"));
    std::filesystem::copy_file(data + "/level1.MID", dir.file("b.MID"));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", dir.file("mixed.raw").c_str(), 1);
    const bool opened = platform::audio_open(true);
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    ASSERT_TRUE(opened);
    music_init();
    const int a = load_midi(dir.file("a.MID").c_str());
    const int b = load_midi(dir.file("b.MID").c_str());
    // Gone from disk after loading: playing must not need the files again.
    std::filesystem::remove(dir.file("a.MID"));
    std::filesystem::remove(dir.file("b.MID"));
    ASSERT_EQ(play_midi(a), 1);
    EXPECT_TRUE(music_slot(a)->synthesised);
    EXPECT_TRUE(platform::music_track_is_playing(music_slot(a)->track));
    ASSERT_EQ(play_midi(b), 1);
    EXPECT_TRUE(music_slot(b)->synthesised);
    EXPECT_FALSE(platform::music_track_is_playing(music_slot(a)->track));
    EXPECT_TRUE(platform::music_track_is_playing(music_slot(b)->track));
    // Back to the first, whose synthesiser was given back meanwhile.
    ASSERT_EQ(play_midi(a), 1);
    EXPECT_TRUE(music_slot(a)->synthesised);
    EXPECT_TRUE(platform::music_track_is_playing(music_slot(a)->track));
    delete_all_midi();
    platform::audio_close();
}

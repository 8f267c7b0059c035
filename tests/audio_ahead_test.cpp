// Music rendered ahead on the game's thread is the music the device would have rendered itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/music.h"
#include "disk_audio.h"
#include "platform/audio.h"
#include "test_files.h"

namespace {

// Records about `ms` of the level-1 track through the disk driver, rendering ahead once every
// 30 ms (a frame) when asked; gives the samples from the track's first sound on.
std::vector<int16_t> record_level_track(const TempDir& dir, bool ahead, int ms) {
    const std::string out = dir.file(ahead ? "ahead.raw" : "direct.raw");
    if (!open_disk_audio(out)) return {};
    music_init();
    const int track = load_midi((std::string(QUILLMOOR_TEST_DATA_DIR) + "/level1.MID").c_str());
    // Started while the device waits, so the track's first sample opens a device buffer.
    platform::audio_pause(true);
    play_midi(track);
    if (ahead) platform::audio_render_ahead();
    platform::audio_pause(false);
    for (int waited = 0; waited < ms; waited += 30) {
        wait_ms(30);
        if (ahead) platform::audio_render_ahead();
    }
    delete_all_midi();
    platform::audio_close();
    std::vector<int16_t> samples = read_samples(out, 0, file_size(out));
    const auto sound = std::find_if(samples.begin(), samples.end(), [](int16_t v) { return v != 0; });
    const size_t first = static_cast<size_t>(sound - samples.begin()) & ~size_t{1};  // a whole frame
    samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(first));
    return samples;
}

TEST(AudioAhead, MusicRenderedAheadIsSampleForSampleTheMusicRenderedByTheDevice) {
    TempDir dir;
    const std::vector<int16_t> direct = record_level_track(dir, false, 1500);
    const std::vector<int16_t> ahead = record_level_track(dir, true, 1500);
    if (direct.empty() && ahead.empty()) GTEST_SKIP() << "no synthesiser here";
    // A second of music at least, whatever the machine's timing.
    const size_t common = std::min(direct.size(), ahead.size());
    ASSERT_GT(common, static_cast<size_t>(OUTPUT_RATE * 2));
    EXPECT_TRUE(std::equal(direct.begin(), direct.begin() + static_cast<std::ptrdiff_t>(common), ahead.begin()));
}

}  // namespace

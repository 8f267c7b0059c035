// Enhanced play's sound: no stings heard from far off the screen, and launches fading past its edge.
#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "actors/projectile.h"
#include "base/play_mode.h"
#include "world_fixture.h"

namespace {

class OffScreenSting : public LoadedWorld {
protected:
    void SetUp() override {
        LoadedWorld::SetUp();
        world.pools.wasp_count = POOL_SIZE;
        world.player.body.x = 40;
        world.player.body.y = 240;
        sound_ids.arrow = load_wav("arrow.WAV", SOUND_CREATE_CONTROLS);
    }
    void TearDown() override {
        delete_all_sounds();
        LoadedWorld::TearDown();
    }
    // Two wasps ready to sting: one on the screen, one 900 pixels right of it.
    int stings_heard() {
        place_stinging(world.pools.wasps[0], 300, 200, 3);
        place_stinging(world.pools.wasps[1], 1540, 200, 3);
        for (int frame = 0; frame < 45; ++frame) world.update_world();
        // Both have stung (the far one's stinger came down at once, off the screen).
        EXPECT_EQ(world.pools.wasps[0].sting_cooldown, 0);
        EXPECT_EQ(world.pools.wasps[1].sting_cooldown, 0);
        return plays("arrow.WAV");
    }
};

TEST_F(OffScreenSting, OnlyTheWaspOnTheScreenIsHeard) {
    play_mode = PlayMode::Enhanced;
    EXPECT_EQ(stings_heard(), 1);
}

TEST_F(OffScreenSting, ClassicHearsEveryWaspOnTheMap) { EXPECT_EQ(stings_heard(), 2); }

TEST(LaunchVolume, FullOnTheScreenFadingPastItsEdgeSilentFarOff) {
    Sprite wasp{};
    wasp.width = wasp.height = 32;
    auto at = [&](float x, float y) {
        wasp.x = x;
        wasp.y = y;
        return launch_volume(&wasp);
    };
    EXPECT_EQ(at(300, 200), 100);
    EXPECT_EQ(at(-20, 470), 100) << "partly on the screen";
    EXPECT_EQ(at(640 + 8, 200), 47) << "just past the right edge: half loud";
    EXPECT_EQ(at(100, -32 - 80), 25) << "halfway out above";
    EXPECT_EQ(at(640 + 160, 200), 0);
    EXPECT_EQ(at(100, 480 + 500), 0);
}

}  // namespace

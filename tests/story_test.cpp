// The story's triggers (encounters, completions, jail doors, defeats, the key) and its speech box: order, key delay, frozen world, wrapping, drawing.

#include "story_lines.h"
#include "test_files.h"
#include "world/text_wrap.h"

class Story : public LoadedWorld {
protected:
    void SetUp() override {
        LoadedWorld::SetUp();
        game.current_level = 1;
        world.loaded_level = 1;
        world.player.body.xv = world.player.body.yv = 4;
    }
    // The hero's world position, with the view where it is.
    static void hero_at_world(float x, float y) {
        put(world.player.body, x - static_cast<float>(world.scroll_x), y - static_cast<float>(world.scroll_y));
    }
    static std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (const SpeechLine* l = world.dialog_box.top; l; l = l->next)
            out.push_back(std::to_string(l->speaker) + ":" + l->text);
        return out;
    }
};

TEST_F(Story, ReachingTheCompletionZoneEndsTheLevelEvenBeforeTheBossIsBeatenAndTheNextLoadsAfterTheLinesButNotAfterTheLast) {
    MoleBoss& boss = world.pools.mole_boss;
    boss.alive = 1;
    boss.hit_points = 5;
    show_sprite(&boss.body);
    hero_at_world(1700, 400);
    if (const int done = world.check_story_triggers(game.current_level)) complete_level(done);
    EXPECT_EQ(game.current_level, 2);
    EXPECT_TRUE(boss.alive) << "nothing but the zone is looked at";
    EXPECT_FALSE(world.player.has_key);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l.front(), "0:Citizens of Curdwick, you have been saved.");
    EXPECT_EQ(l.back(), "5:Thank you Nibbs!");
    if (const int done = world.check_story_triggers(game.current_level)) complete_level(done);
    EXPECT_EQ(lines().size(), 4u) << "level 2's zones do not fire in level 1's place";

    // The playing frame loads level 2 once the lines are gone and shows the map.
    TempDir dir;
    std::filesystem::current_path(dir.path);
    world.dialog_box.speech_clear();
    game.game_state = GAME_STATE_PLAYING;
    world.player.sword.anim_state = 1;
    playing_frame();
    EXPECT_EQ(world.loaded_level, 2);
    EXPECT_EQ(game.game_state, GAME_STATE_LEVEL_MAP);
    EXPECT_TRUE(world.player.has_bow);

    // The last completion ends the story without loading.
    game.current_level = 3;
    world.loaded_level = 3;
    hero_at_world(4000, 1500);
    if (const int done = world.check_story_triggers(game.current_level)) complete_level(done);
    EXPECT_EQ(game.current_level, 4);
    EXPECT_EQ(lines().size(), 5u);
    EXPECT_EQ(lines().back(), "7:Nibbs Begins his Journey home.  Envinsioning an even better Curdwick.");
    world.dialog_box.speech_clear();
    game.game_state = GAME_STATE_PLAYING;
    playing_frame();
    EXPECT_EQ(world.loaded_level, 3);
    EXPECT_EQ(game.game_state, GAME_STATE_PLAYING);
}

TEST_F(Story, ALockedJailDoorCallsForTheKeyAndTheKeyOpensIt) {
    wall(5, 10, TILE_JAIL_DOOR);
    wall(6, 10, TILE_JAIL_DOOR);
    put(world.player.body, 288, 168);  // reaches into rows 5 and 6
    world.move_player(FACING_RIGHT, game.current_level);
    EXPECT_FLOAT_EQ(world.player.body.x, 288);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "5:Nibbs you must find the key.");
    EXPECT_EQ(tile_map[5][10], TILE_JAIL_DOOR);

    world.dialog_box.speech_clear();
    world.player.has_key = 1;
    world.move_player(FACING_RIGHT, game.current_level);
    EXPECT_FLOAT_EQ(world.player.body.x, 288) << "the step that opens the door is still undone";
    EXPECT_EQ(tile_map[5][10], TILE_OPENED_DOOR);
    EXPECT_EQ(tile_map[6][10], TILE_JAIL_DOOR) << "one cell per blocked step";
    EXPECT_TRUE(world.player.has_key) << "one key opens every door";
    EXPECT_TRUE(lines().empty());
}

TEST_F(Story, ADefeatedBossDropsTheKeyOnceAndTheKeyIsPickedUp) {
    MoleBoss& boss = world.pools.mole_boss;
    boss.alive = 1;
    boss.hit_points = 0;
    put(boss.body, 400, 100);
    show_sprite(&boss.body);
    EXPECT_FALSE(world.check_deaths());
    EXPECT_FALSE(boss.alive);
    EXPECT_FALSE(boss.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(stands_at(world.key_sprite, 432, 132));
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(lines()[1], "2:Noooooooooo.");
    world.key_sprite.x = 0;
    world.check_deaths();
    EXPECT_FLOAT_EQ(world.key_sprite.x, 0) << "a boss is defeated once";
    EXPECT_EQ(lines().size(), 2u);

    world.dialog_box.speech_clear();
    view_at(100, 200);
    put(world.key_sprite, 300, 300);
    put(world.player.body, 300, 300);
    world.update_world();
    EXPECT_TRUE(world.player.has_key);
    EXPECT_FALSE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.key_sprite.x + world.scroll_x, -64) << "parked out of reach in the world";
    EXPECT_FLOAT_EQ(world.key_sprite.y + world.scroll_y, -64);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0], "0:This must be the key that will free my people.");
}

TEST_F(Story, TheFirstBossIsMetOncePerLevelStartAndEveryZoneFiresOnlyStrictlyInsideItsBoundsAndOnlyInItsLevel) {
    view_at(2000, 1700);
    hero_at_world(2135, 1786);
    if (const int done = world.check_story_triggers(game.current_level)) complete_level(done);
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(lines()[0], "0:Let my people go and leave this place never to return, and I shall spare your life.");
    world.dialog_box.speech_clear();
    if (const int done = world.check_story_triggers(game.current_level)) complete_level(done);
    EXPECT_TRUE(lines().empty()) << "only once";

    const float OPEN = MAP_COLUMNS * 32;  // a side left open lies past the map
    for (int i = 0; i < 6; ++i) {
        const int level = i % 3 + 1;
        const bool completion = i >= 3;
        const StoryZone& z = completion ? completion_zone(level) : boss_zone(level);
        const float mid_x = z.x_max > OPEN ? z.x_min + 100 : (z.x_min + z.x_max) / 2;
        const float mid_y = z.y_max > OPEN ? z.y_min + 100 : (z.y_min + z.y_max) / 2;
        // Whether the trigger fires for a hero at world (x, y) in `in_level`.
        auto fires = [&](float x, float y, int in_level) {
            world.dialog_box.speech_clear();
            world.boss_taunt_shown = 0;
            game.current_level = in_level;
            view_at(static_cast<int32_t>(x) / 4 * 4 - 300, static_cast<int32_t>(y) / 4 * 4 - 200);
            hero_at_world(x, y);
            if (const int done = world.check_story_triggers(game.current_level)) complete_level(done);
            const bool moved_on = game.current_level == in_level + 1;
            EXPECT_EQ(moved_on, completion && !world.dialog_box.speech_is_idle()) << "only completions move on";
            return !world.dialog_box.speech_is_idle();
        };
        const std::string where = "zone of level " + std::to_string(level) + (completion ? " completion" : " boss");
        EXPECT_TRUE(fires(mid_x, mid_y, level)) << where;
        // (Level 1's open encounter zone takes in level 3's, so that one is tried in level 2.)
        const int other_level = level == 3 && !completion ? 2 : level % 3 + 1;
        EXPECT_FALSE(fires(mid_x, mid_y, other_level)) << where << " in another level";
        EXPECT_FALSE(fires(z.x_min, mid_y, level)) << where << " left edge";
        EXPECT_TRUE(fires(z.x_min + 0.5f, mid_y, level)) << where << " just inside the left edge";
        EXPECT_FALSE(fires(mid_x, z.y_min, level)) << where << " top edge";
        EXPECT_TRUE(fires(mid_x, z.y_min + 0.5f, level)) << where << " just inside the top edge";
        if (z.x_max < OPEN) {
            EXPECT_FALSE(fires(z.x_max, mid_y, level)) << where << " right edge";
            EXPECT_TRUE(fires(z.x_max - 0.5f, mid_y, level)) << where << " just inside the right edge";
        }
        if (z.y_max < OPEN) {
            EXPECT_FALSE(fires(mid_x, z.y_max, level)) << where << " bottom edge";
            EXPECT_TRUE(fires(mid_x, z.y_max - 0.5f, level)) << where << " just inside the bottom edge";
        }
    }
}

TEST_F(Story, TheLinePushedLastIsShownFirstAndSpaceHeldDropsOneLinePerElevenFramesWhileTheWorldStaysFrozen) {
    DialogBox& box = world.dialog_box;
    EXPECT_TRUE(box.speech_is_idle());
    EXPECT_FALSE(box.speech_advance()) << "nothing to drop";
    box.speech_push(1, "second");
    box.speech_push(0, "first");
    EXPECT_STREQ(box.top->text, "first");
    box.draw_speech_box();
    EXPECT_FLOAT_EQ(box.portrait.x, 50) << "the hero speaks from the left";
    EXPECT_TRUE(box.speech_advance());
    EXPECT_STREQ(box.top->text, "second");
    box.draw_speech_box();
    EXPECT_FLOAT_EQ(box.portrait.x, 480);
    EXPECT_EQ(box.portrait.curr_frame, 1);
    EXPECT_TRUE(box.speech_advance());
    EXPECT_TRUE(box.speech_is_idle());
    // Speakers without a portrait still show the box and do not touch the portrait.
    box.speech_push(7, "narrator");
    box.draw_speech_box();
    EXPECT_EQ(box.portrait.curr_frame, 1);

    // Space held drops one line per eleven frames, and the world stays frozen.
    box.speech_clear();
    game.game_state = GAME_STATE_PLAYING;
    world.player.sword.anim_state = 1;
    hide_sprite(&world.player.sword);
    put(world.player.body, 300, 200);
    Mole& m = place(world.pools.moles[0], 100, 100);
    m.body.xv = 2;
    for (const char* t : {"c", "b", "a"}) world.dialog_box.speech_push(0, t);
    hold_keys({platform::VK_SPACE, platform::VK_RIGHT}, {platform::DIK_A});
    std::vector<int> drops;
    for (int frame = 1; frame <= 40 && !world.dialog_box.speech_is_idle(); ++frame) {
        const SpeechLine* before = world.dialog_box.top;
        playing_frame();
        if (world.dialog_box.top != before) drops.push_back(frame);
    }
    EXPECT_EQ(drops, (std::vector<int>{11, 22, 33}));
    EXPECT_FLOAT_EQ(world.player.body.x, 300) << "no walking while a line is shown";
    EXPECT_FLOAT_EQ(m.body.x, 100) << "no enemy moves";
    EXPECT_FALSE(world.player.sword.attr & SPRITE_ATTR_VISIBLE) << "nor does the sword come out";
    playing_frame();
    EXPECT_FLOAT_EQ(world.player.body.x, 300) << "A still held: the sword swings instead";
    hold_keys({platform::VK_RIGHT});
    for (int i = 0; i < 10; ++i) playing_frame();
    EXPECT_GT(world.player.body.x, 300) << "with the box empty the world runs again";
}

// Lines of `text` wrapped to `width` with a fixed 7-pixel font.
static std::vector<std::string> wrap(const char* text, int width) {
    std::vector<std::string> lines;
    wrap_text(text, width, [](const char*, int n) { return 7 * n; },
              [&](const char* s, int n) { lines.emplace_back(s, static_cast<size_t>(n)); });
    return lines;
}

TEST(SpeechWrap, BreaksAtBlanksAndKeepsInnerDoubleBlanks) {
    EXPECT_EQ(wrap("Take my sword  and save them", 70),
              (std::vector<std::string>{"Take my", "sword  and", "save them"}));
    EXPECT_EQ(wrap("short", 700), (std::vector<std::string>{"short"}));
    EXPECT_TRUE(wrap("   ", 70).empty());
    EXPECT_EQ(wrap("Noooooooooooooo.", 35), (std::vector<std::string>{"Noooo", "ooooo", "ooooo", "."}))
        << "a word wider than the box is broken between letters";
}

TEST_F(Story, EveryLineOfTheStoryIsDrawnInsideTheBoxsDarkPanelAndEnhancedPlayTellsItProofread) {
    ASSERT_TRUE(platform::text_init());
    ASSERT_EQ(display_init(640, 480, 8, 0), 1);
    // The dark inner panel of DialogBox.BMP is x 8..583, y 8..91 of the box.
    const int left = SPEECH_BOX_X + 8, right = SPEECH_BOX_X + 583;
    const int top = SPEECH_BOX_Y + 8, bottom = SPEECH_BOX_Y + 91;
    DialogBox& box = world.dialog_box;
    Surface& back = display.back_surface;
    auto drawn = [&](int32_t speaker, const char* text) {
        fill_surface(&back, 0, nullptr);
        box.speech_push(speaker, text);
        box.draw_speech_box();
        box.speech_advance();
        return back.pixels;
    };
    size_t count = 0;
    std::vector<std::vector<SpokenLine>> told[2];  // classic, enhanced
    for (PlayMode mode : {PlayMode::Classic, PlayMode::Enhanced}) {
        play_mode = mode;  // the proofread lines too
        told[mode == PlayMode::Enhanced] = fire_every_script();
        for (const std::vector<SpokenLine>& script : told[mode == PlayMode::Enhanced])
        for (const SpokenLine& line : script) {
            ++count;
            const std::vector<uint8_t> bare = drawn(line.speaker, "");
            const std::vector<uint8_t> with = drawn(line.speaker, line.text.c_str());
            int text_pixels = 0, outside = 0;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x) {
                    if (bare[y * 640 + x] == with[y * 640 + x]) continue;
                    ++text_pixels;
                    if (x < left || x > right || y < top || y > bottom) ++outside;
                }
            EXPECT_GT(text_pixels, 0) << line.text;
            EXPECT_EQ(outside, 0) << "text outside the panel: " << line.text;
            if (line.speaker >= SPEECH_PORTRAITS) {
                EXPECT_EQ(pixels_of(0, 0, 0, 640, SPEECH_BOX_Y), 640 * SPEECH_BOX_Y) << "speaker " << line.speaker << " has no portrait";
            }
        }
    }
    EXPECT_EQ(count, 66u) << "every line of the twelve scripts, as written and proofread";

    // Enhanced play tells the same scripts proofread, classic play as written.
    const auto& classic = told[0];
    const auto& enhanced = told[1];
    ASSERT_EQ(classic.size(), enhanced.size());
    std::string classic_text, enhanced_text;
    int changed = 0;
    for (size_t s = 0; s < classic.size(); ++s) {
        ASSERT_EQ(classic[s].size(), enhanced[s].size()) << "script " << s;
        for (size_t i = 0; i < classic[s].size(); ++i) {
            EXPECT_EQ(classic[s][i].speaker, enhanced[s][i].speaker);
            changed += classic[s][i].text != enhanced[s][i].text;
            classic_text += classic[s][i].text + "\n";
            enhanced_text += enhanced[s][i].text + "\n";
        }
    }
    EXPECT_GT(changed, 10);
    EXPECT_NE(classic_text.find("Lord Hogrump"), std::string::npos) << "classic keeps the lines word for word";
    for (const char* slip : {"Hogrump", "ill give", "your self", "high about", "Envinsioning", "I'm Sorry", "\nthey", "  "})
        EXPECT_EQ(enhanced_text.find(slip), std::string::npos) << slip;
    for (const char* voice : {"Poor fa voor, Nibbs, No Hablo Englis", "Aye carumba", "Noooooooooo."})
        EXPECT_NE(enhanced_text.find(voice), std::string::npos) << "a speaker's own broken speech stays: " << voice;
}

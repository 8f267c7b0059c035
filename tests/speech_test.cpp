// The speech box: line order, the 11-frame key delay, the frozen world, and wrapping.
#include <string>
#include <vector>

#include "platform/text.h"
#include "screens/text_wrap.h"
#include "world_fixture.h"

using Speech = LoadedWorld;

TEST_F(Speech, TheLinePushedLastIsShownFirst) {
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
}

TEST_F(Speech, SpaceHeldDropsOneLinePerElevenFramesAndTheWorldStaysFrozen) {
    shell.game_state = GAME_STATE_PLAYING;
    shell.current_level = 1;
    world.loaded_level = 1;
    world.player.sword.anim_state = 1;
    hide_sprite(&world.player.sword);
    world.player.body.x = 300;
    world.player.body.y = 200;
    world.player.body.xv = world.player.body.yv = 4;
    Mole& m = place_mole(0, 100, 100);
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

namespace {
// Lines of `text` wrapped to `width` with a fixed 7-pixel font.
std::vector<std::string> wrap(const char* text, int width) {
    std::vector<std::string> lines;
    wrap_text(text, width, [](const char*, int n) { return 7 * n; },
              [&](const char* s, int n) { lines.emplace_back(s, static_cast<size_t>(n)); });
    return lines;
}
}  // namespace

TEST(SpeechWrap, BreaksAtBlanksAndKeepsInnerDoubleBlanks) {
    EXPECT_EQ(wrap("Take my sword  and save them", 70),
              (std::vector<std::string>{"Take my", "sword  and", "save them"}));
    EXPECT_EQ(wrap("short", 700), (std::vector<std::string>{"short"}));
    EXPECT_TRUE(wrap("   ", 70).empty());
    EXPECT_EQ(wrap("Noooooooooooooo.", 35), (std::vector<std::string>{"Noooo", "ooooo", "ooooo", "."}))
        << "a word wider than the box is broken between letters";
}

TEST(SpeechWrap, EveryScriptLineFitsTheBoxWithTheGameFont) {
    platform::text_init();
    const int width = SPEECH_TEXT_RIGHT - SPEECH_TEXT_X;
    const char* longest =
        "Hogrand, ill give you one chance to give up and exile your self from these lands before I\x92ll kill you!";
    int lines = 0;
    wrap_text(longest, width, [](const char* s, int n) { return platform::text_width(s, n); },
              [&](const char* s, int n) {
                  EXPECT_LE(platform::text_width(s, n), width) << std::string(s, static_cast<size_t>(n));
                  ++lines;
              });
    EXPECT_GE(lines, 2);
    EXPECT_LE(SPEECH_TEXT_Y + lines * platform::text_line_height(), SPEECH_BOX_Y + SPEECH_BOX_HEIGHT)
        << "every wrapped line stays inside the box";
    EXPECT_LE(SPEECH_TEXT_RIGHT, SPEECH_BOX_X + SPEECH_BOX_WIDTH);
}

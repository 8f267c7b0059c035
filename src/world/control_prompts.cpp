// The control prompts: the lines a new player still needs, on a framed strip above the foot of
// the screen.
#include "world/control_prompts.h"

#include <cstdio>

#include "graphics/display.h"
#include "platform/bindings.h"
#include "platform/text.h"

ControlPrompts control_prompts;

namespace {

// Prompts stand under the HUD, or above the screen's foot when the hero is in the upper half:
// never over him.
constexpr int TOP_STRIP_Y = 66, BOTTOM_STRIP_END = 440, LINE_STEP = 24;
constexpr uint32_t CREAM = 0x00C8ECF4, GOLD = 0x0040C8F8;

// "KEY or BUTTON" for an action, from the bindings in force.
void name_controls(char* out, int size, int action) {
    const platform::Bindings& b = platform::current_bindings();
    const int key = b.key[action], button = b.button[action];
    if (button == platform::UNBOUND)
        std::snprintf(out, size, "%s", platform::key_display_name(key));
    else
        std::snprintf(out, size, "%s or %s", platform::key_display_name(key), platform::pad_button_display_name(button));
}

void name_walking(char* out, int size) {
    const platform::Bindings& b = platform::current_bindings();
    using namespace platform;
    if (b.key[ACTION_UP] == SCANCODE_UP && b.key[ACTION_DOWN] == SCANCODE_DOWN && b.key[ACTION_LEFT] == SCANCODE_LEFT &&
        b.key[ACTION_RIGHT] == SCANCODE_RIGHT) {
        std::snprintf(out, size, "the arrow keys");
    } else {
        char up[16], left[16], down[16];
        std::snprintf(up, sizeof up, "%s", key_display_name(b.key[ACTION_UP]));
        std::snprintf(left, sizeof left, "%s", key_display_name(b.key[ACTION_LEFT]));
        std::snprintf(down, sizeof down, "%s", key_display_name(b.key[ACTION_DOWN]));
        std::snprintf(out, size, "%s %s %s %s", up, left, down, key_display_name(b.key[ACTION_RIGHT]));
    }
}

// One prompt: the action's name in gold, then how to do it, on a dark framed strip centred.
void draw_prompt(int y, const char* action, const char* how) {
    const int action_w = platform::text_width(action, 127) + platform::text_width(" ", 1);
    const int w = action_w + platform::text_width(how, 127) + 20;
    const int x = (640 - w) / 2;
    Surface* back = &display.back_surface;
    draw_framed_strip(x, y - 1, x + w, y + 17);
    draw_outlined_text(action, x + 10, y, GOLD, back);
    draw_outlined_text(how, x + 10 + action_w, y, CREAM, back);
}

}  // namespace

void note_controls_used(bool walking, bool sword, bool bow) {
    control_prompts.walked = control_prompts.walked || walking;
    control_prompts.swung = control_prompts.swung || sword;
    control_prompts.shot = control_prompts.shot || bow;
}

void draw_control_prompts(int level, bool has_bow, int hero_screen_y) {
    const char* actions[3];
    char hows[3][96];  // each prompt's "how", short enough for one line
    int count = 0;
    char controls[64];
    if (level == 1 && !control_prompts.walked) {
        name_walking(controls, sizeof controls);
        actions[count] = "Walk:";
        std::snprintf(hows[count++], sizeof hows[0], "%s or the pad's stick", controls);
    }
    if (level == 1 && !control_prompts.swung) {
        name_controls(controls, sizeof controls, platform::ACTION_SWORD);
        actions[count] = "Sword:";
        std::snprintf(hows[count++], sizeof hows[0], "%s", controls);
    }
    if (has_bow && !control_prompts.shot) {
        name_controls(controls, sizeof controls, platform::ACTION_BOW);
        actions[count] = "You have a bow!";
        std::snprintf(hows[count++], sizeof hows[0], "Shoot an arrow: %s", controls);
    }
    // The strips span y 63..138 at most at the top and 365..440 at the foot; the hero is about 48 high.
    if (control_prompts.at_top && hero_screen_y < 140) control_prompts.at_top = false;
    if (!control_prompts.at_top && hero_screen_y + 48 > 350) control_prompts.at_top = true;
    const int first_y = control_prompts.at_top ? TOP_STRIP_Y : BOTTOM_STRIP_END - count * LINE_STEP;
    for (int i = 0; i < count; ++i) draw_prompt(first_y + i * LINE_STEP, actions[i], hows[i]);
}

void reset_control_prompts() { control_prompts = ControlPrompts{}; }

// The options screen: rows of settings on a framed panel over the brick wall, chosen with
// the sword pointer; Left and Right change a value, Enter a choice or a control.
#include "screens/options_screen.h"

#include <algorithm>
#include <string>
#include <utility>

#include "graphics/picture_file.h"
#include "graphics/display.h"
#include "platform/input_names.h"
#include "platform/keyboard.h"
#include "screens/title_menu.h"

OptionsScreen options_screen;

namespace {

constexpr int ROW_TOP = 72, ROW_STEP = 19;  // nineteen rows within the panel
constexpr int LABEL_X = 84, VALUE_X = 330;
constexpr int REPEAT_DELAY = 12, REPEAT_EVERY = 4;  // frames
constexpr uint32_t CREAM = 0x00C8ECF4, WHITE = 0x00FFFFFF, GOLD = 0x0040C8F8;
constexpr uint32_t MUTED = 0x00A0A0A0;  // an assist's value while classic play, which ignores it, is chosen

bool pressed(OptionsScreen& s, int key) { return platform::key_down(key) && !s.was_down[key]; }

// A press, or a held key's repeat after a pause, for moving and changing values.
bool pressed_or_repeated(OptionsScreen& s, int key) {
    if (!platform::key_down(key)) return false;
    if (!s.was_down[key]) return true;
    return s.held_frames > REPEAT_DELAY && (s.held_frames - REPEAT_DELAY) % REPEAT_EVERY == 0;
}

void remember_keys(OptionsScreen& s) {
    for (int k = 0; k < 256; ++k) s.was_down[k] = platform::key_down(k);
}

// Left (-1) or Right (+1) on a setting's row; Enter counts as +1 on the rows with two choices.
bool change_value(Settings& e, int row, int step) {
    const SettingInfo* s = setting_on_screen_row(row);
    if (!s) return false;
    if (s->shape == SETTING_CHOICE) {
        e.*s->flag = !(e.*s->flag);
        return true;
    }
    if (s->shape == SETTING_WORD) {
        // Round and round, like a choice.
        const int count = s->max - s->min + 1;
        e.*s->number = s->min + ((e.*s->number - s->min + step) % count + count) % count;
        return true;
    }
    const int v = std::clamp(e.*s->number + step, s->min, s->max);
    return std::exchange(e.*s->number, v) != v;
}

// While waiting for a new control: a key (Escape gives up) or a pad button.
bool take_new_control(OptionsScreen& s) {
    const int action = s.row - OPTIONS_ROW_FIRST_ACTION;
    platform::RawPress press;
    if (++s.waiting_frames > OPTIONS_WAIT_FRAMES) {
        s.waiting_frames = -1;
        s.notice = "Nothing pressed; the control is unchanged.";
        return false;
    }
    if (!platform::take_raw_press(press)) return false;
    if (press.scancode == platform::SCANCODE_ESCAPE) {
        s.waiting_frames = -1;
        s.notice = "Cancelled; the control is unchanged.";
        return false;
    }
    if (press.scancode != platform::UNBOUND && !platform::scancode_file_name(press.scancode)) {
        s.notice = "That key cannot be used; press another.";
        return false;
    }
    if (press.scancode != platform::UNBOUND)
        platform::bind_key(s.editing.bindings, action, press.scancode);
    else
        platform::bind_button(s.editing.bindings, action, press.button);
    s.waiting_frames = -1;
    s.notice = "Done. A control that had it before takes the old one.";
    return true;
}

void draw_line(const std::string& text, int x, int y, uint32_t colour) {
    draw_text(text.c_str(), x + 1, y + 1, 0, &display.back_surface);  // a dark shadow keeps it readable
    draw_text(text.c_str(), x, y, colour, &display.back_surface);
}

std::string control_text(const Settings& e, int action) {
    const int key = e.bindings.key[action], button = e.bindings.button[action];
    std::string text = key == platform::UNBOUND ? "no key" : platform::key_display_name(key);
    text += ",  ";
    text += platform::pad_button_display_name(button);
    return text;
}

}  // namespace

int OptionsScreen::load_options_screen() {
    constexpr uint32_t single = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME;
    const ScreenPicture pictures[] = {
        {"OPTIONS.BMP", &heading, 200, 100, 1, single, 220, 0},
        {"OptionsPanel.BMP", &panel, 600, 376, 1, single, 20, 60},
        {"OptionPips.BMP", &pips, 16, 16, 2, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME, 0, 0},
    };
    return load_screen_pictures(pictures);
}

void OptionsScreen::open(const Settings& settings) {
    editing = settings;
    saved = settings;
    row = 0;
    held_frames = 0;
    waiting_frames = -1;
    notice = nullptr;
    // Keys held on the way in (the title's Tab or Enter) act only after a release.
    remember_keys(*this);
}

bool OptionsScreen::update(bool& changed) {
    changed = false;
    using namespace platform;
    const bool any_direction = key_down(VK_UP) || key_down(VK_DOWN) || key_down(VK_LEFT) || key_down(VK_RIGHT);
    held_frames = any_direction ? held_frames + 1 : 0;
    bool leave = false;
    if (waiting_frames >= 0) {
        changed = take_new_control(*this);
    } else if (pressed(*this, VK_ESCAPE)) {
        leave = true;
    } else if (pressed_or_repeated(*this, VK_UP)) {
        row = (row + OPTIONS_ROW_COUNT - 1) % OPTIONS_ROW_COUNT;
        notice = nullptr;
    } else if (pressed_or_repeated(*this, VK_DOWN)) {
        row = (row + 1) % OPTIONS_ROW_COUNT;
        notice = nullptr;
    } else if (pressed_or_repeated(*this, VK_LEFT)) {
        changed = change_value(editing, row, -1);
    } else if (pressed_or_repeated(*this, VK_RIGHT)) {
        changed = change_value(editing, row, +1);
    } else if (pressed(*this, VK_RETURN)) {
        if (row == OPTIONS_ROW_BACK) {
            leave = true;
        } else if (row >= OPTIONS_ROW_FIRST_ACTION) {
            // Presses from before the question do not answer it.
            forget_raw_presses();
            waiting_frames = 0;
            notice = nullptr;
        } else if (const SettingInfo* s = setting_on_screen_row(row); s && (s->shape == SETTING_CHOICE || s->shape == SETTING_WORD)) {
            changed = change_value(editing, row, +1);
        }
    }
    remember_keys(*this);
    return leave;
}

void OptionsScreen::draw(Sprite& brick, Sprite& pointer) {
    draw_brick_wall(brick);
    draw_sprite(&heading, &display.back_surface);
    draw_sprite(&panel, &display.back_surface);
    for (int r = 0; r < OPTIONS_ROW_COUNT; ++r) {
        const int y = ROW_TOP + r * ROW_STEP;
        const uint32_t label_colour = r == row ? WHITE : CREAM;
        uint32_t value_colour = r == row && waiting_frames >= 0 ? WHITE : GOLD;
        std::string label, value;
        if (const SettingInfo* s = setting_on_screen_row(r)) {
            label = s->label;
            // Classic play ignores the assists: their values are greyed while it is chosen.
            if (s->assist && !editing.enhanced) value_colour = MUTED;
            if (s->shape == SETTING_CHOICE) {
                // What will be saved; the command line's choice for this run, when it differs, after it.
                value = s->shown[saved.*s->flag];
                if (saved.*s->flag != editing.*s->flag) {
                    value += " (now: ";
                    value += s->shown[editing.*s->flag];
                    value += ")";
                }
            } else if (s->shape == SETTING_WORD) {
                value = s->shown[std::clamp(editing.*s->number, s->min, s->max)];
            } else if (s->shown[0]) {
                value = std::to_string(editing.*s->number);
                value.insert(0, s->shown[0]);  // not a join, which GCC 12 at -O3 misreads as overlapping copies
            } else {
                const int number = editing.*s->number;
                for (int i = 0; i < s->max; ++i) {
                    pips.curr_frame = i < number ? 0 : 1;
                    set_sprite_position(&pips, VALUE_X + i * 17, y);
                    draw_sprite(&pips, &display.back_surface);
                }
                draw_line(std::to_string(number), VALUE_X + s->max * 17 + 8, y, GOLD);
            }
        } else if (r == OPTIONS_ROW_BACK) {
            label = from_pause ? "Back to the game" : "Back to the title";
        } else {
            const int action = r - OPTIONS_ROW_FIRST_ACTION;
            label = platform::action_title(action);
            value = r == row && waiting_frames >= 0 ? "Press a key or button..." : control_text(editing, action);
        }
        draw_line(label, LABEL_X, y, label_colour);
        if (!value.empty()) draw_line(value, VALUE_X, y, value_colour);
    }
    pointer.x = 32;
    pointer.y = static_cast<float>(ROW_TOP + row * ROW_STEP + 1);
    animate_sprite(&pointer);
    draw_sprite(&pointer, &display.back_surface);
    const char* hint = notice;
    if (!hint)
        hint = waiting_frames >= 0 ? "Escape cancels." :
               row < OPTIONS_ROW_FIRST_ACTION ? "Up, Down: choose.  Left, Right: change.  Escape: back." :
                                                "Enter: press a new key or button for this.  Escape: back.";
    // Outlined like the HUD's "Lives:", so it reads on the bricks.
    draw_outlined_text(hint, LABEL_X, 448, CREAM, &display.back_surface);
}

// The title menu and the game-over screen over a wall of grey bricks.
#include "screens/title_menu.h"

#include "graphics/picture_file.h"
#include "platform/keyboard.h"

TitleMenu title_menu;

namespace {

constexpr int MENU_KEY_DELAY = 15;  // the keys are live again once the counter passes this
constexpr int MENU_COUNTER_WRAP = 2000;

// With saved progress the menu holds CONTINUE, START and Quit, top to bottom, 60 pixels apart.
constexpr int CONTINUE_ORDER[3] = {MENU_CHOICE_CONTINUE, MENU_CHOICE_START, MENU_CHOICE_QUIT};
constexpr int CONTINUE_MENU_TOP = 300, CONTINUE_MENU_STEP = 60;

int continue_menu_row(int choice) {
    for (int row = 0; row < 3; ++row)
        if (CONTINUE_ORDER[row] == choice) return row;
    return 1;
}

}  // namespace

void update_continue_menu(TitleMenu& menu);

void draw_brick_wall(Sprite& brick) {
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 10; ++column) {
            brick.x = static_cast<float>(column * 64);
            brick.y = static_cast<float>(row * 64);
            draw_sprite_scaled(&brick, 64, 64, &display.back_surface);
        }
}

int TitleMenu::load_title_menu() {
    const ScreenPicture pictures[] = {
        {"Quillmoor.BMP", &title, 480, 300, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, 100, 0},
        {"GreyBrick.BMP", &brick, 32, 32, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, 0, 0},
        {"START.BMP", &start, 200, 100, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, 250, 300},
        {"GameOver.BMP", &game_over, 320, 100, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, 50, 100},
        {"Quit.BMP", &quit, 200, 100, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, 250, 380},
        {"SWORD.BMP", &pointer, 48, 16, 5, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM, 0, 0},
    };
    if (!load_screen_pictures(pictures)) return 0;
    load_sprite_animation(&pointer, 0, 10, pointer_frames);
    set_sprite_animation(&pointer, 0);
    return 1;
}

void TitleMenu::update_title_menu() {
    if (offers_continue) {
        update_continue_menu(*this);
        return;
    }
    if (menu_choice == MENU_CHOICE_CONTINUE) menu_choice = MENU_CHOICE_START;
    if (menu_counter > MENU_KEY_DELAY) {
        if (platform::key_down(platform::VK_DOWN) && menu_choice == 0) {
            menu_choice = 1;
            menu_counter = 0;
        }
        if (platform::key_down(platform::VK_UP) && menu_choice == 1) {
            menu_choice = 0;
            menu_counter = 0;
        }
    }
    if (++menu_counter == MENU_COUNTER_WRAP) menu_counter = 10;
    pointer.x = 200;
    pointer.y = menu_choice == 0 ? 320.0f : 400.0f;
    animate_sprite(&pointer);
    draw_brick_wall(brick);
    draw_sprite(&title, &display.back_surface);
    draw_sprite(&start, &display.back_surface);
    draw_sprite(&quit, &display.back_surface);
    draw_sprite(&pointer, &display.back_surface);
}

int TitleMenu::load_continue_entry() {
    return load_sprite_sheet(&continue_entry, "CONTINUE.BMP", 200, 100, 1, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME);
}

// The same keys and timing as the two-entry menu, over three entries.
void update_continue_menu(TitleMenu& menu) {
    int row = continue_menu_row(menu.menu_choice);
    if (menu.menu_counter > MENU_KEY_DELAY) {
        const int moved = row + (platform::key_down(platform::VK_DOWN) && row < 2) - (platform::key_down(platform::VK_UP) && row > 0);
        if (moved != row) {
            row = moved;
            menu.menu_counter = 0;
        }
    }
    menu.menu_choice = CONTINUE_ORDER[row];
    if (++menu.menu_counter == MENU_COUNTER_WRAP) menu.menu_counter = 10;
    menu.pointer.x = 200;
    menu.pointer.y = static_cast<float>(CONTINUE_MENU_TOP + row * CONTINUE_MENU_STEP + 20);
    animate_sprite(&menu.pointer);
    draw_brick_wall(menu.brick);
    draw_sprite(&menu.title, &display.back_surface);
    Sprite* const entries[3] = {&menu.continue_entry, &menu.start, &menu.quit};
    for (int r = 0; r < 3; ++r) {
        const float x = entries[r]->x, y = entries[r]->y;
        set_sprite_position(entries[r], 250, CONTINUE_MENU_TOP + r * CONTINUE_MENU_STEP);
        draw_sprite(entries[r], &display.back_surface);
        entries[r]->x = x;
        entries[r]->y = y;
    }
    draw_sprite(&menu.pointer, &display.back_surface);
}

void TitleMenu::draw_game_over() {
    ++menu_counter;
    draw_brick_wall(brick);
    draw_sprite_scaled(&game_over, 550, 300, &display.back_surface);
}

void reset_title_menu() {
    title_menu.menu_choice = 0;
    title_menu.menu_counter = 0;
}

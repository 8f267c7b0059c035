// The title menu and the game-over screen over a wall of grey bricks.
#include "screens/title_menu.h"

#include "graphics/picture_file.h"
#include "platform/keyboard.h"

TitleMenu title_menu;

namespace {

constexpr int MENU_KEY_DELAY = 15;  // the keys are live again once the counter passes this
constexpr int MENU_COUNTER_WRAP = 2000;

// With saved progress the menu holds CONTINUE, START and Quit, top to bottom, 60 pixels apart;
// with a game under way (enhanced play) RESUME, NEW GAME and Quit.
constexpr int CONTINUE_ORDER[3] = {MENU_CHOICE_CONTINUE, MENU_CHOICE_START, MENU_CHOICE_QUIT};
constexpr int RESUME_ORDER[3] = {MENU_CHOICE_START, MENU_CHOICE_NEW_GAME, MENU_CHOICE_QUIT};
constexpr int CONTINUE_MENU_TOP = 300, CONTINUE_MENU_STEP = 60;

// The row of `choice`; a choice the menu lacks lands on `otherwise`.
int menu_row(const int (&order)[3], int choice, int otherwise) {
    for (int row = 0; row < 3; ++row)
        if (order[row] == choice) return row;
    return otherwise;
}

}  // namespace

void update_three_entry_menu(TitleMenu& menu, const int (&order)[3], int otherwise, Sprite* const (&entries)[3]);

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
    if (offers_resume) {
        Sprite* const entries[3] = {&resume_entry, &new_game_entry, &quit};
        update_three_entry_menu(*this, RESUME_ORDER, 0, entries);
        return;
    }
    if (offers_continue) {
        Sprite* const entries[3] = {&continue_entry, &start, &quit};
        update_three_entry_menu(*this, CONTINUE_ORDER, 1, entries);
        return;
    }
    if (menu_choice == MENU_CHOICE_CONTINUE || menu_choice == MENU_CHOICE_NEW_GAME) menu_choice = MENU_CHOICE_START;
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

int TitleMenu::load_resume_entries() {
    constexpr uint32_t attr = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME;
    return load_sprite_sheet(&resume_entry, "RESUME.BMP", 200, 100, 1, 1, attr) &&
           load_sprite_sheet(&new_game_entry, "NEWGAME.BMP", 200, 100, 1, 1, attr);
}

// The same keys and timing as the two-entry menu, over three entries.
void update_three_entry_menu(TitleMenu& menu, const int (&order)[3], int otherwise, Sprite* const (&entries)[3]) {
    int row = menu_row(order, menu.menu_choice, otherwise);
    if (menu.menu_counter > MENU_KEY_DELAY) {
        const int moved = row + (platform::key_down(platform::VK_DOWN) && row < 2) - (platform::key_down(platform::VK_UP) && row > 0);
        if (moved != row) {
            row = moved;
            menu.menu_counter = 0;
        }
    }
    menu.menu_choice = order[row];
    if (++menu.menu_counter == MENU_COUNTER_WRAP) menu.menu_counter = 10;
    menu.pointer.x = 200;
    menu.pointer.y = static_cast<float>(CONTINUE_MENU_TOP + row * CONTINUE_MENU_STEP + 20);
    animate_sprite(&menu.pointer);
    draw_brick_wall(menu.brick);
    draw_sprite(&menu.title, &display.back_surface);
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
    title_menu.offers_continue = title_menu.offers_resume = false;
}

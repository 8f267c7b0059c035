// The title screen with its START / Quit menu and sword pointer, and the game-over screen.
#pragma once
#include "graphics/sprite.h"

struct TitleMenu {
    Sprite title;
    Sprite start;
    Sprite quit;
    Sprite brick;
    Sprite pointer;
    Sprite game_over;
    int pointer_frames[10] = {4, 3, 2, 1, 0, 0, 0, 1, 2, 3};
    Sprite continue_entry;  // CONTINUE, shown above START when there is saved progress
    Sprite resume_entry, new_game_entry;  // enhanced play, with a game under way: RESUME, NEW GAME
    bool offers_continue = false;
    bool offers_resume = false;  // START reads RESUME, with NEW GAME under it
    int menu_choice = 0;  // 0 START (or RESUME), 1 Quit, 2 CONTINUE, 3 NEW GAME
    int menu_counter = 0;  // frames since the last menu move; also times the game-over screen

    // Loads the six pictures; 0 when a sprite cannot be created.
    int load_title_menu();
    // One title frame: the menu keys, the pointer and the drawing.
    void update_title_menu();
    // One game-over frame.
    void draw_game_over();
    // The CONTINUE plaque, loaded only for players who keep saved progress; 0 on failure.
    int load_continue_entry();
    // The RESUME and NEW GAME plaques, which only enhanced play shows; 0 on failure.
    int load_resume_entries();
};

constexpr int MENU_CHOICE_START = 0;
constexpr int MENU_CHOICE_QUIT = 1;
constexpr int MENU_CHOICE_CONTINUE = 2;
constexpr int MENU_CHOICE_NEW_GAME = 3;

// The wall of grey bricks behind the title, game-over and options screens.
void draw_brick_wall(Sprite& brick);

extern TitleMenu title_menu;

// Back to the start-up values (the pictures stay loaded).
void reset_title_menu();

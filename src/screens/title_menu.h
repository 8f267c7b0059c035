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
    int menu_choice = 0;  // 0 START, 1 Quit
    int menu_counter = 0;  // frames since the last menu move; also times the game-over screen

    // Loads the six pictures; 0 when a sprite cannot be created.
    int load_title_menu();
    // One title frame: the menu keys, the pointer and the drawing.
    void update_title_menu();
    // One game-over frame.
    void draw_game_over();
};

extern TitleMenu title_menu;

// Back to the start-up values (the pictures stay loaded).
void reset_title_menu();

// Loading and drawing the Space key cap.
#include "world/space_hint.h"

#include "graphics/picture_file.h"

Sprite space_hint;

void load_space_hint() {
    load_sprite_sheet(&space_hint, "SpaceKey.BMP", 64, 24, 1, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME);
}

void draw_space_hint(int x, int y) {
    set_sprite_position(&space_hint, x, y);
    draw_sprite(&space_hint, &display.back_surface);
}

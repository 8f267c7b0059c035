// The Space key hint and the closing picture of enhanced play.
#include "screens/enhanced_screens.h"

#include "enemies/enemy_base.h"
#include "shell/loading.h"

EnhancedScreens enhanced_screens;

namespace {

void load_picture(Sprite& sprite, const char* file, int width, int height) {
    if (load_shared_bitmap(file) &&
        create_sprite(&sprite, 0, 0, width, height, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, SPRITE_MEMORY_SYSTEM,
                      GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        cut_sprite_frames(&sprite, 1, 1);
    unload_bitmap_file(&bitmap_scratch);
}

}  // namespace

void load_enhanced_screens() {
    load_picture(enhanced_screens.space_key, "SpaceKey.BMP", 64, 24);
    load_picture(enhanced_screens.the_end, "TheEnd.BMP", 640, 480);
}

void draw_space_hint(int x, int y) {
    set_sprite_position(&enhanced_screens.space_key, x, y);
    draw_sprite(&enhanced_screens.space_key, &display.back_surface);
}

// The progress map between levels.
#include "screens/progress_map.h"

#include "graphics/picture_file.h"
#include "platform/platform.h"
#include "base/play_mode.h"
#include "screens/enhanced_screens.h"

ProgressMap progress_map;

bool load_progress_map() {
    constexpr uint32_t attr = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME;
    if (!load_sprite_sheet(&progress_map.map, "PROGRESSMAP.BMP", 320, 240, 1, 1, attr) ||
        !load_sprite_sheet(&progress_map.head, "HEAD.BMP", 32, 32, 1, 1, attr))
        return false;
    // The hero's head doubles as the window's icon.
    if (progress_map.head.attr & SPRITE_ATTR_LOADED) platform::set_window_icon(*progress_map.head.frames[0], display.palette_entries);
    return true;
}

int progress_head_x(int current_level) {
    if (current_level == 1) return 250;
    if (current_level == 2) return 325;
    return 400;
}

void draw_progress_map(int current_level) {
    set_sprite_position(&progress_map.map, 0, 0);
    set_sprite_position(&progress_map.head, progress_head_x(current_level), 250);
    draw_sprite_scaled(&progress_map.map, 640, 480, &display.back_surface);
    draw_sprite_scaled(&progress_map.head, 64, 64, &display.back_surface);
    if (enhanced_play()) draw_space_hint(288, 438);
}

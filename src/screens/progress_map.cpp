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

namespace {

struct LevelCaption {
    const char* name;
    const char* goal;
};

const LevelCaption LEVEL_CAPTIONS[3] = {
    {"Level 1: The fields of Curdwick", "Defeat Dorvik Mole, take his key and free the citizens of Curdwick."},
    {"Level 2: Lord Hogrand's land", "Defeat Lord Hogrand, take his key and free the captured villagers."},
    {"Level 3: The Great Tree", "Climb to King Vespro's lair, defeat him and free the last of your people."},
};

// The level's name and goal on a dark band across the top of the map.
void draw_level_caption(int current_level) {
    if (current_level < 1 || current_level > 3) return;
    const LevelCaption& caption = LEVEL_CAPTIONS[current_level - 1];
    fill_box(0, 0, 640, 52, 0x00101820);
    fill_box(0, 52, 640, 54, 0x0040A0D0);
    constexpr uint32_t GOLD = 0x0040C8F8, CREAM = 0x00C8ECF4;
    draw_outlined_text(caption.name, 16, 8, GOLD, &display.back_surface);
    draw_outlined_text(caption.goal, 16, 28, CREAM, &display.back_surface);
}

}  // namespace

void draw_progress_map(int current_level) {
    set_sprite_position(&progress_map.map, 0, 0);
    set_sprite_position(&progress_map.head, progress_head_x(current_level), 250);
    draw_sprite_scaled(&progress_map.map, 640, 480, &display.back_surface);
    draw_sprite_scaled(&progress_map.head, 64, 64, &display.back_surface);
    if (enhanced_play()) {
        draw_level_caption(current_level);
        draw_space_hint(288, 438);
    }
}

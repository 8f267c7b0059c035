// The Space key hint and the closing picture of enhanced play.
#include "screens/enhanced_screens.h"

#include "graphics/picture_file.h"
#include "world/tile_detail.h"

EnhancedScreens enhanced_screens;

void load_enhanced_screens() {
    load_space_hint();
    load_tile_details();
    // A picture that cannot be read leaves its sprite blank, so it is simply not drawn.
    load_sprite_sheet(&enhanced_screens.the_end, "TheEnd.BMP", 640, 480, 1, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME);
}

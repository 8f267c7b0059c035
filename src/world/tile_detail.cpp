// Loading the detail variants of the plain tiles.
#include "world/tile_detail.h"

#include "graphics/picture_file.h"

Sprite tile_detail_sprite;

void load_tile_details() {
    load_sprite_sheet(&tile_detail_sprite, "FloorDetail.BMP", 32, 32, TILE_DETAIL_FRAMES, TILE_DETAIL_COLUMNS,
                      SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME);
}

// Start-up loading of every world graphic: the hero, the enemy pools, the bosses, the tile set,
// the HUD pieces, the pick-ups and the speech box.
#include "world/world.h"

namespace {

struct WorldSpriteAsset {
    Sprite World::*sprite;
    const char* file;
    int width, height, frames, columns;
    uint32_t attr;
    float x, y;  // position after loading
};

constexpr uint32_t PICTURE = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME;
constexpr uint32_t FRAMES = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME;
constexpr uint32_t ONE_SHOT = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM | SPRITE_ATTR_ANIM_ONE_SHOT;

constexpr WorldSpriteAsset WORLD_SPRITES[] = {
    {&World::tile_sprite, "FloorMap.BMP", 32, 32, TILE_SET_FRAMES, 10, FRAMES, 0, 0},
    {&World::life_sprite, "life.BMP", 100, 32, 1, 1, PICTURE, 10, 0},
    {&World::lifebar_sprite, "lifebar.BMP", 20, 32, 1, 1, PICTURE, 100, 0},
    {&World::uisword_sprite, "uisword.BMP", 32, 32, 1, 1, PICTURE, 300, 0},
    {&World::key_sprite, "key.BMP", 32, 32, 1, 1, PICTURE, -40, -40},
    {&World::deathcloud_sprite, "deathcloud.BMP", 32, 32, 2, 2, ONE_SHOT, 0, 0},
    {&World::cheese_sprite, "cheese.BMP", 32, 32, 1, 1, PICTURE, -40, -40},
    {&World::uikey_sprite, "uikey.BMP", 32, 32, 2, 2, FRAMES, 600, 0},
    {&World::uibow_sprite, "uibow.BMP", 32, 32, 2, 2, FRAMES, 396, 0},
};

constexpr int DEATHCLOUD_FRAMES[3] = {0, 1, 0};

}  // namespace

int World::load_assets() {
    loaded_level = 1;
    if (!load_player(&player)) return 0;
    pools.mole_count = POOL_SIZE;
    for (int i = 0; i < pools.mole_count; ++i)
        if (!load_mole(&pools.moles[i])) return 0;
    pools.wasp_count = POOL_SIZE;
    for (int i = 0; i < pools.wasp_count; ++i)
        if (!load_wasp(&pools.wasps[i])) return 0;
    pools.pig_count = POOL_SIZE;
    for (int i = 0; i < pools.pig_count; ++i)
        if (!load_pig(&pools.pigs[i])) return 0;
    load_mole_boss(&pools.mole_boss);
    load_swine_boss(&pools.swine_boss);
    load_wasp_boss(&pools.wasp_boss);

    for (const WorldSpriteAsset& a : WORLD_SPRITES) {
        Sprite* s = &(this->*a.sprite);
        if (!load_sprite_sheet(s, a.file, a.width, a.height, a.frames, a.columns, a.attr)) return 0;
        if (s == &deathcloud_sprite) {
            load_sprite_animation(s, 0, 3, DEATHCLOUD_FRAMES);
            set_sprite_anim_speed(s, 5);
        }
        s->x = a.x;
        s->y = a.y;
    }
    dialog_box.load_speech_box();
    return 1;
}

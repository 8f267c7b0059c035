// Movement commands and the shared bitmap helpers every actor's loader uses.
#include "enemies/enemy_base.h"

#include "graphics/bitmap_share.h"
#include "shell/loading.h"

void apply_move_command(EnemyBase* enemy, int32_t command, const Sprite* hero) {
    Sprite& b = enemy->body;
    const float s = static_cast<float>(enemy->speed);
    switch (command) {
    case MOVE_DOWN:
        b.yv = s;
        b.xv = 0;
        break;
    case MOVE_UP:
        b.yv = -s;
        b.xv = 0;
        break;
    case MOVE_RIGHT:
        b.xv = s;
        b.yv = 0;
        break;
    case MOVE_LEFT:
        b.xv = -s;
        b.yv = 0;
        break;
    case MOVE_STOP:
        b.xv = 0;
        b.yv = 0;
        break;
    case MOVE_TOWARD_HERO_ACROSS:
        b.xv = hero->x > b.x ? s : -s;
        b.yv = 0;
        break;
    case MOVE_TOWARD_HERO_UP_DOWN:
        b.yv = hero->y > b.y ? s : -s;
        b.xv = 0;
        break;
    case MOVE_REVERSE:
        b.xv = -b.xv;
        b.yv = -b.yv;
        break;
    default:
        break;
    }
}

int load_shared_bitmap(const char* file) {
    const int loaded = load_shared_bitmap_file(&bitmap_scratch, file) && !bitmap_scratch.buffer.empty();
    // A file that could not be read has no palette worth showing: keep the one in force.
    if (loaded) set_palette(bitmap_scratch.palette);
    return loaded;
}

void cut_sprite_frames(Sprite* sprite, int count, int columns) {
    // A bitmap that failed to load leaves the frames blank rather than cutting from nothing.
    if (bitmap_scratch.buffer.empty()) return;
    for (int i = 0; i < count; ++i) load_sprite_frame(sprite, &bitmap_scratch, i, i % columns, i / columns, 0);
}

int create_pool_sprite(Sprite* sprite, int width, int height, int count, int columns, uint32_t attr) {
    return create_shared_sprite(sprite, FrameCut{&bitmap_scratch, width, height, count, columns}, attr, GAME_COLOUR_KEY, GAME_SPRITE_BPP);
}

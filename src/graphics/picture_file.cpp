// Reading a picture once and cutting sprite frames from it.
#include "graphics/picture_file.h"

#include "graphics/bitmap_share.h"

PictureFile::PictureFile(const char* file) {
    loaded = load_shared_bitmap_file(&bitmap, file) && !bitmap.buffer.empty();
    // A file that could not be read has no palette worth showing: keep the one in force.
    if (loaded) set_palette(bitmap.palette);
}

PictureFile::~PictureFile() { unload_bitmap_file(&bitmap); }

void PictureFile::cut_frames(Sprite* sprite, int count, int columns) const {
    // A bitmap that failed to load leaves the frames blank rather than cutting from nothing.
    if (bitmap.buffer.empty()) return;
    for (int i = 0; i < count; ++i) load_sprite_frame(sprite, &bitmap, i, i % columns, i / columns, 0);
}

int PictureFile::create_pool_sprite(Sprite* sprite, int width, int height, int count, int columns, uint32_t attr) const {
    return create_shared_sprite(sprite, FrameCut{&bitmap, width, height, count, columns}, attr, GAME_COLOUR_KEY, GAME_SPRITE_BPP);
}

int load_sprite_sheet(Sprite* sprite, const char* file, int width, int height, int frames, int columns, uint32_t attr) {
    const PictureFile picture(file);
    if (!create_sprite(sprite, 0, 0, width, height, frames, attr, SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        return 0;
    picture.cut_frames(sprite, frames, columns);
    return 1;
}

bool load_screen_pictures(const ScreenPicture* pictures, int count) {
    for (int i = 0; i < count; ++i) {
        const ScreenPicture& p = pictures[i];
        if (!load_sprite_sheet(p.sprite, p.file, p.width, p.height, p.frames, p.frames, p.attr)) return false;
        set_sprite_position(p.sprite, p.x, p.y);
    }
    return true;
}

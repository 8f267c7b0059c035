// Picture files held while sprites are cut from them: the loaders of every actor and screen.
#pragma once
#include <cstdint>

#include "graphics/bitmap_file.h"
#include "graphics/sprite.h"

// Every game sprite is created with colour key 0 and 8 bits per pixel.
constexpr uint16_t GAME_COLOUR_KEY = 0;
constexpr int GAME_SPRITE_BPP = 8;

// A picture read for cutting sprite frames, released when it goes out of scope. Reading it
// hands its palette to the display; a file that could not be read keeps the palette in force
// and leaves the frames cut from it blank.
struct PictureFile {
    BitmapFile bitmap;
    bool loaded = false;  // the file was read and holds pixels

    explicit PictureFile(const char* file);
    ~PictureFile();
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // Cuts frames 0..count-1 of `sprite` from cells (i mod columns, i div columns).
    void cut_frames(Sprite* sprite, int count, int columns) const;
    // create_sprite and cut_frames in one for the pooled actors, with the game's colour key
    // and depth: every sprite cut alike from the same picture draws from one shared sheet.
    int create_pool_sprite(Sprite* sprite, int width, int height, int count, int columns, uint32_t attr) const;
};

// Makes `sprite` (width x height, `frames` frames, the game's colour key and depth) and cuts
// its frames from `file` as cut_frames does; 0 when the sprite cannot be made.
int load_sprite_sheet(Sprite* sprite, const char* file, int width, int height, int frames, int columns, uint32_t attr);

// A whole picture placed on a screen; its frames stand side by side in one row.
struct ScreenPicture {
    const char* file;
    Sprite* sprite;
    int width, height, frames;
    uint32_t attr;
    int x, y;  // screen pixels
};

// Loads each picture in turn into its sprite and places it; false when a sprite cannot be made.
bool load_screen_pictures(const ScreenPicture* pictures, int count);
template <int N>
bool load_screen_pictures(const ScreenPicture (&pictures)[N]) { return load_screen_pictures(pictures, N); }

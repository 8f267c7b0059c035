// The animated sprite record behind everything on screen, and its plain operations.
#pragma once
#include <cstdint>

#include "graphics/bitmap_file.h"
#include "graphics/display.h"
#include "graphics/frame_sheet.h"

constexpr uint32_t SPRITE_ATTR_SINGLE_FRAME = 0x01;
constexpr uint32_t SPRITE_ATTR_MULTI_FRAME = 0x02;
constexpr uint32_t SPRITE_ATTR_MULTI_ANIM = 0x04;
constexpr uint32_t SPRITE_ATTR_ANIM_ONE_SHOT = 0x08;
constexpr uint32_t SPRITE_ATTR_VISIBLE = 0x10;
constexpr uint32_t SPRITE_ATTR_BOUNCE = 0x20;
constexpr uint32_t SPRITE_ATTR_WRAP = 0x40;
constexpr uint32_t SPRITE_ATTR_LOADED = 0x80;

// The memory flag every game sprite is created with; kept for the record only.
constexpr int SPRITE_MEMORY_SYSTEM = 0x800;

constexpr int SPRITE_MAX_ANIMATIONS = 16;
constexpr int SPRITE_MAX_ANIMATION_LENGTH = 64;

struct Sprite {
    int state = 0;
    int anim_state = 0;
    uint32_t attr = 0;
    float x = 0, y = 0;
    float xv = 0, yv = 0;
    int width = 0, height = 0;
    int width_fill = 0;
    int bpp = 0;
    int counter_1 = 0, counter_2 = 0;
    int aux_1 = 0, aux_2 = 0, aux_3 = 0;
    int curr_frame = 0;
    int num_frames = 0;
    int curr_animation = 0;
    int anim_counter = 0;
    int anim_index = 0;
    int anim_count_max = 0;
    // Read by every animation step, so it sits with the fields above in the sprite's first
    // cache lines rather than past the sequences: a pool of enemies steps through them all
    // each frame.
    bool has_animation[SPRITE_MAX_ANIMATIONS] = {};
    // Each sequence ends with -1; a slot with -1 first is empty.
    int animations[SPRITE_MAX_ANIMATIONS][SPRITE_MAX_ANIMATION_LENGTH + 1];
    // The sprite's own frames, or those of `sheet` when it shares them: those are read-only
    // (load_sprite_frame gives the sprite copies of its own before writing).
    Surface* frames[SPRITE_MAX_FRAMES] = {};
    FrameSheet* sheet = nullptr;

    Sprite() = default;
    ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;
};

int create_sprite(Sprite* sprite, int x, int y, int width, int height, int num_frames, uint32_t attr, int mem_flags,
                  uint16_t color_key, int bpp);
// create_sprite with the frames of `cut` (attr gains SPRITE_ATTR_LOADED), shared with every
// other sprite made from the same pixels, cut the same way, with the same key: the enemy
// pools hold a hundred of each kind. A cut with a cell outside the bitmap, or a full sheet
// pool, gives the sprite frames of its own, cut frame by frame as load_sprite_frame would.
int create_shared_sprite(Sprite* sprite, const FrameCut& cut, uint32_t attr, uint16_t color_key, int bpp);
int destroy_sprite(Sprite* sprite);
// Copies one cell of a loaded bitmap into a frame. Mode 0: (cx, cy) are cell numbers;
// otherwise pixel coordinates. A cell outside the bitmap is refused (0).
int load_sprite_frame(Sprite* sprite, const BitmapFile* bitmap, int frame, int cx, int cy, int mode);
int load_sprite_animation(Sprite* sprite, int anim_index, int count, const int* frames);
int set_sprite_animation(Sprite* sprite, int anim_index);
int set_sprite_anim_speed(Sprite* sprite, int speed);
int set_sprite_position(Sprite* sprite, int x, int y);
int set_sprite_velocity(Sprite* sprite, int xv, int yv);
int show_sprite(Sprite* sprite);
int hide_sprite(Sprite* sprite);
int animate_sprite(Sprite* sprite);
int move_sprite(Sprite* sprite);
// Draws the current frame at (x, y); a frame index with no frame surface draws nothing.
int draw_sprite(Sprite* sprite, Surface* dest);
// Draws the current frame's opaque pixels all in palette index `index` (a hit flash).
int draw_sprite_silhouette(Sprite* sprite, uint8_t index, Surface* dest);
int draw_sprite_scaled(Sprite* sprite, int width, int height, Surface* dest);
int sprites_overlap(const Sprite* a, const Sprite* b);

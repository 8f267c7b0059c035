// Sprite records: frames cut from bitmaps, the three animation modes, movement and drawing.
#include "graphics/sprite.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Lets go of the frames: its own are freed, a shared sheet loses a user.
void release_frames(Sprite* s) {
    if (s->sheet) {
        for (Surface*& f : s->frames) f = nullptr;
        release_frame_sheet(s->sheet);
        s->sheet = nullptr;
        return;
    }
    for (Surface*& f : s->frames) {
        delete f;
        f = nullptr;
    }
}

// Swaps shared frames for copies of the sprite's own, so that writing to them leaves the
// other sprites alone.
void own_frames(Sprite* s) {
    if (!s->sheet) return;
    FrameSheet* sheet = s->sheet;
    for (int i = 0; i < sheet->count; ++i) s->frames[i] = new Surface(sheet->frames[i]);
    s->sheet = nullptr;
    release_frame_sheet(sheet);
}

// Every field create_sprite sets, frames aside.
void reset_record(Sprite* s, int x, int y, int width, int height, int num_frames, uint32_t attr, int bpp) {
    s->state = 1;
    s->attr = attr;
    s->anim_state = s->counter_1 = s->counter_2 = s->aux_1 = s->aux_2 = s->aux_3 = 0;
    s->curr_frame = s->curr_animation = s->anim_counter = s->anim_index = s->anim_count_max = 0;
    s->num_frames = num_frames;
    s->bpp = bpp;
    s->x = static_cast<float>(x);
    s->y = static_cast<float>(y);
    s->xv = s->yv = 0;
    s->width = width;
    s->height = height;
    for (bool& a : s->has_animation) a = false;
}

// The frame surface shown for `index`, or null when there is none.
const Surface* frame_at(const Sprite* s, int index) {
    if (index < 0 || index >= s->num_frames || index >= SPRITE_MAX_FRAMES) return nullptr;
    return s->frames[index];
}

// Truncates toward zero like a plain cast, but keeps absurd positions inside int range.
int truncate_coord(float v) {
    if (!(v > -1e8f)) return -100000000;
    if (v > 1e8f) return 100000000;
    return static_cast<int>(v);
}

int blit_frame(Sprite* s, int width, int height, Surface* dest) {
    if (!(s->attr & SPRITE_ATTR_VISIBLE)) return 1;
    const Surface* frame = frame_at(s, s->curr_frame);
    if (!frame || !dest) return 0;
    platform::Rect dst{truncate_coord(s->x), truncate_coord(s->y), truncate_coord(width + s->x), truncate_coord(height + s->y)};
    platform::Rect src{0, 0, s->width, s->height};
    return platform::blit_keyed(*dest, dst, *frame, src) ? 1 : 0;
}

}  // namespace

Sprite::~Sprite() { release_frames(this); }

int create_sprite(Sprite* s, int x, int y, int width, int height, int num_frames, uint32_t attr, int, uint16_t color_key, int bpp) {
    if (!s) return 0;
    release_frames(s);
    reset_record(s, x, y, width, height, num_frames, attr, bpp);
    if (num_frames < 1 || num_frames > SPRITE_MAX_FRAMES) return 0;
    for (int i = 0; i < num_frames; ++i) {
        auto* surface = new Surface;
        if (!platform::create_surface(*surface, width + s->width_fill, height)) {
            delete surface;
            return 0;
        }
        platform::set_color_key(*surface, static_cast<uint8_t>(color_key & 0xFF));
        s->frames[i] = surface;
    }
    return 1;
}

int create_shared_sprite(Sprite* s, const FrameCut& cut, uint32_t attr, uint16_t color_key, int bpp) {
    if (!s) return 0;
    // Found before letting go of the old frames, so a sprite made again keeps its sheet.
    FrameSheet* sheet = acquire_frame_sheet(cut, cut.width + s->width_fill, static_cast<uint8_t>(color_key & 0xFF));
    if (!sheet) {
        if (!create_sprite(s, 0, 0, cut.width, cut.height, cut.count, attr, SPRITE_MEMORY_SYSTEM, color_key, bpp)) return 0;
        // A bitmap that failed to load has been reported already and leaves the frames blank.
        if (!cut.bitmap || cut.bitmap->buffer.empty()) return 1;
        for (int i = 0; i < cut.count; ++i) load_sprite_frame(s, cut.bitmap, i, i % cut.columns, i / cut.columns, 0);
        return 1;
    }
    release_frames(s);
    reset_record(s, 0, 0, cut.width, cut.height, cut.count, attr | SPRITE_ATTR_LOADED, bpp);
    s->sheet = sheet;
    for (int i = 0; i < cut.count; ++i) s->frames[i] = &sheet->frames[i];
    return 1;
}

int destroy_sprite(Sprite* s) {
    if (!s) return 0;
    release_frames(s);
    for (bool& a : s->has_animation) a = false;
    return 1;
}

int load_sprite_frame(Sprite* s, const BitmapFile* bitmap, int frame, int cx, int cy, int mode) {
    if (!s || !bitmap) return 0;
    if (frame < 0 || frame >= SPRITE_MAX_FRAMES || !s->frames[frame]) return 0;
    if (mode == 0) {
        cx *= s->width;
        cy *= s->height;
    }
    // A bitmap that failed to load has been reported already; there is nothing to cut.
    if (bitmap->buffer.empty()) return 0;
    const FrameCut cut{bitmap, s->width, s->height, 1, 1};
    if (!cell_inside_bitmap(cut, cx, cy)) {
        std::fprintf(stderr, "quillmoor: %s: frame %d lies outside the bitmap\n", bitmap->name[0] ? bitmap->name : "bitmap", frame);
        return 0;
    }
    own_frames(s);
    copy_cell(*s->frames[frame], cut, cx, cy);
    s->attr |= SPRITE_ATTR_LOADED;
    return 1;
}

int load_sprite_animation(Sprite* s, int anim_index, int count, const int* frames) {
    if (!s || !frames || anim_index < 0 || anim_index >= SPRITE_MAX_ANIMATIONS || count < 1 || count > SPRITE_MAX_ANIMATION_LENGTH) return 0;
    std::memcpy(s->animations[anim_index], frames, sizeof(int) * count);
    s->animations[anim_index][count] = -1;
    s->has_animation[anim_index] = true;
    return 1;
}

int set_sprite_animation(Sprite* s, int anim_index) {
    if (!s) return 0;
    s->curr_animation = anim_index;
    s->anim_index = 0;
    return 1;
}

int set_sprite_anim_speed(Sprite* s, int speed) {
    if (!s) return 0;
    s->anim_count_max = speed;
    return 1;
}

int set_sprite_position(Sprite* s, int x, int y) {
    if (!s) return 0;
    s->x = static_cast<float>(x);
    s->y = static_cast<float>(y);
    return 1;
}

int set_sprite_velocity(Sprite* s, int xv, int yv) {
    if (!s) return 0;
    s->xv = static_cast<float>(xv);
    s->yv = static_cast<float>(yv);
    return 1;
}

int show_sprite(Sprite* s) {
    if (!s) return 0;
    s->attr |= SPRITE_ATTR_VISIBLE;
    return 1;
}

int hide_sprite(Sprite* s) {
    if (!s) return 0;
    s->attr &= ~SPRITE_ATTR_VISIBLE;
    return 1;
}

int animate_sprite(Sprite* s) {
    if (!s) return 0;
    if (s->attr & SPRITE_ATTR_SINGLE_FRAME) {
        s->curr_frame = 0;
    } else if (s->attr & SPRITE_ATTR_MULTI_FRAME) {
        if (++s->anim_counter >= s->anim_count_max) {
            s->anim_counter = 0;
            if (++s->curr_frame >= s->num_frames) s->curr_frame = 0;
        }
    } else if (s->attr & SPRITE_ATTR_MULTI_ANIM) {
        const int a = s->curr_animation;
        // No sequence in the selected slot: nothing to step through.
        if (a < 0 || a >= SPRITE_MAX_ANIMATIONS || !s->has_animation[a]) return 1;
        if (++s->anim_counter >= s->anim_count_max) {
            s->anim_counter = 0;
            const int* seq = s->animations[a];
            if (s->anim_index < 0 || s->anim_index >= SPRITE_MAX_ANIMATION_LENGTH) s->anim_index = 0;
            s->curr_frame = seq[++s->anim_index];
            if (s->curr_frame == -1) {
                if (s->attr & SPRITE_ATTR_ANIM_ONE_SHOT) {
                    s->anim_state = 1;
                    s->curr_frame = seq[--s->anim_index];
                } else {
                    s->anim_index = 0;
                    s->curr_frame = seq[0];
                }
            }
        }
    }
    return 1;
}

int move_sprite(Sprite* s) {
    if (!s) return 0;
    s->x += s->xv;
    s->y += s->yv;
    const float min_x = static_cast<float>(display.min_clip_x), max_x = static_cast<float>(display.max_clip_x);
    const float min_y = static_cast<float>(display.min_clip_y), max_y = static_cast<float>(display.max_clip_y);
    if (s->attr & SPRITE_ATTR_WRAP) {
        if (s->x > max_x)
            s->x = min_x - s->width;
        else if (s->x < min_x - s->width)
            s->x = max_x;
        if (s->y > max_y)
            s->y = min_y - s->height;
        else if (s->y < min_y - s->height)
            s->y = max_y;
    } else if (s->attr & SPRITE_ATTR_BOUNCE) {
        if (s->x > max_x - s->width || s->x < min_x) s->xv = -s->xv;
        if (s->y > max_y - s->height || s->y < min_y) s->yv = -s->yv;
    }
    return 1;
}

int draw_sprite(Sprite* s, Surface* dest) {
    if (!s) return 0;
    return blit_frame(s, s->width, s->height, dest);
}

int draw_sprite_silhouette(Sprite* s, uint8_t index, Surface* dest) {
    if (!s) return 0;
    if (!(s->attr & SPRITE_ATTR_VISIBLE)) return 1;
    const Surface* frame = frame_at(s, s->curr_frame);
    if (!frame || !dest) return 0;
    platform::blit_silhouette(*dest, truncate_coord(s->x), truncate_coord(s->y), *frame, index);
    return 1;
}

int draw_sprite_scaled(Sprite* s, int width, int height, Surface* dest) {
    if (!s) return 0;
    return blit_frame(s, width, height, dest);
}

int sprites_overlap(const Sprite* a, const Sprite* b) {
    if (!a || !b || !(a->attr & SPRITE_ATTR_VISIBLE) || !(b->attr & SPRITE_ATTR_VISIBLE)) return 0;
    const int hwa = (a->width >> 1) - (a->width >> 3), hha = (a->height >> 1) - (a->height >> 3);
    const int hwb = (b->width >> 1) - (b->width >> 3), hhb = (b->height >> 1) - (b->height >> 3);
    const int pxa = truncate_coord(hwa + a->x), pya = truncate_coord(hha + a->y);
    const int pxb = truncate_coord(hwb + b->x), pyb = truncate_coord(hhb + b->y);
    return (std::abs(pxb - pxa) < hwa + hwb && std::abs(pyb - pya) < hha + hhb) ? 1 : 0;
}

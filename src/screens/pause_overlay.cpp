// Drawing the pause overlay: a dithered shade, a framed box, its entries and the pointer.
#include "screens/pause_overlay.h"

#include "graphics/display.h"

namespace {

constexpr int BOX_X = 190, BOX_Y = 140, BOX_W = 260, BOX_H = 200;
constexpr int ENTRY_X = 262, ENTRY_TOP = 210, ENTRY_STEP = 34;
constexpr uint32_t CREAM = 0x00C8ECF4, WHITE = 0x00FFFFFF, GOLD = 0x0040C8F8, GREY = 0x00808080;
constexpr uint32_t BOX_FILL = 0x00301810, BOX_EDGE = 0x0040A0D0;

const char* const ENTRY_TEXT[PAUSE_CHOICE_COUNT] = {"Resume", "Options", "Quit to title"};

// Every other pixel goes black, in a checker: the world stays in sight but steps back.
void shade_screen(Surface& s) {
    const uint8_t black = nearest_palette_index(0x000000);
    for (int y = 0; y < s.height; ++y) {
        uint8_t* row = &s.pixels[static_cast<size_t>(y) * s.pitch];
        for (int x = y & 1; x < s.width; x += 2) row[x] = black;
    }
}

}  // namespace

void draw_pause_overlay(int choice, bool offers_options, Sprite& pointer) {
    Surface* back = &display.back_surface;
    shade_screen(*back);
    // A dark box with a gold edge, like the speech box's frame.
    fill_box(BOX_X - 3, BOX_Y - 3, BOX_X + BOX_W + 3, BOX_Y + BOX_H + 3, 0x000000);
    fill_box(BOX_X, BOX_Y, BOX_X + BOX_W, BOX_Y + BOX_H, BOX_EDGE);
    fill_box(BOX_X + 3, BOX_Y + 3, BOX_X + BOX_W - 3, BOX_Y + BOX_H - 3, BOX_FILL);
    draw_outlined_text("PAUSED", BOX_X + BOX_W / 2 - 28, BOX_Y + 22, GOLD, back);
    for (int c = 0; c < PAUSE_CHOICE_COUNT; ++c) {
        const bool greyed = c == PAUSE_CHOICE_OPTIONS && !offers_options;
        const uint32_t colour = greyed ? GREY : c == choice ? WHITE : CREAM;
        draw_outlined_text(ENTRY_TEXT[c], ENTRY_X, ENTRY_TOP + c * ENTRY_STEP, colour, back);
    }
    draw_outlined_text("P: resume", BOX_X + BOX_W / 2 - 36, BOX_Y + BOX_H - 26, CREAM, back);
    pointer.x = static_cast<float>(ENTRY_X - 56);
    pointer.y = static_cast<float>(ENTRY_TOP + choice * ENTRY_STEP + 1);
    animate_sprite(&pointer);
    draw_sprite(&pointer, back);
}

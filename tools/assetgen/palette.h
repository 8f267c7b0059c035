// The one 256-colour palette shared by every bitmap of the game, and names for its ramps.
#pragma once
#include <array>
#include <cstdint>

namespace art {

struct Rgb {
    uint8_t r, g, b;
};

// Index 0 is the transparent black. Indices 1..15 are a neutral grey ramp ending in
// pure white (15). From 16 on, 30 ramps of 8 shades each, darkest first: RAMP + 0 is
// the darkest shade, RAMP + 7 the lightest.
constexpr int TRANSPARENT = 0;
constexpr int GREY = 1;  // GREY + 0 .. GREY + 14, GREY + 14 is white
constexpr int WHITE = 15;
constexpr int BLACK = 1;  // the darkest opaque grey, used for outlines

constexpr int GRASS = 16;
constexpr int LEAF = 24;
constexpr int MOSS = 32;
constexpr int LIME = 40;  // LIME + 7 is exactly 0x00FF00, the green of the HUD text
constexpr int DIRT = 48;
constexpr int WOOD = 56;
constexpr int BARK = 64;
constexpr int SAND = 72;
constexpr int STONE = 80;
constexpr int SLATE = 88;
constexpr int WATER = 96;
constexpr int SKY = 104;
constexpr int FUR = 112;
constexpr int SKIN = 120;
constexpr int RED = 128;
constexpr int ORANGE = 136;
constexpr int GOLD = 144;
constexpr int HONEY = 152;
constexpr int PURPLE = 160;
constexpr int MOLE = 168;
constexpr int STEEL = 176;
constexpr int CREAM = 184;
constexpr int TEAL = 192;
constexpr int BRICK = 200;
constexpr int ROSE = 208;
constexpr int NAVY = 216;
constexpr int FLOWER = 224;
constexpr int CLAY = 232;
constexpr int OCHRE = 240;
constexpr int NIGHT = 248;

constexpr int PURE_GREEN = LIME + 7;

using Palette = std::array<Rgb, 256>;

// The palette, built once from the ramp anchors.
const Palette& game_palette();

// Nearest palette index (1..255, never the transparent 0) to a colour.
int nearest_index(Rgb c);

}  // namespace art

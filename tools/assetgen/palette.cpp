// Builds the shared palette from a dark, a middle and a light anchor per ramp.
#include "palette.h"

namespace art {
namespace {

struct RampAnchors {
    int first;
    Rgb dark, mid, light;
};

constexpr RampAnchors RAMPS[] = {
    {GRASS, {18, 52, 14}, {76, 150, 52}, {178, 226, 120}},
    {LEAF, {8, 30, 16}, {30, 92, 44}, {104, 170, 96}},
    {MOSS, {34, 40, 12}, {104, 118, 42}, {196, 204, 120}},
    {LIME, {24, 90, 10}, {90, 200, 40}, {0, 255, 0}},
    {DIRT, {52, 32, 16}, {140, 96, 56}, {218, 180, 128}},
    {WOOD, {58, 28, 10}, {150, 84, 34}, {232, 170, 96}},
    {BARK, {30, 22, 18}, {86, 66, 52}, {160, 138, 116}},
    {SAND, {120, 96, 56}, {212, 188, 130}, {252, 240, 200}},
    {STONE, {34, 38, 48}, {110, 118, 132}, {206, 212, 222}},
    {SLATE, {40, 36, 34}, {120, 110, 100}, {214, 204, 190}},
    {WATER, {10, 24, 70}, {36, 90, 176}, {120, 180, 240}},
    {SKY, {40, 90, 140}, {120, 190, 230}, {220, 244, 255}},
    {FUR, {44, 36, 34}, {128, 112, 104}, {220, 208, 198}},
    {SKIN, {120, 60, 64}, {222, 140, 140}, {255, 214, 208}},
    {RED, {60, 6, 8}, {196, 30, 30}, {255, 140, 120}},
    {ORANGE, {90, 36, 4}, {230, 120, 20}, {255, 206, 130}},
    {GOLD, {96, 70, 0}, {232, 190, 20}, {255, 248, 160}},
    {HONEY, {80, 44, 4}, {204, 140, 30}, {252, 220, 130}},
    {PURPLE, {34, 10, 52}, {120, 50, 160}, {214, 170, 240}},
    {MOLE, {22, 18, 26}, {74, 62, 78}, {156, 140, 156}},
    {STEEL, {26, 32, 44}, {100, 116, 140}, {220, 232, 246}},
    {CREAM, {128, 104, 40}, {240, 210, 100}, {255, 250, 214}},
    {TEAL, {4, 48, 50}, {30, 140, 140}, {150, 230, 220}},
    {BRICK, {60, 20, 14}, {150, 64, 44}, {230, 150, 120}},
    {ROSE, {110, 44, 60}, {230, 130, 150}, {255, 210, 220}},
    {NAVY, {6, 8, 30}, {30, 40, 100}, {110, 130, 200}},
    {FLOWER, {90, 10, 70}, {220, 60, 170}, {255, 190, 240}},
    {CLAY, {80, 30, 16}, {190, 100, 60}, {250, 190, 150}},
    {OCHRE, {90, 70, 20}, {196, 164, 70}, {246, 232, 160}},
    {NIGHT, {2, 2, 8}, {20, 22, 40}, {60, 64, 90}},
};

uint8_t mix(uint8_t a, uint8_t b, int num, int den) {
    return static_cast<uint8_t>(a + ((b - a) * num + den / 2) / den);
}

Rgb lerp(Rgb a, Rgb b, int num, int den) {
    return {mix(a.r, b.r, num, den), mix(a.g, b.g, num, den), mix(a.b, b.b, num, den)};
}

Palette build() {
    Palette p{};
    p[0] = {0, 0, 0};
    for (int i = 1; i <= 15; ++i) {
        auto v = static_cast<uint8_t>(i * 17);
        p[i] = {v, v, v};
    }
    p[BLACK] = {12, 10, 14};
    for (const auto& ramp : RAMPS) {
        // Shades 0..3 run from dark to just below mid, 4..7 from mid to light.
        for (int s = 0; s < 4; ++s) p[ramp.first + s] = lerp(ramp.dark, ramp.mid, s, 4);
        for (int s = 0; s < 4; ++s) p[ramp.first + 4 + s] = lerp(ramp.mid, ramp.light, s, 3);
    }
    return p;
}

}  // namespace

const Palette& game_palette() {
    static const Palette palette = build();
    return palette;
}

int nearest_index(Rgb c) {
    const Palette& p = game_palette();
    int best = 1;
    long best_d = -1;
    for (int i = 1; i < 256; ++i) {
        long dr = p[i].r - c.r, dg = p[i].g - c.g, db = p[i].b - c.b;
        long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (best_d < 0 || d < best_d) {
            best_d = d;
            best = i;
        }
    }
    return best;
}

}  // namespace art

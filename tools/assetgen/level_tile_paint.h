// Painting helpers for the 32 x 32 map tiles: seamless textures, wrapped shapes, shading.
#pragma once
#include <algorithm>
#include <cmath>

#include "canvas.h"

namespace art::tilepaint {

constexpr int S = 32;  // tile size in pixels

inline Canvas blank() { return Canvas(S, S, GREY + 6); }

// Value noise that repeats every 32 pixels, so textures tile without seams. `cell` must divide 32.
inline double pnoise(int x, int y, int cell, unsigned seed) {
    int n = S / cell;
    auto v = [&](int a, int b) { return noise(((a % n) + n) % n, ((b % n) + n) % n, seed) / 65535.0; };
    int ix = x / cell, iy = y / cell;
    double tx = (x % cell + 0.5) / cell, ty = (y % cell + 0.5) / cell;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double top = v(ix, iy) * (1 - tx) + v(ix + 1, iy) * tx;
    double bottom = v(ix, iy + 1) * (1 - tx) + v(ix + 1, iy + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

inline double grain(int x, int y, unsigned seed) { return noise(((x % S) + S) % S, ((y % S) + S) % S, seed) / 65535.0; }

// Fills the tile with shades lo..hi of a ramp: broad patches plus fine grain.
inline void ground(Canvas& c, int ramp, int lo, int hi, int cell, unsigned seed) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            double v = 0.55 * pnoise(x, y, cell, seed) + 0.25 * pnoise(x, y, cell / 2 > 0 ? cell / 2 : 1, seed + 1) + 0.2 * grain(x, y, seed + 2);
            int shade = lo + std::clamp(static_cast<int>(v * (hi - lo + 1)), 0, hi - lo);
            c.set(x, y, ramp + shade);
        }
}

// Sets a pixel, wrapping around the tile edges.
inline void wset(Canvas& c, int x, int y, int index) { c.set(((x % S) + S) % S, ((y % S) + S) % S, index); }

// A comb of wax cells 8 pixels apart in offset rows, wrapping round the tile: each pixel of a
// cell (|dx| + |dy| <= 4 and |dx| <= 3 from its centre) takes shade(dx, dy, tone), where the
// cell's tone is 0 or 1.
template <class Shade>
void wax_comb(Canvas& c, unsigned seed, Shade shade) {
    for (int row = 0; row < 4; ++row)
        for (int col = -1; col < 5; ++col) {
            int cx = col * 8 + (row % 2) * 4 + 4, cy = row * 8 + 4;
            int tone = static_cast<int>(noise(col & 3, row, seed) % 2);
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    if (std::abs(dx) + std::abs(dy) > 4 || std::abs(dx) > 3) continue;
                    wset(c, cx + dx, cy + dy, shade(dx, dy, tone));
                }
        }
}

// An ellipse that wraps around the tile edges.
inline void wdisc(Canvas& c, int cx, int cy, int rx, int ry, int index) {
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx) {
            double ex = rx ? double(dx) / (rx + 0.5) : 0, ey = ry ? double(dy) / (ry + 0.5) : 0;
            if (ex * ex + ey * ey <= 1.0) wset(c, cx + dx, cy + dy, index);
        }
}

inline int ramp_of(int index) { return index < 16 ? GREY : 16 + (index - 16) / 8 * 8; }
inline int ramp_top(int index) { return index < 16 ? 15 : ramp_of(index) + 7; }

// Moves a pixel `amount` shades darker (negative: lighter) within its own ramp.
inline int shifted(int index, int amount) {
    if (index == TRANSPARENT) return index;
    int lo = ramp_of(index), hi = ramp_top(index);
    return std::clamp(index - amount, lo, hi);
}

inline void darken(Canvas& c, int x, int y, int amount) {
    if (c.inside(x, y)) c.set(x, y, shifted(c.at(x, y), amount));
}

// A soft shadow cast down and to the right by an object standing on the ground.
inline void shadow(Canvas& c, int cx, int cy, int rx, int ry, int amount = 2) {
    for (int y = cy - ry; y <= cy + ry; ++y)
        for (int x = cx - rx; x <= cx + rx; ++x) {
            double ex = double(x - cx) / rx, ey = double(y - cy) / ry;
            if (ex * ex + ey * ey <= 1.0) darken(c, x, y, amount);
        }
}

// A filled ellipse shaded by the light from the upper left, shades lo..hi of a ramp.
inline void ball(Canvas& c, int cx, int cy, int rx, int ry, int ramp, int lo, int hi) {
    for (int y = cy - ry; y <= cy + ry; ++y)
        for (int x = cx - rx; x <= cx + rx; ++x) {
            double dx = (x - cx) / (rx + 0.5), dy = (y - cy) / (ry + 0.5);
            double d2 = dx * dx + dy * dy;
            if (d2 > 1.0) continue;
            double light = 0.55 - 0.4 * (dx + dy) * 0.7 - 0.3 * d2;
            int shade = lo + static_cast<int>(std::lround(std::clamp(light, 0.0, 1.0) * (hi - lo)));
            c.set(x, y, ramp + std::clamp(shade, lo, hi));
        }
}

// Sprinkles single pixels of one colour over about per_mille of the tile.
inline void speckle(Canvas& c, int index, int per_mille, unsigned seed) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            if (static_cast<int>(noise(x, y, seed) % 1000) < per_mille) c.set(x, y, index);
}

// The meadow grass that lies under every object standing in the open.
void grass(Canvas& c, unsigned seed);

Canvas floor_tile(int t);  // 0..30
Canvas solid_tile(int t);  // 31..69

}  // namespace art::tilepaint

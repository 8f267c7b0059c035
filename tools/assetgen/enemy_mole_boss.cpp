// Dorvik the mole boss, "DorvikMole.BMP": a mole twice the size in a miner's helmet,
// with his stunned, digging and underground frames.
#include <cmath>

#include "enemy_boss_bits.h"
#include "enemy_draw.h"
#include "enemy_mole_body.h"
#include "enemy_sheets.h"

namespace art {
namespace {

constexpr int SIZE = 64;
constexpr double K = 2;
constexpr double CLAW = 1.15;
// The hole he digs: centre and half-widths in pixels.
constexpr int HOLE_X = 32, HOLE_Y = 53, HOLE_RX = 29, HOLE_RY = 9;

// Helmet with its lamp, a scar over one eye and a belt: what sets the boss apart.
// `down` is how many pixels the figure has been lowered.
void gear(Canvas& frame, double down, bool dizzy, bool walking_step) {
    Pen p{frame, K, 0, down};
    double b = walking_step ? -0.5 : 0;
    // The belt across the belly, with a buckle.
    Canvas belt(SIZE, SIZE);
    Pen q{belt, K, 0, down};
    pen_rect(q, 7, 21.5 + b, 18, 2.2, WOOD + 2);
    pen_rect(q, 7, 21.5 + b, 18, 0.6, WOOD + 4);
    Canvas body_mask = frame;
    clip(belt, [&](int x, int y) { return body_mask.at(x, y) >= MOLE && body_mask.at(x, y) < MOLE + 8; });
    pen_rect(q, 14.5, 21 + b, 3, 3, GOLD + 5);
    pen_rect(q, 15.2, 21.7 + b, 1.6, 1.6, WOOD + 1);
    stamp(frame, belt);
    // A scar across the right-hand eye, with stitches.
    int sx = p.x(18.5), sy = p.y(9 + b);
    line(frame, sx, sy, sx + 7, sy + 9, SKIN + 6);
    line(frame, sx + 1, sy, sx + 8, sy + 9, SKIN + 4);
    for (int i = 1; i < 9; i += 3) {
        int x = sx + i * 7 / 9, y = sy + i;
        frame.set(x - 1, y + 1, MOLE);
        frame.set(x + 1, y - 1, MOLE);
    }
    // Miner's helmet: a dome, a brim, and the lamp on its front.
    Canvas helmet(SIZE, SIZE);
    Pen h{helmet, K, dizzy ? 1.5 : 0, down};
    double tilt = dizzy ? 1 : 0;
    pen_blob(h, 16, 5.6 + b + tilt * 0.3, 7.2, 4.6, OCHRE, 1, 7);
    pen_ellipse(h, 16, 8.2 + b + tilt * 0.3, 9, 1.6, OCHRE + 2);
    pen_rect(h, 8, 7.9 + b + tilt * 0.3, 16, 0.5, OCHRE + 5);
    stamp(frame, helmet);
    Canvas lamp(SIZE, SIZE);
    Pen l{lamp, K, dizzy ? 1.5 : 0, down};
    pen_ellipse(l, 16, 4.6 + b, 2.6, 2.4, STEEL + 3);
    pen_ellipse(l, 16, 4.6 + b, 1.8, 1.6, dizzy ? CREAM + 3 : CREAM + 7);
    pen_dot(l, 15.2, 3.8 + b, WHITE);
    stamp(frame, lamp);
    // Small fierce eyes under heavy brows, or crossed out while he reels.
    for (int side = 0; side < 2; ++side) {
        int ex = p.x(side ? 19.5 : 11.5), ey = p.y(11.5 + b);
        if (dizzy) {
            line(frame, ex - 2, ey - 2, ex + 2, ey + 2, WHITE);
            line(frame, ex - 2, ey + 2, ex + 2, ey - 2, WHITE);
            continue;
        }
        fill_rect(frame, ex - 1, ey - 1, 4, 3, BLACK);
        frame.set(side ? ex : ex + 1, ey, RED + 6);
        frame.set(side ? ex - 1 : ex + 2, ey - 1, RED + 4);
        // Heavy brows sloping down toward the snout.
        for (int t = 0; t < 2; ++t) {
            if (side)
                line(frame, ex - 2, ey - 2 - t, ex + 3, ey - 5 - t, MOLE);
            else
                line(frame, ex - 1, ey - 5 - t, ex + 4, ey - 2 - t, MOLE);
        }
    }
}

Canvas walking(int step, bool dizzy) {
    Canvas f(SIZE, SIZE);
    draw_mole(f, FACING_DOWN, step, MoleLook{K, CLAW, dizzy, 0, false});
    gear(f, 0, dizzy, step != 0);
    return f;
}

Canvas stunned(double turn) {
    Canvas f = walking(0, true);
    // Stars wheel round his head.
    for (int i = 0; i < 3; ++i) {
        double a = turn + i * 2 * M_PI / 3;
        draw_star(f, 32 + 21 * std::cos(a), 11 + 6 * std::sin(a), 4, a);
    }
    return f;
}

// The boss sunk `down` pixels into a hole, with clods thrown up when `clods` is set.
Canvas digging(int down, int clods, int heap) {
    Canvas f(SIZE, SIZE);
    // The back of the rim and the dark mouth of the hole.
    Canvas ring(SIZE, SIZE);
    fill_ellipse_box(ring, HOLE_X - HOLE_RX, HOLE_Y - HOLE_RY, 2 * HOLE_RX, 2 * HOLE_RY, DIRT + 4);
    shade_ellipse(ring, HOLE_X - HOLE_RX, HOLE_Y - HOLE_RY, 2 * HOLE_RX, 2 * HOLE_RY, DIRT, 2, 7);
    for (int i = 0; i < 40; ++i) {
        int x = HOLE_X - HOLE_RX + static_cast<int>(noise(i, 1, 21) % (2 * HOLE_RX));
        int y = HOLE_Y - HOLE_RY + static_cast<int>(noise(i, 2, 21) % (2 * HOLE_RY));
        if (ring.at(x, y)) ring.set(x, y, DIRT + 1 + static_cast<int>(noise(i, 3, 21) % 3));
    }
    Canvas mouth(SIZE, SIZE);
    fill_ellipse_box(mouth, HOLE_X - HOLE_RX + 6, HOLE_Y - HOLE_RY + 3, 2 * HOLE_RX - 12, 2 * HOLE_RY - 7, DIRT);
    stamp(f, ring);
    paste(f, mouth, 0, 0);
    // The figure, lowered and cut off at the mouth's far half.
    Canvas body(SIZE, SIZE);
    draw_mole(body, FACING_DOWN, 0, MoleLook{K, CLAW, false, 0, false});
    gear(body, 0, false, false);
    Canvas sunk(SIZE, SIZE);
    paste(sunk, body, 0, down);
    clip(sunk, [](int, int y) { return y < HOLE_Y; });
    paste(f, sunk, 0, 0);
    // The near rim, in front of him.
    Canvas front = ring;
    clip(front, [&](int x, int y) { return y >= HOLE_Y && !mouth.at(x, y - 1); });
    paste(f, front, 0, 0);
    // A heap of earth piling up in front as he goes down.
    if (heap > 0) {
        Canvas pile(SIZE, SIZE);
        fill_ellipse_box(pile, HOLE_X - heap, HOLE_Y + HOLE_RY - heap / 2 - 4, 2 * heap, heap, DIRT + 4);
        shade_ellipse(pile, HOLE_X - heap, HOLE_Y + HOLE_RY - heap / 2 - 4, 2 * heap, heap, DIRT, 2, 7);
        stamp(f, pile);
    }
    for (int i = 0; i < clods; ++i) {
        int side = i % 2 ? 1 : -1;
        draw_clod(f, HOLE_X + side * (20 + 3 * (i / 2)), 14 + 9 * (i / 2) + (i % 2) * 4, 2 + (i + 1) % 2);
    }
    return f;
}

// The travelling hump of earth he raises underground; phase 0 or 1.
Canvas mound(int phase) {
    Canvas f(SIZE, SIZE);
    Canvas hump(SIZE, SIZE);
    int crest = phase ? 30 : 34;
    fill_ellipse_box(hump, 6, 36, 52, 24, DIRT + 4);
    fill_ellipse_box(hump, crest - 15, 28 + phase, 30, 22, DIRT + 4);
    shade_ellipse(hump, 6, 28, 52, 32, DIRT, 1, 7);
    // Lumps, stones and cracks in the turned earth.
    for (int i = 0; i < 60; ++i) {
        int x = 6 + static_cast<int>(noise(i, phase, 33) % 52), y = 28 + static_cast<int>(noise(i, 7, 33) % 32);
        int v = hump.at(x, y);
        if (v >= DIRT && v < DIRT + 8) hump.set(x, y, noise(i, 9, 33) % 2 ? std::max(DIRT, v - 2) : std::min(DIRT + 7, v + 1));
    }
    line(hump, crest - 6, 34 + phase, crest + 2, 40, DIRT + 1);
    line(hump, crest + 2, 40, crest + 8, 37, DIRT + 1);
    line(hump, crest - 14, 46, crest - 8, 50, DIRT + 2);
    stamp(f, hump);
    // Crumbs tumbling off the sides as it moves.
    draw_clod(f, phase ? 8 : 56, phase ? 40 : 44, 2);
    draw_clod(f, phase ? 52 : 12, phase ? 56 : 54, 2);
    draw_clod(f, crest + (phase ? 12 : -12), 24 + phase * 2, 2);
    return f;
}

}  // namespace

Canvas mole_boss_sheet() {
    // Frames 0-2 walk (0 stands, 1 and 2 stride); 3 and 4 stunned, stars wheeling;
    // 5-7 digging in ever deeper (coming up plays 6, 5 back); 8 and 9 the moving mound.
    std::vector<Canvas> frames;
    frames.push_back(walking(0, false));
    frames.push_back(walking(1, false));
    frames.push_back(walking(2, false));
    frames.push_back(stunned(0.3));
    frames.push_back(stunned(1.35));
    frames.push_back(digging(12, 4, 0));
    frames.push_back(digging(26, 4, 0));
    frames.push_back(digging(40, 2, 0));
    frames.push_back(mound(0));
    frames.push_back(mound(1));
    return sheet(frames, 10);
}

}  // namespace art

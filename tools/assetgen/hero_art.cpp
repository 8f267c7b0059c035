// Draws Nibbs the rat hero: his walking and attack frames, the sword swing and the arrow.
#include <cmath>

#include "canvas.h"
#include "generators.h"
#include "hero_paint.h"

namespace art {
namespace {

constexpr int FRAME = 32;

// One body pose. Offsets are in pixels: for the front and back views the feet move
// up and down the screen, for the side view they move forwards and backwards.
struct Pose {
    int near_foot = 0;
    int far_foot = 0;
    int near_arm = 0;
    int far_arm = 0;
    int bob = 0;  // head and body pushed down (feet on the ground in a stride)
    bool attack = false;
};

Canvas layer() { return Canvas(FRAME, FRAME); }

// Keeps only the pixels of `part` that fall on opaque pixels of `mask` (a belt on a tunic).
void clip_to(Canvas& part, const Canvas& mask) {
    for (size_t i = 0; i < part.pixels.size(); ++i)
        if (!mask.pixels[i]) part.pixels[i] = 0;
}

void paw(Canvas& c, int x, int y, int shade) { fill_ellipse_box(c, x, y, 4, 3, SKIN + shade); }

void tail(Canvas& f, const std::vector<std::pair<int, int>>& pts) {
    Canvas t = layer();
    thick_path(t, pts, 0, SKIN + 4);
    // Thicken the root so the tail grows out of the body rather than a thread.
    line(t, pts[0].first, pts[0].second + 1, pts[1].first, pts[1].second + 1, SKIN + 3);
    stamp(f, t);
}

void tunic(Canvas& f, int x, int y, int w, int h, int belt_y, bool buckle) {
    Canvas t = layer();
    // Rounded shoulders over a skirt that flares a little toward the hem.
    fill_ellipse_box(t, x, y, w, h - 3, LEAF + 5);
    fill_polygon(t, {{x + 1, y + h / 2}, {x + w - 1, y + h / 2}, {x + w, y + h}, {x - 1, y + h}}, LEAF + 5);
    shade_ellipse(t, x - 1, y, w + 2, h, LEAF, 3, 6);
    // A darker hem along the bottom edge.
    for (int i = x; i < x + w; ++i)
        for (int j = y + h - 1; j >= y; --j)
            if (t.at(i, j)) {
                t.set(i, j, LEAF + 3);
                break;
            }
    Canvas belt = layer();
    fill_rect(belt, x, belt_y, w, 2, WOOD + 2);
    fill_rect(belt, x, belt_y, w, 1, WOOD + 3);
    if (buckle) {
        int bx = x + w / 2 - 1;
        fill_rect(belt, bx, belt_y, 2, 2, GOLD + 6);
        belt.set(bx + 1, belt_y + 1, GOLD + 3);
    }
    clip_to(belt, t);
    paste(t, belt, 0, 0);
    stamp(f, t);
}

// Both legs as seen from the front or the back, the fur and the paws in the given shades.
void legs_front_or_back(Canvas& f, const Pose& p, int fur, int paw_shade) {
    Canvas legs = layer();
    fill_rect(legs, 12, 24, 3, 4 + p.near_foot, fur);
    fill_rect(legs, 17, 24, 3, 4 + p.far_foot, fur);
    paw(legs, 11, 27 + p.near_foot, paw_shade);
    paw(legs, 17, 27 + p.far_foot, paw_shade);
    stamp(f, legs);
}

void eye(Canvas& f, int x, int y) {
    fill_rect(f, x, y, 2, 2, BLACK);
    f.set(x, y, WHITE);
}

// ---- Facing down: the face, the tunic front, the tail peeking out on one side. ----
Canvas draw_front(const Pose& p) {
    Canvas f = layer();
    int b = p.bob;
    tail(f, {{20, 25 + b}, {24, 27}, {27, 26}, {28, 23}, {27, 20}});

    legs_front_or_back(f, p, FUR + 3, 4);

    tunic(f, 10, 16 + b, 12, 10, 22 + b, true);

    // Arms: the sword arm reaches down to the blade below him when attacking.
    Canvas arms = layer();
    if (p.attack) {
        fill_ellipse_box(arms, 7, 17 + b, 3, 6, FUR + 4);
        fill_ellipse_box(arms, 7, 22 + b, 3, 3, SKIN + 4);
        Canvas reach = layer();
        thick_line(reach, 21, 19, 19, 26, 1, FUR + 4);
        paw(reach, 17, 27, 5);
        stamp(f, arms);
        stamp(f, reach);
    } else {
        fill_ellipse_box(arms, 7, 17 + b + p.near_arm, 3, 6, FUR + 4);
        fill_ellipse_box(arms, 22, 17 + b + p.far_arm, 3, 6, FUR + 3);
        fill_ellipse_box(arms, 7, 22 + b + p.near_arm, 3, 3, SKIN + 4);
        fill_ellipse_box(arms, 22, 22 + b + p.far_arm, 3, 3, SKIN + 4);
        stamp(f, arms);
    }

    // Scarf: a red neckerchief with a knot hanging on his right.
    Canvas scarf = layer();
    fill_rect(scarf, 11, 16 + b, 10, 2, RED + 4);
    fill_polygon(scarf, {{17, 17 + b}, {20, 17 + b}, {19, 21 + b}}, RED + 3);
    stamp(f, scarf);

    Canvas ears = layer();
    fill_ellipse_box(ears, 3, 1 + b, 9, 9, FUR + 4);
    fill_ellipse_box(ears, 20, 1 + b, 9, 9, FUR + 4);
    fill_ellipse_box(ears, 5, 3 + b, 5, 5, SKIN + 4);
    fill_ellipse_box(ears, 22, 3 + b, 5, 5, SKIN + 4);
    ears.set(6, 4 + b, SKIN + 6);
    ears.set(23, 4 + b, SKIN + 6);
    stamp(f, ears);

    Canvas head = layer();
    fill_ellipse_box(head, 8, 5 + b, 16, 13, FUR + 4);
    shade_ellipse(head, 8, 5 + b, 16, 13, FUR, 4, 6);
    fill_ellipse_box(head, 12, 12 + b, 8, 6, FUR + 6);
    stamp(f, head);
    eye(f, 11, 10 + b);
    eye(f, 19, 10 + b);
    // Brows set low and level: a determined look.
    line(f, 10, 9 + b, 12, 9 + b, FUR + 1);
    line(f, 19, 9 + b, 21, 9 + b, FUR + 1);
    fill_rect(f, 15, 13 + b, 2, 2, SKIN + 3);
    f.set(15, 13 + b, SKIN + 6);
    f.set(15, 16 + b, FUR + 2);
    f.set(16, 16 + b, FUR + 2);
    // Whiskers.
    line(f, 12, 14 + b, 9, 13 + b, FUR + 7);
    line(f, 12, 15 + b, 9, 16 + b, FUR + 7);
    line(f, 19, 14 + b, 22, 13 + b, FUR + 7);
    line(f, 19, 15 + b, 22, 16 + b, FUR + 7);
    return f;
}

// ---- Facing up: his back, the backs of his ears, and the long tail toward us. ----
Canvas draw_back(const Pose& p) {
    Canvas f = layer();
    int b = p.bob;

    legs_front_or_back(f, p, FUR + 2, 2);

    tunic(f, 10, 16 + b, 12, 10, 22 + b, false);

    Canvas arms = layer();
    fill_ellipse_box(arms, 7, 17 + b + p.near_arm, 3, 6, FUR + 3);
    fill_ellipse_box(arms, 7, 22 + b + p.near_arm, 3, 3, SKIN + 3);
    if (!p.attack) {
        fill_ellipse_box(arms, 22, 17 + b + p.far_arm, 3, 6, FUR + 3);
        fill_ellipse_box(arms, 22, 22 + b + p.far_arm, 3, 3, SKIN + 3);
    }
    stamp(f, arms);

    Canvas ears = layer();
    fill_ellipse_box(ears, 3, 1 + b, 9, 9, FUR + 3);
    fill_ellipse_box(ears, 20, 1 + b, 9, 9, FUR + 3);
    shade_ellipse(ears, 3, 1 + b, 9, 9, FUR, 2, 5);
    shade_ellipse(ears, 20, 1 + b, 9, 9, FUR, 2, 5);
    stamp(f, ears);

    Canvas head = layer();
    fill_ellipse_box(head, 8, 5 + b, 16, 13, FUR + 4);
    shade_ellipse(head, 8, 5 + b, 16, 13, FUR, 2, 6);
    stamp(f, head);
    // A tuft of darker fur down the back of the head.
    line(f, 15, 7 + b, 15, 11 + b, FUR + 2);
    line(f, 16, 8 + b, 16, 12 + b, FUR + 2);

    // The scarf knot at the nape with its two ends.
    Canvas scarf = layer();
    fill_rect(scarf, 12, 17 + b, 8, 1, RED + 4);
    fill_rect(scarf, 15, 17 + b, 2, 2, RED + 5);
    line(scarf, 15, 19 + b, 14, 20 + b, RED + 3);
    line(scarf, 16, 19 + b, 17, 20 + b, RED + 3);
    stamp(f, scarf);

    tail(f, {{16, 25 + b}, {17, 28}, {20, 30}, {24, 29}, {27, 26}, {28, 22}});

    if (p.attack) {
        // The sword arm raised straight up past his head.
        Canvas reach = layer();
        thick_path(reach, {{22, 18}, {22, 10}, {18, 4}}, 1, FUR + 5);
        fill_ellipse_box(reach, 15, 0, 4, 4, SKIN + 5);
        stamp(f, reach);
    }
    return f;
}

// ---- Facing right: profile with the pointed snout, one big ear, tail streaming back. ----
Canvas draw_side(const Pose& p) {
    Canvas f = layer();
    int b = p.bob;
    tail(f, {{11, 24 + b}, {7, 26}, {3, 25}, {1, 22}, {1, 19}});

    Canvas far = layer();
    thick_line(far, 14, 24, 13 + p.far_foot, 27, 1, FUR + 2);
    paw(far, 12 + p.far_foot, 27, 2);
    if (!p.attack) fill_ellipse_box(far, 18 - p.near_arm, 18 + b, 4, 6, FUR + 2);
    stamp(f, far);

    tunic(f, 10, 16 + b, 11, 11, 22 + b, false);

    Canvas near = layer();
    thick_line(near, 16, 24, 16 + p.near_foot, 27, 1, FUR + 4);
    fill_ellipse_box(near, 15 + p.near_foot, 27, 5, 3, SKIN + 4);
    stamp(f, near);

    Canvas scarf = layer();
    fill_rect(scarf, 12, 16 + b, 8, 2, RED + 4);
    fill_polygon(scarf, {{12, 16 + b}, {8, 18 + b}, {9, 20 + b}, {13, 18 + b}}, RED + 3);
    stamp(f, scarf);

    Canvas head = layer();
    fill_ellipse_box(head, 9, 4 + b, 14, 13, FUR + 4);
    fill_polygon(head, {{19, 7 + b}, {26, 10 + b}, {28, 12 + b}, {27, 14 + b}, {19, 16 + b}}, FUR + 4);
    shade_ellipse(head, 9, 3 + b, 20, 14, FUR, 3, 6);
    fill_polygon(head, {{20, 13 + b}, {27, 13 + b}, {26, 14 + b}, {19, 16 + b}}, FUR + 6);
    stamp(f, head);
    fill_rect(f, 27, 11 + b, 2, 2, SKIN + 4);
    f.set(28, 11 + b, SKIN + 6);
    eye(f, 19, 8 + b);
    line(f, 18, 7 + b, 20, 7 + b, FUR + 1);
    line(f, 24, 13 + b, 27, 15 + b, FUR + 7);
    line(f, 23, 12 + b, 26, 10 + b, FUR + 7);

    Canvas ear = layer();
    fill_ellipse_box(ear, 5, 1 + b, 9, 10, FUR + 4);
    fill_ellipse_box(ear, 7, 3 + b, 5, 6, SKIN + 4);
    ear.set(8, 4 + b, SKIN + 6);
    stamp(f, ear);

    Canvas arm = layer();
    if (p.attack) {
        thick_line(arm, 14, 19, 26, 21, 1, FUR + 4);
        fill_ellipse_box(arm, 27, 19, 3, 4, SKIN + 5);
    } else {
        fill_ellipse_box(arm, 13 + p.near_arm, 18 + b, 4, 6, FUR + 4);
        paw(arm, 13 + p.near_arm, 22 + b, 4);
    }
    stamp(f, arm);
    return f;
}

// ---- The sword swing: drawn facing right with the grip at the left edge, turned for the rest. ----

// A blade from the grip point (gx, gy) at `angle` radians (0 = right, y grows downwards).
void blade(Canvas& c, double gx, double gy, double angle, int length) {
    double dx = std::cos(angle), dy = std::sin(angle);
    auto at = [&](double s, double side, int index) {
        c.set(static_cast<int>(std::lround(gx + dx * s - dy * side)), static_cast<int>(std::lround(gy + dy * s + dx * side)), index);
    };
    for (double s = 0; s <= 2; s += 0.5) at(s, 0, WOOD + 3);
    for (double side = -2; side <= 2; side += 0.5) at(2.5, side, GOLD + 5);
    for (double s = 3; s <= length; s += 0.5) {
        at(s, 0, STEEL + 7);
        if (s < length - 1) {
            at(s, 0.8, STEEL + 4);
            at(s, -0.8, STEEL + 6);
        }
    }
}

// The pale smear of the swing: a ring around the grip between two angles.
void swing_arc(Canvas& c, double gx, double gy, double from, double to, double r0, double r1) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            double dx = x + 0.5 - gx, dy = y + 0.5 - gy;
            double r = std::sqrt(dx * dx + dy * dy), a = std::atan2(dy, dx);
            if (r < r0 || r > r1 || a < from || a > to) continue;
            if (c.at(x, y)) continue;
            // Brightest at the outer rim and toward the blade's current end of the sweep.
            double t = (a - from) / (to - from);
            int shade = r > r1 - 1.5 ? WHITE : (t > 0.4 ? STEEL + 6 : STEEL + 5);
            c.set(x, y, shade);
        }
}

std::vector<Canvas> sword_right() {
    const double gx = 0.5, gy = 6.5;
    Canvas raised(16, 16), swept(16, 16);
    Canvas b1(16, 16), b2(16, 16);
    blade(b1, gx, gy, -0.45, 13);
    outline(b1, BLACK);
    swing_arc(raised, gx, gy, -1.5, -0.65, 6.5, 12.5);
    paste(raised, b1, 0, 0);
    blade(b2, gx, gy, 0.55, 13);
    outline(b2, BLACK);
    swing_arc(swept, gx, gy, -1.3, 0.35, 7.5, 13.5);
    paste(swept, b2, 0, 0);
    return {raised, swept};
}

Canvas rotate_counter_clockwise(const Canvas& c) { return rotate_90_clockwise(rotate_90_clockwise(rotate_90_clockwise(c))); }

Canvas make_sword_sheet() {
    std::vector<Canvas> right = sword_right();
    std::vector<Canvas> frames;
    // Frames 0, 1 point down; 2, 3 up; 4, 5 left; 6, 7 right.
    for (auto& r : right) frames.push_back(rotate_90_clockwise(r));
    for (auto& r : right) frames.push_back(rotate_counter_clockwise(r));
    for (auto& r : right) frames.push_back(flip_horizontal(r));
    for (auto& r : right) frames.push_back(r);
    return sheet(frames, 4);
}

Canvas make_arrow_sheet() {
    Canvas right(16, 16);
    line(right, 2, 7, 12, 7, WOOD + 5);
    line(right, 3, 8, 11, 8, WOOD + 3);
    fill_polygon(right, {{11, 4}, {15, 8}, {11, 11}}, STEEL + 5);
    line(right, 12, 6, 14, 8, STEEL + 7);
    // Fletching: red feathers with a white band.
    fill_polygon(right, {{0, 4}, {4, 4}, {6, 7}, {2, 7}}, RED + 4);
    fill_polygon(right, {{0, 11}, {4, 11}, {6, 8}, {2, 8}}, RED + 3);
    right.set(3, 5, WHITE);
    right.set(3, 10, WHITE);
    outline(right, BLACK);
    // Frames: 0 up, 1 down, 2 right, 3 left.
    return sheet({rotate_counter_clockwise(right), rotate_90_clockwise(right), right, flip_horizontal(right)}, 4);
}

Canvas make_player_sheet() {
    const Pose stand{};
    const Pose step_a{1, -2, -2, 1, 0, false};
    const Pose step_b{-2, 1, 1, -2, 0, false};
    const Pose side_a{3, -3, -2, 2, 1, false};
    const Pose side_b{-3, 3, 2, -2, 1, false};
    const Pose lunge{3, -3, 0, 0, 0, true};
    const Pose strike{1, -1, 0, 0, 0, true};

    Canvas right_stand = draw_side(stand), right_a = draw_side(side_a), right_b = draw_side(side_b);
    std::vector<Canvas> frames(24, Canvas(FRAME, FRAME));
    // Facing down: walk 0, 1, 0, 2; idle 0.
    frames[0] = draw_front(stand);
    frames[1] = draw_front(step_a);
    frames[2] = draw_front(step_b);
    frames[3] = frames[0];
    // Facing right: walk 4, 5, 4, 6; idle 4.
    frames[4] = right_stand;
    frames[5] = right_a;
    frames[6] = right_b;
    // Facing left: walk 7, 8, 7, 9; idle 9, so 9 is the standing pose.
    frames[7] = flip_horizontal(right_a);
    frames[8] = flip_horizontal(right_b);
    frames[9] = flip_horizontal(right_stand);
    // Facing up: walk 10, 11, 10, 12; idle 12, so 12 is the standing pose.
    frames[10] = draw_back(step_a);
    frames[11] = draw_back(step_b);
    frames[12] = draw_back(stand);
    // Attacks: 13 down, 14 up, 15 right, 16 left.
    frames[13] = draw_front(strike);
    frames[14] = draw_back(strike);
    frames[15] = draw_side(lunge);
    frames[16] = flip_horizontal(frames[15]);
    // 17..23 are never shown; they repeat the standing poses so a stray index still shows him.
    for (int i = 17; i < 24; ++i) frames[i] = frames[0];
    return sheet(frames, 10);
}

}  // namespace

void make_hero_art(const std::string& dir) {
    save_bmp(dir, "PLAYER.BMP", make_player_sheet());
    save_bmp(dir, "SWORDATTACK.BMP", make_sword_sheet());
    save_bmp(dir, "arrow.BMP", make_arrow_sheet());
}

}  // namespace art

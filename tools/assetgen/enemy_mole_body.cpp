// The mole figure: velvety dark body, pink snout and feet, big pale digging claws, tiny eyes.
#include "enemy_mole_body.h"

#include "enemy_draw.h"
#include "enemy_sheets.h"

namespace art {
namespace {

// Fine fur: a sprinkle of one shade lighter over the body's own ramp.
void velvet(Canvas& c, uint32_t seed) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            int v = c.at(x, y);
            if (v >= MOLE + 1 && v < MOLE + 6 && noise(x, y, seed) % 6 == 0) c.set(x, y, v + 1);
        }
}

// A digging hand: a pink palm with three pale claws fanning out toward (dx, dy).
void claw_hand(Canvas& frame, const Pen& p, double cx, double cy, double dx, double dy, double size, bool far) {
    Canvas layer(frame.width, frame.height);
    Pen q{layer, p.k, p.ox, p.oy};
    double r = 3.4 * size;
    pen_blob(q, cx, cy, r, r * 0.85, SKIN, far ? 1 : 2, far ? 4 : 6);
    // Claws: three blades from the palm's rim, side by side across the pointing direction.
    double nx = -dy, ny = dx;
    for (int i = -1; i <= 1; ++i) {
        double bx = cx + dx * r * 0.7 + nx * i * r * 0.6, by = cy + dy * r * 0.7 + ny * i * r * 0.6;
        double tx = bx + dx * 4.2 * size + nx * i * 1.0 * size, ty = by + dy * 4.2 * size + ny * i * 1.0 * size;
        double w = 1.1 * size;
        pen_polygon(q, {{bx + nx * w, by + ny * w}, {bx - nx * w, by - ny * w}, {tx, ty}}, far ? CREAM + 3 : CREAM + 7);
        // The shaded side of each blade.
        pen_stroke(q, bx - nx * w * 0.5, by - ny * w * 0.5, tx, ty, 0, far ? CREAM + 1 : CREAM + 4);
    }
    stamp(frame, layer);
}

void foot(Canvas& frame, const Pen& p, double cx, double cy, bool far) {
    Canvas layer(frame.width, frame.height);
    Pen q{layer, p.k, p.ox, p.oy};
    pen_blob(q, cx, cy, 3, 2, SKIN, far ? 1 : 2, far ? 3 : 5);
    stamp(frame, layer);
}

void eye(const Pen& p, double x, double y, bool dizzy, bool shown) {
    if (!shown) return;
    if (dizzy) {
        // Crossed-out eyes: a small x.
        pen_stroke(p, x - 1, y - 1, x + 1, y + 1, 0, BLACK);
        pen_stroke(p, x - 1, y + 1, x + 1, y - 1, 0, BLACK);
        return;
    }
    // A bead: a bright glint over black, so it reads against the dark fur.
    pen_dot(p, x, y, BLACK);
    pen_dot(p, x, y - 1, WHITE);
}

void draw_down(Canvas& frame, const Pen& p, int s, const MoleLook& look) {
    foot(frame, p, 11.5, 28.5 - (s < 0 ? 1.5 : 0), false);
    foot(frame, p, 20.5, 28.5 - (s > 0 ? 1.5 : 0), false);
    double b = s ? -0.5 : 0;  // body rises a little mid-stride
    Canvas body(frame.width, frame.height);
    Pen q{body, p.k, p.ox, p.oy};
    pen_blob(q, 16, 18.5 + b, 10.5, 10, MOLE, 1, 5);
    pen_blob(q, 16, 12 + b, 7.5, 6.5, MOLE, 2, 6);
    pen_ellipse(q, 16, 23 + b, 5.5, 4.5, MOLE + 5);
    velvet(body, 7);
    stamp(frame, body);
    Canvas snout(frame.width, frame.height);
    Pen n{snout, p.k, p.ox, p.oy};
    pen_blob(n, 16, 16 + b, 3, 2.4, ROSE, 3, 6);
    pen_dot(n, 15, 16.5 + b, ROSE + 1);
    pen_dot(n, 16.5, 16.5 + b, ROSE + 1);
    stamp(frame, snout);
    eye(p, 11.5, 11.5 + b, look.dizzy, look.eyes);
    eye(p, 20, 11.5 + b, look.dizzy, look.eyes);
    double droop = look.dizzy ? 2 : 0;
    claw_hand(frame, p, 6.5, 20 + b - s * 0.8 + droop, -0.35, 0.95, look.claw, false);
    claw_hand(frame, p, 25, 20 + b + s * 0.8 + droop, 0.35, 0.95, look.claw, false);
}

void draw_up(Canvas& frame, const Pen& p, int s, const MoleLook& look) {
    double b = s ? -0.5 : 0;
    claw_hand(frame, p, 7, 16.5 + b + s * 0.8, -0.5, -0.85, look.claw, true);
    claw_hand(frame, p, 24.5, 16.5 + b - s * 0.8, 0.5, -0.85, look.claw, true);
    Canvas body(frame.width, frame.height);
    Pen q{body, p.k, p.ox, p.oy};
    pen_blob(q, 16, 18.5 + b, 10.5, 10, MOLE, 1, 5);
    pen_blob(q, 16, 12 + b, 7.5, 6.5, MOLE, 2, 5);
    velvet(body, 9);
    // The spine's darker line of fur.
    pen_stroke(q, 16, 9 + b, 16, 22 + b, 0, MOLE + 2);
    stamp(frame, body);
    foot(frame, p, 11.5, 28.5 + (s > 0 ? -1 : 0.5), false);
    foot(frame, p, 20.5, 28.5 + (s < 0 ? -1 : 0.5), false);
    Canvas tail(frame.width, frame.height);
    Pen t{tail, p.k, p.ox, p.oy};
    pen_blob(t, 16, 27 + b, 1.5, 1.8, SKIN, 2, 5);
    stamp(frame, tail);
}

void draw_right(Canvas& frame, const Pen& p, int s, const MoleLook& look) {
    double b = s ? -0.5 : 0;
    claw_hand(frame, p, 18 - s, 22.5 + b, 0.9, 0.45, look.claw * 0.9, true);
    foot(frame, p, 11 - s * 1.5, 28.5, true);
    Canvas body(frame.width, frame.height);
    Pen q{body, p.k, p.ox, p.oy};
    pen_blob(q, 14, 19 + b, 10, 9.5, MOLE, 1, 5);
    pen_blob(q, 20, 14.5 + b, 7, 6, MOLE, 2, 6);
    pen_ellipse(q, 17, 23.5 + b, 6, 4, MOLE + 5);
    velvet(body, 11);
    stamp(frame, body);
    foot(frame, p, 18 + s * 1.5, 28.8, false);
    Canvas snout(frame.width, frame.height);
    Pen n{snout, p.k, p.ox, p.oy};
    pen_blob(n, 27, 16 + b, 3.2, 2.2, ROSE, 3, 6);
    pen_dot(n, 29.5, 16 + b, ROSE + 1);
    stamp(frame, snout);
    eye(p, 23, 12 + b, look.dizzy, look.eyes);
    Canvas tail(frame.width, frame.height);
    Pen t{tail, p.k, p.ox, p.oy};
    pen_blob(t, 3.5, 21 + b, 1.8, 1.4, SKIN, 2, 5);
    stamp(frame, tail);
    claw_hand(frame, p, 22 + s, 22.5 + b + (look.dizzy ? 2 : 0), 0.9, 0.45, look.claw, false);
}

}  // namespace

void draw_mole(Canvas& frame, int facing, int step, const MoleLook& look) {
    int s = step == 1 ? 1 : step == 2 ? -1 : 0;
    Pen p{frame, look.k, 0, -look.lift * look.k};
    if (facing == FACING_DOWN)
        draw_down(frame, p, s, look);
    else if (facing == FACING_UP)
        draw_up(frame, p, s, look);
    else if (facing == FACING_RIGHT)
        draw_right(frame, p, s, look);
    else {
        Canvas right(frame.width, frame.height);
        Pen r{right, look.k, 0, -look.lift * look.k};
        draw_right(right, r, s, look);
        paste(frame, flip_horizontal(right), 0, 0);
    }
}

}  // namespace art

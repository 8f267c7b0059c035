// The pig figure in four directions: pink head with ears and snout, clothes, arms, legs and weapon.
#include "enemy_pig_body.h"

#include "enemy_draw.h"
#include "enemy_sheets.h"

namespace art {
namespace {

struct Fig {
    Canvas& frame;
    const PigLook& look;
    Canvas layer() const { return Canvas(frame.width, frame.height); }
    Pen pen(Canvas& c) const { return Pen{c, look.k, 0, 0}; }
};

int cloth_ramp(const PigLook& l) { return l.lord ? STEEL : WATER; }

void leg(const Fig& f, double x, double lift, bool far) {
    Canvas c = f.layer();
    Pen p = f.pen(c);
    int ramp = cloth_ramp(f.look);
    pen_rect(p, x - 1.8, 23, 3.6, 5.5 - lift, ramp + (far ? 2 : 3));
    pen_rect(p, x - 1.8, 23, 1.2, 5.5 - lift, ramp + (far ? 3 : 5));
    pen_blob(p, x, 29 - lift, 2.3, 1.5, BARK, far ? 0 : 1, far ? 2 : 4);
    stamp(f.frame, c);
}

void arm(const Fig& f, double x, double y, bool far) {
    Canvas c = f.layer();
    Pen p = f.pen(c);
    pen_blob(p, x, y, 2.3, 3.6, ROSE, far ? 1 : 2, far ? 4 : 6);
    pen_blob(p, x, y + 3, 1.8, 1.4, ROSE, far ? 0 : 1, far ? 3 : 4);  // the trotter
    if (f.look.lord) {
        // A steel pauldron on the shoulder.
        pen_blob(p, x, y - 2.6, 2.9, 2.0, STEEL, 2, 7);
    }
    stamp(f.frame, c);
}

// The farmhand's club, or the lord's spear, held in a hand at (hx, hy).
void weapon(const Fig& f, double hx, double hy, double tx, double ty) {
    if (!f.look.armed) return;
    Canvas c = f.layer();
    Pen p = f.pen(c);
    if (!f.look.lord) {
        pen_stroke(p, hx, hy + 1.5, tx, ty, 0.6, WOOD + 3);
        pen_blob(p, tx, ty, 2.0, 2.6, WOOD, 2, 6);
        pen_dot(p, tx - 0.5, ty + 0.5, WOOD + 1);
    } else {
        // A tall spear: shaft, purple tassel and a steel leaf of a blade at the top.
        pen_stroke(p, hx, hy + 7, tx, ty + 4, 0.5, WOOD + 4);
        pen_polygon(p, {{tx, ty - 3.5}, {tx + 1.6, ty + 0.5}, {tx, ty + 4.2}, {tx - 1.6, ty + 0.5}}, STEEL + 6);
        pen_polygon(p, {{tx, ty - 3.5}, {tx, ty + 4.2}, {tx - 1.6, ty + 0.5}}, STEEL + 7);
        pen_rect(p, tx - 1.2, ty + 4.2, 2.4, 0.8, GOLD + 5);
        pen_polygon(p, {{tx - 0.6, ty + 5}, {tx + 0.6, ty + 5}, {tx + 1.4, ty + 8}, {tx - 1.4, ty + 8}}, PURPLE + 5);
    }
    stamp(f.frame, c);
}

void ears(const Fig& f, bool back) {
    Canvas c = f.layer();
    Pen p = f.pen(c);
    double y = f.look.lord ? 1.5 : 0;
    pen_polygon(p, {{7, 1.5 + y}, {13, 4.5 + y}, {9.5, 8.5 + y}}, ROSE + (back ? 3 : 4));
    pen_polygon(p, {{25, 1.5 + y}, {19, 4.5 + y}, {22.5, 8.5 + y}}, ROSE + (back ? 3 : 4));
    if (!back) {
        pen_polygon(p, {{8.5, 3 + y}, {11.5, 5 + y}, {9.8, 7 + y}}, ROSE + 2);
        pen_polygon(p, {{23.5, 3 + y}, {20.5, 5 + y}, {22.2, 7 + y}}, ROSE + 2);
    }
    stamp(f.frame, c);
}

void helmet(const Fig& f, double cx, double cy) {
    // The steel dome with a gold crest, and a gold brow band.
    Canvas h = f.layer();
    Pen q = f.pen(h);
    pen_blob(q, cx, cy, 7.4, 4.6, STEEL, 2, 7);
    pen_rect(q, cx - 0.7, cy - 4.6, 1.4, 5, GOLD + 5);
    pen_rect(q, cx - 7.4, cy + 1.0, 14.8, 1.4, GOLD + 4);
    pen_rect(q, cx - 7.4, cy + 1.0, 14.8, 0.5, GOLD + 6);
    clip(h, [&](int, int y) { return y <= q.y(cy + 2.4) - 1; });
    stamp(f.frame, h);
}

void face_front(const Fig& f, double b) {
    Canvas c = f.layer();
    Pen p = f.pen(c);
    pen_blob(p, 16, 9.5 + b, 7.5, 6.5, ROSE, 2, 6);
    stamp(f.frame, c);
    Pen p2 = f.pen(f.frame);
    Canvas s = f.layer();
    Pen q = f.pen(s);
    pen_blob(q, 16, 12.3 + b, 3.6, 2.5, ROSE, 4, 7);
    pen_dot(q, 14.6, 12.3 + b, ROSE);
    pen_dot(q, 17.4, 12.3 + b, ROSE);
    stamp(f.frame, s);
    if (f.look.lord) {
        // Tusks curling up beside the snout.
        Canvas t = f.layer();
        Pen u = f.pen(t);
        pen_polygon(u, {{11.6, 14.2 + b}, {12.8, 13.6 + b}, {11.8, 11.2 + b}}, CREAM + 7);
        pen_polygon(u, {{20.4, 14.2 + b}, {19.2, 13.6 + b}, {20.2, 11.2 + b}}, CREAM + 7);
        stamp(f.frame, t);
    }
    // Under the lord's helmet the eyes sit a little lower and wider apart.
    double ey = f.look.lord ? 9.6 : 8.8, spread = f.look.lord ? 1 : 0;
    for (double ex : {12.0 - spread, 19.5 + spread}) {
        pen_dot(p2, ex, ey + b, BLACK);
        pen_dot(p2, ex, ey - 1 + b, WHITE);
    }
}

void torso_front(const Fig& f, double b) {
    Canvas c = f.layer();
    Pen p = f.pen(c);
    pen_blob(p, 16, 19.5 + b, 7, 6.3, ROSE, 2, 6);
    if (!f.look.lord) {
        // Overalls: trousers, a bib with a pocket, straps and buttons.
        Canvas o = f.layer();
        Pen q = f.pen(o);
        pen_blob(q, 16, 21.8 + b, 7.2, 4.4, WATER, 2, 6);
        pen_rect(q, 12.5, 15.5 + b, 7, 6, WATER + 4);
        pen_rect(q, 14.5, 17.5 + b, 3, 2, WATER + 3);
        pen_stroke(q, 12.8, 15.8 + b, 11, 13 + b, 0, WATER + 3);
        pen_stroke(q, 19.2, 15.8 + b, 21, 13 + b, 0, WATER + 3);
        clip(o, [&](int x, int y) { return c.at(x, y) != 0 || y > q.y(20 + b); });
        paste(c, o, 0, 0);
        pen_dot(p, 12.5, 15.5 + b, GOLD + 6);
        pen_dot(p, 19, 15.5 + b, GOLD + 6);
    } else {
        // A breastplate with a ridge, a gold belt and a royal purple sash.
        pen_blob(p, 16, 19.5 + b, 7, 6.3, STEEL, 2, 7);
        pen_stroke(p, 16, 14 + b, 16, 22 + b, 0, STEEL + 7);
        pen_stroke(p, 10, 15 + b, 21, 24 + b, 0.6, PURPLE + 4);
        pen_rect(p, 9, 22.5 + b, 14, 1.6, GOLD + 4);
        pen_rect(p, 15, 22.3 + b, 2, 2, GOLD + 7);
    }
    stamp(f.frame, c);
}

void draw_down(const Fig& f, int s) {
    double b = s ? -0.5 : 0;
    if (f.look.lord) {
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_polygon(p, {{9, 14 + b}, {23, 14 + b}, {27, 29}, {5, 29}}, PURPLE + 2);
        pen_polygon(p, {{9, 14 + b}, {11, 14 + b}, {8, 29}, {5, 29}}, PURPLE + 3);
        stamp(f.frame, c);
    }
    leg(f, 12.5, s < 0 ? 1.5 : 0, false);
    leg(f, 19.5, s > 0 ? 1.5 : 0, false);
    torso_front(f, b);
    if (f.look.lord)
        weapon(f, 6.5, 21 + b + s, 6.5, 6 + b + s);
    else
        weapon(f, 7.5, 22 + b + s, 4.5, 11 + b + s);
    arm(f, 8.3, 18.5 + b + s, false);
    arm(f, 23.7, 18.5 + b - s, false);
    ears(f, false);
    face_front(f, b);
    if (f.look.lord) helmet(f, 16, 5.8 + b);
}

void draw_up(const Fig& f, int s) {
    double b = s ? -0.5 : 0;
    if (f.look.lord)
        weapon(f, 25.5, 21 + b - s, 25.5, 6 + b - s);
    else
        weapon(f, 24.5, 22 + b - s, 27.5, 11 + b - s);
    leg(f, 12.5, s > 0 ? 1.5 : 0, false);
    leg(f, 19.5, s < 0 ? 1.5 : 0, false);
    {
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_blob(p, 16, 19.5 + b, 7, 6.3, ROSE, 2, 5);
        if (!f.look.lord) {
            Canvas o = f.layer();
            Pen q = f.pen(o);
            pen_blob(q, 16, 21.8 + b, 7.2, 4.4, WATER, 2, 6);
            pen_stroke(q, 11, 13.5 + b, 19.5, 20 + b, 0, WATER + 3);
            pen_stroke(q, 21, 13.5 + b, 12.5, 20 + b, 0, WATER + 3);
            clip(o, [&](int x, int y) { return c.at(x, y) != 0 || y > q.y(20 + b); });
            paste(c, o, 0, 0);
            // A curly tail over the seat of the trousers.
            pen_ellipse(p, 16, 20.5 + b, 1.3, 1.3, ROSE + 5);
            pen_dot(p, 16, 20.5 + b, ROSE + 2);
        } else {
            pen_polygon(p, {{9, 14 + b}, {23, 14 + b}, {27, 29}, {5, 29}}, PURPLE + 3);
            pen_polygon(p, {{9, 14 + b}, {12, 14 + b}, {9, 29}, {5, 29}}, PURPLE + 4);
            pen_stroke(p, 16, 15 + b, 16, 28, 0, PURPLE + 2);
            pen_stroke(p, 12, 15 + b, 11, 28, 0, PURPLE + 2);
            pen_stroke(p, 20, 15 + b, 21, 28, 0, PURPLE + 2);
        }
        stamp(f.frame, c);
    }
    arm(f, 8.3, 18.5 + b - s, false);
    arm(f, 23.7, 18.5 + b + s, false);
    ears(f, true);
    {
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_blob(p, 16, 9.5 + b, 7.5, 6.5, ROSE, 2, 5);
        stamp(f.frame, c);
    }
    if (f.look.lord) helmet(f, 16, 5.8 + b);
}

void draw_right(const Fig& f, int s) {
    double b = s ? -0.5 : 0;
    int ramp = cloth_ramp(f.look);
    if (f.look.lord) {
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_polygon(p, {{12, 14 + b}, {17, 14 + b}, {13, 29}, {6, 29}}, PURPLE + 2);
        stamp(f.frame, c);
    }
    arm(f, 13 - s, 18.5 + b, true);
    leg(f, 13.5 - s * 1.5, 0, true);
    leg(f, 17.5 + s * 1.5, 0, false);
    {
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_blob(p, 15.5, 19.5 + b, 6.2, 6.3, ROSE, 2, 6);
        if (!f.look.lord) {
            Canvas o = f.layer();
            Pen q = f.pen(o);
            pen_blob(q, 15.5, 21.8 + b, 6.4, 4.4, ramp, 2, 6);
            pen_rect(q, 17.5, 15.5 + b, 4.5, 6, ramp + 4);
            pen_stroke(q, 18, 15.6 + b, 14.5, 13 + b, 0, ramp + 3);
            clip(o, [&](int x, int y) { return c.at(x, y) != 0 || y > q.y(20 + b); });
            paste(c, o, 0, 0);
            pen_dot(p, 18, 15.6 + b, GOLD + 6);
        } else {
            pen_blob(p, 15.5, 19.5 + b, 6.2, 6.3, STEEL, 2, 7);
            pen_rect(p, 9.3, 22.5 + b, 12.4, 1.6, GOLD + 4);
        }
        stamp(f.frame, c);
    }
    if (!f.look.lord) {
        // The curly tail at his back.
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_ellipse(p, 8.8, 20.5 + b, 1.4, 1.4, ROSE + 5);
        pen_dot(p, 8.8, 20.5 + b, ROSE + 2);
        stamp(f.frame, c);
    }
    {
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_polygon(p, {{12, 1.5 + (f.look.lord ? 2 : 0)}, {17.5, 4.5}, {13.5, 8}}, ROSE + 3);
        stamp(f.frame, c);
    }
    {
        Canvas c = f.layer();
        Pen p = f.pen(c);
        pen_blob(p, 17, 9.5 + b, 6.7, 6.2, ROSE, 2, 6);
        pen_rect(p, 21, 9 + b, 3, 4.2, ROSE + 4);
        stamp(f.frame, c);
        Canvas n = f.layer();
        Pen q = f.pen(n);
        pen_blob(q, 24.5, 11 + b, 2.0, 2.8, ROSE, 4, 7);
        pen_dot(q, 25, 11.5 + b, ROSE);
        stamp(f.frame, n);
        Pen e = f.pen(f.frame);
        pen_dot(e, 20, 8.2 + b, BLACK);
        pen_dot(e, 20, 7.2 + b, WHITE);
        if (f.look.lord) {
            Canvas t = f.layer();
            Pen u = f.pen(t);
            pen_polygon(u, {{21.6, 14.0 + b}, {22.8, 13.4 + b}, {23.2, 10.8 + b}}, CREAM + 7);
            stamp(f.frame, t);
            pen_stroke(e, 18.5, 6.6 + b, 21.5, 7.2 + b, 0, ROSE);
            helmet(f, 16.5, 5.8 + b);
        }
    }
    if (f.look.lord)
        weapon(f, 19 + s, 21 + b, 19 + s, 6 + b);
    else
        weapon(f, 18 + s, 20.5 + b, 25.5 + s, 25 + b);
    arm(f, 17 + s, 18.5 + b, false);
}

}  // namespace

void draw_pig(Canvas& frame, int facing, int step, const PigLook& look) {
    int s = step == 1 ? 1 : step == 2 ? -1 : 0;
    if (facing == FACING_LEFT) {
        Canvas right(frame.width, frame.height);
        draw_pig(right, FACING_RIGHT, step, look);
        paste(frame, flip_horizontal(right), 0, 0);
        return;
    }
    Fig f{frame, look};
    if (facing == FACING_DOWN)
        draw_down(f, s);
    else if (facing == FACING_UP)
        draw_up(f, s);
    else
        draw_right(f, s);
}

}  // namespace art

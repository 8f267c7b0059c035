// The wasp: striped abdomen, dark thorax, gold head with a big eye, see-through wings and a stinger.
#include "enemy_wasp_body.h"

#include <algorithm>
#include <cmath>

#include "enemy_draw.h"

namespace art {
namespace {

constexpr double DEG = M_PI / 180;

int clamp_shade(int ramp, double s, int lo, int hi) {
    return ramp + std::clamp(static_cast<int>(std::lround(s)), lo, hi);
}

// The abdomen's colour at a point: bands of gold and black from the waist (u = -1) to the tip.
int abdomen_colour(double u, double w, bool royal) {
    double t = (u + 1) / 2;
    static const double edges[] = {0.12, 0.32, 0.44, 0.62, 0.74, 0.88};
    int band = 0;
    while (band < 6 && t > edges[band]) ++band;
    bool dark = band % 2 == 0;
    double light = 4 + 2.2 * w - 1.2 * u * u;
    if (dark) return royal && band > 0 && band < 6 ? clamp_shade(PURPLE, light - 1, 1, 5) : clamp_shade(NIGHT, light - 1, 1, 6);
    return clamp_shade(GOLD, light + 0.5, 2, 7);
}

void wing(Canvas& frame, const Pen& p, double rx, double ry, double a, double b, double angle) {
    Canvas mask(frame.width, frame.height);
    Pen m{mask, p.k, p.ox, p.oy};
    double cx = rx + (a - 1) * std::cos(angle), cy = ry + (a - 1) * std::sin(angle);
    pen_tilted(m, cx, cy, a, b, angle, [](double, double) { return 1; });
    dither_over(frame, mask, SKY + 7, SKY + 2);
    // A vein along the wing.
    double ex = rx + (2 * a - 3) * std::cos(angle), ey = ry + (2 * a - 3) * std::sin(angle);
    pen_stroke(p, rx + std::cos(angle), ry + std::sin(angle), ex, ey, 0, SKY + 4);
}

}  // namespace

void draw_wasp(Canvas& frame, int wings, int curl, const WaspLook& look) {
    const double bob = wings == 0 ? 0.5 : wings == 1 ? 0 : -0.5;
    // The whole figure sits two units high so the wings and the curled sting both fit.
    Pen p{frame, look.k, 0, (bob - 2) * look.k};
    const double jx = 16, jy = 18;  // the waist, where the abdomen hangs from the thorax
    static const double tilt[] = {155, 130, 105, 78, 66};
    double ang = tilt[std::clamp(curl, 0, 4)] * DEG;
    double ca = std::cos(ang), sa = std::sin(ang);
    const double a = 6.5, b = 4.4;
    double acx = jx + (a - 1) * ca, acy = jy + (a - 1) * sa;

    // Legs dangling under the thorax.
    {
        Canvas c(frame.width, frame.height);
        Pen q{c, p.k, p.ox, p.oy};
        double sway = wings * 0.5;
        pen_stroke(q, 17.5, 20, 16 - sway, 25.5, 0, NIGHT + 3);
        pen_stroke(q, 19.5, 20.5, 19.5 - sway, 26.5, 0, NIGHT + 3);
        pen_stroke(q, 21, 20, 23 - sway, 25, 0, NIGHT + 3);
        stamp(frame, c);
    }
    // The stinger at the abdomen's tip, longer when it strikes.
    {
        Canvas c(frame.width, frame.height);
        Pen q{c, p.k, p.ox, p.oy};
        double tx = acx + a * ca, ty = acy + a * sa;
        double len = curl >= 3 ? 3.5 : 2.2;
        double nx = -sa, ny = ca;
        pen_polygon(q, {{tx - ca + nx * 1.1, ty - sa + ny * 1.1}, {tx - ca - nx * 1.1, ty - sa - ny * 1.1}, {tx + len * ca, ty + len * sa}},
                    curl >= 3 ? STEEL + 6 : STEEL + 3);
        stamp(frame, c);
        if (curl == 4) {
            // A glint on the point.
            int gx = q.x(tx + len * ca), gy = q.y(ty + len * sa);
            Canvas g(frame.width, frame.height);
            g.set(gx, gy, WHITE);
            g.set(gx - 1, gy, WHITE);
            g.set(gx + 1, gy, WHITE);
            g.set(gx, gy - 1, WHITE);
            paste(frame, g, 0, 0);
        }
    }
    // Abdomen.
    {
        Canvas c(frame.width, frame.height);
        Pen q{c, p.k, p.ox, p.oy};
        bool royal = look.royal;
        // w > 0 lies on the side turned toward the upper left for the resting tilt.
        pen_tilted(q, acx, acy, a, b, ang, [&](double u, double w) {
            // Narrower toward the sting.
            double half = std::sqrt(std::max(0.0, 1 - u * u)) * (1 - 0.22 * (u + 1));
            if (std::fabs(w) > half) return TRANSPARENT;
            return abdomen_colour(u, curl >= 2 ? w : -w, royal);
        });
        stamp(frame, c);
    }
    // Thorax, with a gold mark on the shoulder.
    {
        Canvas c(frame.width, frame.height);
        Pen q{c, p.k, p.ox, p.oy};
        pen_blob(q, 18.5, 17, 4.6, 4.3, NIGHT, 1, 6);
        pen_ellipse(q, 19.5, 14.8, 1.8, 0.9, GOLD + 6);
        pen_ellipse(q, 17.5, 19.2, 1.2, 0.7, GOLD + 4);
        if (look.royal) {
            // A purple mantle with an ermine collar over the shoulders.
            pen_polygon(q, {{14, 14}, {22.5, 13.5}, {21, 20}, {13, 22.5}, {12.5, 18}}, PURPLE + 4);
            pen_polygon(q, {{14, 14}, {17, 14}, {14, 22}, {12.5, 18}}, PURPLE + 5);
            pen_rect(q, 13.8, 13, 9, 1.6, WHITE);
            for (double x : {15.5, 18.5, 21.0}) pen_dot(q, x, 13.5, BLACK);
        }
        stamp(frame, c);
    }
    // Antennae, head, the big eye and jaws.
    {
        Canvas c(frame.width, frame.height);
        Pen q{c, p.k, p.ox, p.oy};
        pen_stroke(q, 24.5, 12.5, 26, 8.5, 0, NIGHT + 3);
        pen_stroke(q, 26, 8.5, 28.5, 7.5, 0, NIGHT + 3);
        stamp(frame, c);
    }
    {
        Canvas c(frame.width, frame.height);
        Pen q{c, p.k, p.ox, p.oy};
        pen_blob(q, 24.5, 16, 4, 4.2, GOLD, 3, 7);
        pen_polygon(q, {{26.5, 19}, {29.5, 19.5}, {27.5, 21}}, NIGHT + 2);
        stamp(frame, c);
        Canvas e(frame.width, frame.height);
        Pen r{e, p.k, p.ox, p.oy};
        pen_blob(r, 26, 14.6, 1.5, 2.1, NIGHT, 1, 4);
        pen_dot(r, 25.7, 13.6, WHITE);
        stamp(frame, e);
        if (look.royal) pen_stroke(p, 23.8, 11.9, 27.6, 12.9, 0, NIGHT + 1);  // a stern royal brow
    }
    if (look.royal) {
        // The gold crown: a band with three points and jewels.
        Canvas c(frame.width, frame.height);
        Pen q{c, p.k, p.ox, p.oy};
        pen_polygon(q, {{20.5, 12.5}, {20.5, 8}, {22, 10.2}, {23.8, 7}, {25.5, 10.2}, {27, 8}, {27, 12.5}}, GOLD + 6);
        pen_rect(q, 20.5, 10.8, 6.5, 1.7, GOLD + 4);
        pen_dot(q, 23.3, 11.1, RED + 5);
        pen_dot(q, 21.2, 11.1, PURPLE + 6);
        pen_dot(q, 25.5, 11.1, PURPLE + 6);
        stamp(frame, c);
    }
    // Wings last: they lie over the back and let the body and the ground show through.
    static const double fore[] = {-118, -165, 155};
    static const double hind[] = {-140, 175, 138};
    wing(frame, p, 17, 15, 6.2, 2.5, hind[wings] * DEG);
    wing(frame, p, 17.5, 15, 7.5, 3.1, fore[wings] * DEG);
}

}  // namespace art

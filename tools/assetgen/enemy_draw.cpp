// Shapes in the enemies' design space, layered outlines and see-through fills.
#include "enemy_draw.h"

#include <algorithm>
#include <cmath>

namespace art {

int Pen::x(double u) const { return static_cast<int>(std::lround(ox + u * k)); }
int Pen::y(double v) const { return static_cast<int>(std::lround(oy + v * k)); }
int Pen::len(double d) const { return std::max(1, static_cast<int>(std::lround(d * k))); }

void pen_ellipse(const Pen& p, double cx, double cy, double rx, double ry, int index) {
    int x0 = p.x(cx - rx), y0 = p.y(cy - ry);
    fill_ellipse_box(p.c, x0, y0, std::max(1, p.x(cx + rx) - x0), std::max(1, p.y(cy + ry) - y0), index);
}

void pen_blob(const Pen& p, double cx, double cy, double rx, double ry, int ramp, int lo, int hi) {
    int x0 = p.x(cx - rx), y0 = p.y(cy - ry);
    int w = std::max(1, p.x(cx + rx) - x0), h = std::max(1, p.y(cy + ry) - y0);
    fill_ellipse_box(p.c, x0, y0, w, h, ramp + 4);
    shade_ellipse(p.c, x0, y0, w, h, ramp, lo, hi);
}

void pen_polygon(const Pen& p, const Points& pts, int index) {
    std::vector<std::pair<int, int>> px;
    px.reserve(pts.size());
    for (auto [u, v] : pts) px.emplace_back(p.x(u), p.y(v));
    fill_polygon(p.c, px, index);
}

void pen_rect(const Pen& p, double x, double y, double w, double h, int index) {
    int x0 = p.x(x), y0 = p.y(y);
    fill_rect(p.c, x0, y0, std::max(1, p.x(x + w) - x0), std::max(1, p.y(y + h) - y0), index);
}

void pen_stroke(const Pen& p, double x0, double y0, double x1, double y1, double r, int index) {
    int radius = static_cast<int>(std::lround(r * p.k));
    if (radius < 1)
        line(p.c, p.x(x0), p.y(y0), p.x(x1), p.y(y1), index);
    else
        thick_line(p.c, p.x(x0), p.y(y0), p.x(x1), p.y(y1), radius, index);
}

void pen_dot(const Pen& p, double x, double y, int index) {
    int n = std::max(1, static_cast<int>(std::lround(p.k)));
    fill_rect(p.c, p.x(x), p.y(y), n, n, index);
}

void pen_tilted(const Pen& p, double cx, double cy, double a, double b, double angle,
                const std::function<int(double, double)>& colour) {
    double ca = std::cos(angle), sa = std::sin(angle);
    double reach = std::max(a, b) * p.k + 1;
    double pcx = p.ox + cx * p.k, pcy = p.oy + cy * p.k;
    for (int j = static_cast<int>(pcy - reach); j <= static_cast<int>(pcy + reach); ++j)
        for (int i = static_cast<int>(pcx - reach); i <= static_cast<int>(pcx + reach); ++i) {
            double dx = i + 0.5 - pcx, dy = j + 0.5 - pcy;
            double u = (dx * ca + dy * sa) / (a * p.k), w = (-dx * sa + dy * ca) / (b * p.k);
            if (u * u + w * w > 1.0) continue;
            int index = colour(u, w);
            if (index != TRANSPARENT) p.c.set(i, j, index);
        }
}

void stamp(Canvas& dst, Canvas layer) {
    outline(layer, BLACK);
    paste(dst, layer, 0, 0);
}

void clip(Canvas& c, const std::function<bool(int, int)>& keep) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (!keep(x, y)) c.set(x, y, TRANSPARENT);
}

void dither_over(Canvas& dst, const Canvas& mask, int index, int edge) {
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            if (!mask.at(x, y)) continue;
            bool rim = !mask.at(x - 1, y) || !mask.at(x + 1, y) || !mask.at(x, y - 1) || !mask.at(x, y + 1);
            if (rim)
                dst.set(x, y, edge);
            else if ((x + y) % 2 == 0)
                dst.set(x, y, index);
        }
}

Canvas projectile_sheet(const Canvas& right) {
    Canvas down = rotate_90_clockwise(right);
    Canvas up = flip_vertical(down);
    Canvas left = flip_horizontal(right);
    return sheet({up, down, right, left}, 4);
}

}  // namespace art

// Drawing helpers for the enemy and boss sprites: shapes in a scalable design space and outlined layers.
#pragma once
#include <functional>
#include <utility>
#include <vector>

#include "canvas.h"

namespace art {

// Draws in design units (a troop sprite is 32 units square) onto a canvas, each unit
// k pixels wide, shifted by (ox, oy) pixels. Bosses reuse a troop's drawing at k = 2.
struct Pen {
    Canvas& c;
    double k = 1;
    double ox = 0;
    double oy = 0;

    int x(double u) const;
    int y(double v) const;
    int len(double d) const;  // a length in pixels, at least 1
};

using Points = std::vector<std::pair<double, double>>;

void pen_ellipse(const Pen& p, double cx, double cy, double rx, double ry, int index);
// An ellipse in the middle shade of a ramp, then lit from the upper left between shades lo and hi.
void pen_blob(const Pen& p, double cx, double cy, double rx, double ry, int ramp, int lo, int hi);
void pen_polygon(const Pen& p, const Points& pts, int index);
void pen_rect(const Pen& p, double x, double y, double w, double h, int index);
// A line of half-width r units (below half a pixel it is a plain one-pixel line).
void pen_stroke(const Pen& p, double x0, double y0, double x1, double y1, double r, int index);
// One design unit: one pixel at k = 1, a k x k block above.
void pen_dot(const Pen& p, double x, double y, int index);
// Fills an ellipse turned by `angle` radians (0: long axis along +x, turning clockwise on
// screen). colour(u, w) gives the index at a point: u runs -1..1 along the long axis,
// w -1..1 across it; returning TRANSPARENT leaves the pixel alone.
void pen_tilted(const Pen& p, double cx, double cy, double a, double b, double angle,
                const std::function<int(double, double)>& colour);

// A part of a figure: outlined in the dark outline colour, then laid over dst.
void stamp(Canvas& dst, Canvas layer);
// Clears every pixel for which keep(x, y) is false (pixel coordinates).
void clip(Canvas& c, const std::function<bool(int, int)>& keep);
// A light shade for translucent parts: every other pixel (chequered) takes `index`,
// the rest keep what lies beneath, so grass or body shows through.
void dither_over(Canvas& dst, const Canvas& mask, int index, int edge);
// A projectile's sheet from its right-facing picture, turned and mirrored for the rest, in
// the game's frame order: 0 up, 1 down, 2 right, 3 left.
Canvas projectile_sheet(const Canvas& right);

}  // namespace art

// Small painting helpers shared by the hero, HUD and portrait art: outlined layers and bevels.
#pragma once
#include <utility>
#include <vector>

#include "canvas.h"

namespace art {

// Outlines everything drawn on `layer` in BLACK and pastes it over `dst` at (x, y).
// Drawing a figure part by part this way gives every part its own dark contour.
void stamp(Canvas& dst, Canvas layer, int x = 0, int y = 0);

// Fills an ellipse box with the ramp shade `mid`, then lights its upper left with
// `mid + 1` and darkens its lower right with `mid - 1`: a quick rounded look.
void round_blob(Canvas& c, int x, int y, int w, int h, int ramp, int mid);

// A polyline `radius` pixels thick through the points.
void thick_path(Canvas& c, const std::vector<std::pair<int, int>>& points, int radius, int index);

// A rectangular frame `thickness` pixels wide whose outer rows are lit (top, left) and
// shaded (bottom, right) in the ramp, like a bevelled moulding.
void bevel_frame(Canvas& c, int x, int y, int w, int h, int thickness, int ramp);

// Sets every opaque pixel of `src` to `index` (for silhouettes and shadows).
Canvas silhouette(const Canvas& src, int index);

}  // namespace art

// Drawing operations on 8-bit canvases, and the BMP writer.
#include "canvas.h"

#include <SDL_ttf.h>

#include "platform/bmp_write.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace art {

Canvas::Canvas(int w, int h, int fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, static_cast<uint8_t>(fill)) {}

uint32_t noise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return h & 0xFFFF;
}

double smooth_noise(double x, double y, double cell, uint32_t seed) {
    double fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto v = [&](int a, int b) { return noise(a, b, seed) / 65535.0; };
    double top = v(ix, iy) * (1 - tx) + v(ix + 1, iy) * tx;
    double bottom = v(ix, iy + 1) * (1 - tx) + v(ix + 1, iy + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

void fill_rect(Canvas& c, int x, int y, int w, int h, int index) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) c.set(i, j, index);
}

void rect_outline(Canvas& c, int x, int y, int w, int h, int index) {
    for (int i = x; i < x + w; ++i) {
        c.set(i, y, index);
        c.set(i, y + h - 1, index);
    }
    for (int j = y; j < y + h; ++j) {
        c.set(x, j, index);
        c.set(x + w - 1, j, index);
    }
}

void line(Canvas& c, int x0, int y0, int x1, int y1, int index) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        c.set(x0, y0, index);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void thick_line(Canvas& c, int x0, int y0, int x1, int y1, int radius, int index) {
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int s = 0; s <= steps; ++s) {
        int x = steps ? x0 + (x1 - x0) * s / steps : x0;
        int y = steps ? y0 + (y1 - y0) * s / steps : y0;
        fill_circle(c, x, y, radius, index);
    }
}

void fill_circle(Canvas& c, int cx, int cy, int r, int index) { fill_ellipse(c, cx, cy, r, r, index); }

void fill_ellipse(Canvas& c, int cx, int cy, int rx, int ry, int index) {
    fill_ellipse_box(c, cx - rx, cy - ry, 2 * rx + 1, 2 * ry + 1, index);
}

void fill_ellipse_box(Canvas& c, int x, int y, int w, int h, int index) {
    if (w <= 0 || h <= 0) return;
    double cx = x + w / 2.0, cy = y + h / 2.0, rx = w / 2.0, ry = h / 2.0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            double dx = (i + 0.5 - cx) / rx, dy = (j + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) c.set(i, j, index);
        }
}

void fill_polygon(Canvas& c, const std::vector<std::pair<int, int>>& pts, int index) {
    if (pts.size() < 3) return;
    int min_y = pts[0].second, max_y = pts[0].second;
    for (auto& p : pts) {
        min_y = std::min(min_y, p.second);
        max_y = std::max(max_y, p.second);
    }
    for (int y = min_y; y <= max_y; ++y) {
        std::vector<double> xs;
        double sy = y + 0.5;
        for (size_t i = 0; i < pts.size(); ++i) {
            auto [x0, y0] = pts[i];
            auto [x1, y1] = pts[(i + 1) % pts.size()];
            if ((y0 <= sy && y1 > sy) || (y1 <= sy && y0 > sy)) xs.push_back(x0 + (sy - y0) * (x1 - x0) / double(y1 - y0));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x <= static_cast<int>(std::floor(xs[i + 1] - 0.5)); ++x) c.set(x, y, index);
    }
}

void shade_ellipse(Canvas& c, int x, int y, int w, int h, int ramp, int lo, int hi) {
    double cx = x + w / 2.0, cy = y + h / 2.0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            int v = c.at(i, j);
            if (v < ramp || v >= ramp + 8) continue;
            double dx = (i + 0.5 - cx) / (w / 2.0), dy = (j + 0.5 - cy) / (h / 2.0);
            // Light from the upper left: brighter where dx + dy is negative.
            double light = 0.5 - 0.35 * (dx + dy) - 0.25 * (dx * dx + dy * dy);
            int shade = lo + static_cast<int>(std::lround(light * (hi - lo)));
            c.set(i, j, ramp + std::clamp(shade, lo, hi));
        }
}

void outline(Canvas& c, int index) {
    Canvas src = c;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            if (src.at(x, y) != TRANSPARENT) continue;
            if (src.at(x - 1, y) || src.at(x + 1, y) || src.at(x, y - 1) || src.at(x, y + 1)) c.set(x, y, index);
        }
}

void recolour(Canvas& c, int from, int to) {
    for (auto& p : c.pixels)
        if (p == from) p = static_cast<uint8_t>(to);
}

void paste(Canvas& dst, const Canvas& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i) {
            uint8_t v = src.pixels[j * src.width + i];
            if (v) dst.set(x + i, y + j, v);
        }
}

Canvas flip_horizontal(const Canvas& src) {
    Canvas out(src.width, src.height);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) out.set(src.width - 1 - x, y, src.at(x, y));
    return out;
}

Canvas flip_vertical(const Canvas& src) {
    Canvas out(src.width, src.height);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) out.set(x, src.height - 1 - y, src.at(x, y));
    return out;
}

Canvas rotate_90_clockwise(const Canvas& src) {
    Canvas out(src.height, src.width);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) out.set(src.height - 1 - y, x, src.at(x, y));
    return out;
}

Canvas scaled(const Canvas& src, int w, int h) {
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.set(x, y, src.at(x * src.width / w, y * src.height / h));
    return out;
}

Canvas crop(const Canvas& src, int x, int y, int w, int h) {
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.set(i, j, src.at(x + i, y + j));
    return out;
}

Canvas render_text(const std::string& text, const std::string& font_file, int pixel_size, int index) {
    if (!TTF_WasInit() && TTF_Init() != 0) throw std::runtime_error("cannot start the font renderer");
    std::string path = std::string(QUILLMOOR_FONT_DIR) + "/" + font_file;
    TTF_Font* font = TTF_OpenFont(path.c_str(), pixel_size);
    if (!font) throw std::runtime_error("cannot open font " + path);
    SDL_Surface* s = TTF_RenderUTF8_Solid(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    TTF_CloseFont(font);
    if (!s) throw std::runtime_error("cannot render text " + text);
    Canvas out(s->w, s->h);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            if (static_cast<const uint8_t*>(s->pixels)[y * s->pitch + x]) out.set(x, y, index);
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return out;
}

bool write_bmp(const std::string& path, const Canvas& c) {
    if (c.width % 4 != 0) throw std::runtime_error(path + ": width is not a multiple of 4");
    platform::PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) entries[i] = {game_palette()[i].r, game_palette()[i].g, game_palette()[i].b, 0};
    return platform::write_bmp8(path.c_str(), c.width, c.height, c.pixels.data(), c.width, entries);
}

Canvas sheet(const std::vector<Canvas>& frames, int per_row) {
    if (frames.empty()) return {};
    int w = frames[0].width, h = frames[0].height;
    int rows = (static_cast<int>(frames.size()) + per_row - 1) / per_row;
    Canvas out(w * per_row, h * rows);
    for (size_t i = 0; i < frames.size(); ++i) paste(out, frames[i], static_cast<int>(i % per_row) * w, static_cast<int>(i / per_row) * h);
    return out;
}

}  // namespace art

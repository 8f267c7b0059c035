// Pictures only enhanced play shows: the Space key hint and the closing picture with the credits.
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "generators.h"
#include "screen_paint.h"

namespace art {
namespace {

// A small cream key cap reading "Space", 64 x 24, with a darker lip below like a pressed key.
Canvas space_key() {
    Canvas c(64, 24);
    const int w = 62, h = 21;
    auto rounded = [&](int x, int y, int cw, int ch, int index) {
        fill_rect(c, x + 2, y, cw - 4, ch, index);
        fill_rect(c, x, y + 2, cw, ch - 4, index);
        fill_rect(c, x + 1, y + 1, cw - 2, ch - 2, index);
    };
    rounded(1, 2, w, h, BLACK);
    rounded(2, 3, w - 2, h - 2, CREAM + 2);  // the lip
    rounded(2, 3, w - 2, h - 5, CREAM + 6);  // the face
    for (int x = 4; x < w - 2; ++x) c.set(x, 4, WHITE);
    Canvas text = trim(render_text("Space", "DejaVuSans-Bold.ttf", 12, WOOD + 1));
    paste(c, text, 1 + (w - text.width) / 2, 3 + (h - 3 - text.height) / 2);
    return c;
}

// The last picture: Curdwick at night under the stars, "The End" in gold and the credits.
Canvas the_end() {
    Canvas c(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) c.set(x, y, dither_shade(x, y, y / 480.0, NIGHT, 0, 5));
    for (int i = 0; i < 90; ++i) {
        const int x = static_cast<int>(noise(i, 1, 501) % 640), y = static_cast<int>(noise(i, 2, 501) % 300);
        c.set(x, y, noise(i, 3, 501) % 3 ? CREAM + 5 : WHITE);
    }
    fill_circle(c, 540, 70, 22, CREAM + 7);
    fill_circle(c, 548, 64, 20, NIGHT + 1);  // a crescent moon
    // Rolling hills and the town's roofs, windows lit for the hero's return.
    for (int x = 0; x < 640; ++x) {
        const int top = 400 + static_cast<int>(18 * std::sin(x / 70.0) + 8 * std::sin(x / 23.0));
        for (int y = top; y < 480; ++y) c.set(x, y, dither_shade(x, y, (y - top) / 80.0, GRASS, 2, 0));
    }
    for (int i = 0; i < 7; ++i) {
        const int x = 60 + i * 78 + static_cast<int>(noise(i, 4, 502) % 20), base = 412 + static_cast<int>(noise(i, 5, 502) % 10);
        fill_rect(c, x, base - 26, 44, 30, WOOD + 1);
        fill_polygon(c, {{x - 6, base - 26}, {x + 22, base - 50}, {x + 50, base - 26}}, BRICK + 1);
        fill_rect(c, x + 8, base - 18, 8, 8, GOLD + 6);
        fill_rect(c, x + 28, base - 18, 8, 8, GOLD + 6);
    }
    paste_centred(c, paint_lettering("The End", "DejaVuSerif-Bold.ttf", 64, gold_lettering(NIGHT + 0, 3)), 320, 90);
    Lettering cream;
    cream.fill = {WHITE, CREAM + 7, CREAM + 6};
    cream.outline = BLACK;
    cream.outline_width = 1;
    const char* credits[] = {"Quillmoor", "made by the Quillmoor team", "", "Design, code, pictures, sound and music",
                             "the Quillmoor team and the tools they wrote", "", "Thank you for playing!"};
    int y = 170;
    for (const char* line : credits) {
        if (*line) paste_centred(c, paint_lettering(line, "DejaVuSerif-Bold.ttf", line == credits[0] ? 26 : 18, cream), 320, y);
        y += 28;
    }
    return c;
}

}  // namespace

void make_enhanced_art(const std::string& dir) {
    save_bmp(dir, "SpaceKey.BMP", space_key());
    save_bmp(dir, "TheEnd.BMP", the_end());
}

}  // namespace art

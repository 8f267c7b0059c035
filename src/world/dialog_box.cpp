// The speech box's stack of lines, its pictures and its drawing.
#include "world/dialog_box.h"

#include <algorithm>
#include <cstring>

#include "actors/enemy_base.h"
#include "platform/text.h"
#include "base/play_mode.h"
#include "world/space_hint.h"
#include "world/text_wrap.h"

DialogBox::~DialogBox() { speech_clear(); }

int DialogBox::load_speech_box() {
    // A box or portraits that cannot be made are simply not drawn.
    load_sprite_sheet(&box, "DialogBox.BMP", SPEECH_BOX_WIDTH, SPEECH_BOX_HEIGHT, 1, 1,
                      SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME);
    box.x = SPEECH_BOX_X;
    box.y = SPEECH_BOX_Y;

    load_sprite_sheet(&portrait, "character.BMP", 112, 112, SPEECH_PORTRAITS, 3,
                      SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME);
    portrait.x = 480;
    portrait.y = 270;
    return 1;
}

void DialogBox::speech_push(int32_t speaker, const char* text) {
    top = new SpeechLine{speaker, text, top};
}

bool DialogBox::speech_advance() {
    if (!top) return false;
    SpeechLine* shown = top;
    top = shown->next;
    delete shown;
    return true;
}

void DialogBox::speech_clear() {
    while (speech_advance()) {
    }
}

namespace {

// The portrait's place for a box whose top is at `box_y`: standing on the low box, hanging from
// the high one, overlapping it by the same two pixels.
constexpr int PORTRAIT_SIZE = 112, PORTRAIT_OVERLAP = 2;
int portrait_y(int box_y) {
    return box_y == SPEECH_BOX_Y ? box_y - PORTRAIT_SIZE + PORTRAIT_OVERLAP : box_y + SPEECH_BOX_HEIGHT - PORTRAIT_OVERLAP;
}
float portrait_x(int32_t speaker) { return speaker == 0 ? 50.0f : 480.0f; }

// Pixels of the screen rectangle (x, y, w, h) inside another.
int overlap(int x, int y, int w, int h, int ox, int oy, int ow, int oh) {
    const int across = std::min(x + w, ox + ow) - std::max(x, ox);
    const int down = std::min(y + h, oy + oh) - std::max(y, oy);
    return across > 0 && down > 0 ? across * down : 0;
}

}  // namespace

void DialogBox::place_clear_of(const Sprite& hero) {
    const int x = static_cast<int>(hero.x), y = static_cast<int>(hero.y);
    auto hidden = [&](int at) {
        int n = overlap(x, y, hero.width, hero.height, SPEECH_BOX_X, at, SPEECH_BOX_WIDTH, SPEECH_BOX_HEIGHT);
        if (top && top->speaker >= 0 && top->speaker < SPEECH_PORTRAITS)
            n += overlap(x, y, hero.width, hero.height, static_cast<int>(portrait_x(top->speaker)), portrait_y(at), PORTRAIT_SIZE, PORTRAIT_SIZE);
        return n;
    };
    box_y = hidden(SPEECH_BOX_Y) > hidden(SPEECH_BOX_HIGH_Y) ? SPEECH_BOX_HIGH_Y : SPEECH_BOX_Y;
}

void DialogBox::draw_speech_box() {
    if (!top) return;
    if (top->speaker >= 0 && top->speaker < SPEECH_PORTRAITS) {
        portrait.x = portrait_x(top->speaker);
        portrait.y = static_cast<float>(portrait_y(box_y));
        portrait.curr_frame = top->speaker;
        draw_sprite(&portrait, &display.back_surface);
    }
    box.y = static_cast<float>(box_y);
    draw_sprite(&box, &display.back_surface);
    // Enhanced play says which key goes on, in the box's lower right corner.
    if (enhanced_play()) draw_space_hint(SPEECH_BOX_X + SPEECH_BOX_WIDTH - 64 - 10, box_y + SPEECH_BOX_HEIGHT - 24 - 8);

    // The line is wrapped to the box; lines that would fall below the box are not drawn.
    const int line_height = platform::text_line_height();
    const int bottom = box_y + SPEECH_BOX_HEIGHT;
    int y = box_y + (SPEECH_TEXT_Y - SPEECH_BOX_Y);
    wrap_text(
        top->text, SPEECH_TEXT_RIGHT - SPEECH_TEXT_X, [](const char* s, int n) { return platform::text_width(s, n); },
        [&](const char* s, int n) {
            if (y + line_height > bottom) return;
            char piece[256];
            const int len = n < static_cast<int>(sizeof piece) - 1 ? n : static_cast<int>(sizeof piece) - 1;
            std::memcpy(piece, s, static_cast<size_t>(len));
            piece[len] = '\0';
            draw_text(piece, SPEECH_TEXT_X, y, 0xFFFFFF, &display.back_surface);
            y += line_height;
        });
}

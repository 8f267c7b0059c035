// The speech box's stack of lines, its pictures and its drawing.
#include "screens/dialog_box.h"

#include <cstring>

#include "enemies/enemy_base.h"
#include "platform/text.h"
#include "rules/play_mode.h"
#include "screens/enhanced_screens.h"
#include "screens/text_wrap.h"
#include "shell/loading.h"

DialogBox::~DialogBox() { speech_clear(); }

int DialogBox::load_speech_box() {
    load_shared_bitmap("DialogBox.BMP");
    if (create_sprite(&box, 0, 0, SPEECH_BOX_WIDTH, SPEECH_BOX_HEIGHT, 1,
                      SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY,
                      GAME_SPRITE_BPP))
        cut_sprite_frames(&box, 1, 1);
    unload_bitmap_file(&bitmap_scratch);
    box.x = SPEECH_BOX_X;
    box.y = SPEECH_BOX_Y;

    load_shared_bitmap("character.BMP");
    if (create_sprite(&portrait, 0, 0, 112, 112, SPEECH_PORTRAITS, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME,
                      SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        cut_sprite_frames(&portrait, SPEECH_PORTRAITS, 3);
    unload_bitmap_file(&bitmap_scratch);
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

void DialogBox::draw_speech_box() {
    if (!top) return;
    if (top->speaker >= 0 && top->speaker < SPEECH_PORTRAITS) {
        portrait.x = top->speaker == 0 ? 50.0f : 480.0f;
        portrait.curr_frame = top->speaker;
        draw_sprite(&portrait, &display.back_surface);
    }
    draw_sprite(&box, &display.back_surface);
    // Enhanced play says which key goes on, in the box's lower right corner.
    if (enhanced_play()) draw_space_hint(SPEECH_BOX_X + SPEECH_BOX_WIDTH - 64 - 10, SPEECH_BOX_Y + SPEECH_BOX_HEIGHT - 24 - 8);

    // The line is wrapped to the box; lines that would fall below the box are not drawn.
    const int line_height = platform::text_line_height();
    const int bottom = SPEECH_BOX_Y + SPEECH_BOX_HEIGHT;
    int y = SPEECH_TEXT_Y;
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

// The speech box: a stack of spoken lines shown one at a time with the speaker's portrait.
#pragma once
#include <cstdint>

#include "graphics/sprite.h"

// Speakers with a portrait frame: 0 (the hero) to 5; 6 and 7 have none.
constexpr int32_t SPEECH_PORTRAITS = 6;
// Frames a line stays up before Space may drop it: the delay must exceed this.
constexpr int32_t SPEECH_KEY_DELAY = 10;

struct SpeechLine {
    int32_t speaker;
    const char* text;  // a program constant, Windows-1252; not copied
    SpeechLine* next;  // the line below
};

// Box geometry on the screen, in pixels.
constexpr int SPEECH_BOX_X = 24;
constexpr int SPEECH_BOX_Y = 380;
constexpr int SPEECH_BOX_WIDTH = 592;
constexpr int SPEECH_BOX_HEIGHT = 100;
constexpr int SPEECH_TEXT_X = 40;
constexpr int SPEECH_TEXT_Y = 400;
// Text keeps the same margin from the box's right edge as from its left.
constexpr int SPEECH_TEXT_RIGHT = SPEECH_BOX_X + SPEECH_BOX_WIDTH - (SPEECH_TEXT_X - SPEECH_BOX_X);
// Enhanced play's other place for the box, just under the HUD, when the hero stands where the
// box and portrait would hide him; the portrait then hangs below it.
constexpr int SPEECH_BOX_HIGH_Y = 60;

struct DialogBox {
    SpeechLine* top = nullptr;  // the line shown; none when idle
    Sprite box;  // "DialogBox.BMP", 592 x 100
    Sprite portrait;  // "character.BMP", 112 x 112, 6 frames
    int box_y = SPEECH_BOX_Y;  // the box's top on the screen: SPEECH_BOX_Y, or SPEECH_BOX_HIGH_Y

    DialogBox() = default;
    ~DialogBox();
    DialogBox(const DialogBox&) = delete;
    DialogBox& operator=(const DialogBox&) = delete;

    // Loads the box and portrait pictures; failures leave them blank.
    int load_speech_box();
    // Puts a line on top of the stack: the line pushed last is shown first.
    void speech_push(int32_t speaker, const char* text);
    // Drops the shown line; false when there was none.
    bool speech_advance();
    bool speech_is_idle() const { return top == nullptr; }
    // Drops every waiting line.
    void speech_clear();
    // Enhanced play: puts the box (and portrait) where they hide less of `hero`, a screen sprite;
    // low as always unless the hero stands under it.
    void place_clear_of(const Sprite& hero);
    // Draws the portrait, the box and the shown line, wrapped to the box, at `box_y`.
    void draw_speech_box();
};

// Text output onto 8-bit surfaces: a cached, unsmoothed DejaVu face, Windows-1252 strings.
#pragma once
#include "platform/surface.h"

namespace platform {

// Loads the font. Returns false (and prints why) when it cannot be opened; text is then
// not drawn, and widths are estimated.
bool text_init();
void text_shutdown();

// Draws a Windows-1252 string with its top-left at (x, y) in palette index `index`,
// background untouched, cut to the surface's clip. Returns false when no font is loaded.
bool draw_text(Surface& s, const char* text, int x, int y, uint8_t index);
// The same with a one-pixel outline in `outline` all round (eight ways), in one pass over the
// string's ink: the same pixels as the outline drawn at the eight offsets and the text over it.
bool draw_text_outlined(Surface& s, const char* text, int x, int y, uint8_t index, uint8_t outline);
// Width in pixels of the first `length` bytes of a Windows-1252 string.
int text_width(const char* text, int length);
int text_line_height();

}  // namespace platform

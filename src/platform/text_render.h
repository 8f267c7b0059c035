// Rendering the DejaVu face into a glyph atlas with the desktop's font renderer; the data
// generator uses it to write the atlas that builds without a font renderer load.
#pragma once
#include "platform/glyph_atlas.h"

namespace platform {

// Fills `atlas` from the font file; false (and prints why) when the font cannot be opened.
bool render_glyph_atlas(GlyphAtlas& atlas);

}  // namespace platform

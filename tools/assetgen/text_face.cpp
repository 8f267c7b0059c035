// The text face as a glyph atlas file, rendered by the same code the desktop draws text with,
// so a build without a font renderer draws the very same pixels.
#include <stdexcept>
#include <string>

#include "generators.h"
#include "platform/glyph_atlas.h"
#include "platform/text_render.h"

namespace art {

void make_text_face(const std::string& dir) {
    platform::GlyphAtlas atlas;
    if (!platform::render_glyph_atlas(atlas)) throw std::runtime_error("cannot render the text face");
    const std::vector<uint8_t> bytes = platform::encode_glyph_atlas(atlas);
    write_file(dir + "/" + platform::GLYPH_ATLAS_FILE, std::string(bytes.begin(), bytes.end()));
}

}  // namespace art

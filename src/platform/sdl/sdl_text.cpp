// Text on the desktop: every Windows-1252 glyph of the DejaVu face is rendered once,
// unsmoothed, into the glyph atlas that draw_text reads.
#include "platform/text.h"

#include <SDL_ttf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/glyph_atlas.h"
#include "platform/text_render.h"

namespace platform {
namespace {

constexpr int FONT_PIXELS = 14;
const char* const FONT_FILE = QUILLMOOR_FONT_DIR "/DejaVuSans-Bold.ttf";
constexpr off_t FONT_FILE_LIMIT = 64 << 20;  // far above any one face's file

// Windows-1252 bytes 0x80..0x9F are not Latin-1; the rest map straight to Unicode.
constexpr uint16_t CP1252_HIGH[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                      0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

uint16_t unicode_of(uint8_t c) { return (c >= 0x80 && c < 0xA0) ? CP1252_HIGH[c - 0x80] : c; }

// The whole font file in one read: the renderer then seeks and reads in memory, not through
// thousands of small calls on the file. Empty when it cannot be read.
std::vector<uint8_t> read_font_file(const char* path) {
    std::vector<uint8_t> bytes;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size <= FONT_FILE_LIMIT) {
        bytes.resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return bytes;
}

}  // namespace

bool render_glyph_atlas(GlyphAtlas& atlas) {
    if (!TTF_WasInit() && TTF_Init() != 0) {
        std::fprintf(stderr, "quillmoor: cannot start the font renderer: %s\n", TTF_GetError());
        return false;
    }
    // The bytes stay here until the font is closed: the renderer reads them in place.
    const std::vector<uint8_t> file = read_font_file(FONT_FILE);
    if (file.empty()) {
        std::fprintf(stderr, "quillmoor: %s: cannot read the font\n", FONT_FILE);
        return false;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    TTF_Font* font = stream ? TTF_OpenFontRW(stream, 1, FONT_PIXELS) : nullptr;
    if (!font) {
        std::fprintf(stderr, "quillmoor: %s: cannot open the font: %s\n", FONT_FILE, TTF_GetError());
        return false;
    }
    atlas.line_height = TTF_FontLineSkip(font);
    for (int c = 32; c < 256; ++c) {
        uint16_t u = unicode_of(static_cast<uint8_t>(c));
        if (!u) continue;
        SDL_Surface* s = TTF_RenderGlyph_Solid(font, u, SDL_Color{255, 255, 255, 255});
        if (!s) continue;
        Glyph& g = atlas.glyphs[c];
        g.width = s->w;
        g.height = s->h;
        g.mask.assign(static_cast<size_t>(s->w) * s->h, 0);
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) g.mask[static_cast<size_t>(y) * s->w + x] = static_cast<const uint8_t*>(s->pixels)[y * s->pitch + x] ? 1 : 0;
        SDL_UnlockSurface(s);
        SDL_FreeSurface(s);
    }
    TTF_CloseFont(font);
    return true;
}

bool text_init() {
    if (glyph_atlas_loaded()) return true;
    GlyphAtlas atlas;
    if (!render_glyph_atlas(atlas)) return false;
    use_glyph_atlas(std::move(atlas));
    return true;
}

void text_shutdown() {
    forget_glyph_atlas();
    if (TTF_WasInit()) TTF_Quit();
}

}  // namespace platform

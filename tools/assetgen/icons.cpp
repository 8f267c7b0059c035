// The desktop icons: the hero's head at each size the desktop asks for, as PNG.
#include <filesystem>
#include <stdexcept>

#include "canvas.h"
#include "generators.h"
#include "platform/png_write.h"

namespace art {
namespace {

// At 16 pixels the 32-pixel head's whiskers and brows turn to mush, so the small icon is
// drawn on its own: ears, face, eyes, nose and the red scarf.
Canvas small_head() {
    Canvas c(16, 16);
    fill_ellipse_box(c, 0, 0, 7, 7, FUR + 4);
    fill_ellipse_box(c, 9, 0, 7, 7, FUR + 4);
    fill_ellipse_box(c, 2, 2, 3, 3, SKIN + 5);
    fill_ellipse_box(c, 11, 2, 3, 3, SKIN + 5);
    fill_ellipse_box(c, 3, 3, 10, 10, FUR + 4);
    fill_ellipse_box(c, 5, 9, 6, 4, FUR + 6);
    c.set(5, 7, BLACK);
    c.set(10, 7, BLACK);
    c.set(7, 10, SKIN + 3);
    c.set(8, 10, SKIN + 3);
    fill_rect(c, 5, 13, 6, 2, RED + 4);
    outline(c, BLACK);
    return c;
}

}  // namespace

void save_png(const std::filesystem::path& path, const Canvas& c) {
    platform::PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) entries[i] = {game_palette()[i].r, game_palette()[i].g, game_palette()[i].b, 0};
    std::filesystem::create_directories(path.parent_path());
    if (!platform::write_png8(path.c_str(), c.width, c.height, c.pixels.data(), c.width, entries, true))
        throw std::runtime_error("cannot write " + path.string());
}

void make_icons(const std::string& dir) {
    const Canvas head = hero_head();
    const Canvas small = small_head();
    // Every size is a whole multiple of a drawn head, so the pixels stay sharp.
    const struct {
        int size;
        const Canvas& art;
    } sizes[] = {{16, small}, {32, head}, {48, small}, {64, head}, {128, head}, {256, head}};
    for (const auto& s : sizes) {
        const std::string name = std::to_string(s.size) + "x" + std::to_string(s.size);
        save_png(std::filesystem::path(dir) / name / "apps" / "quillmoor.png", scaled(s.art, s.size, s.size));
    }
}

}  // namespace art

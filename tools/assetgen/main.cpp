// The data generator: writes every picture, level, sound and track of the game into a folder.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "canvas.h"
#include "generators.h"

namespace art {

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void save_bmp(const std::string& dir, const std::string& name, const Canvas& c) {
    if (!write_bmp(dir + "/" + name, c)) throw std::runtime_error("cannot write " + dir + "/" + name);
}

void make_palette_file(const std::string& dir) {
    std::string text;
    char line[64];
    for (const Rgb& e : game_palette()) {
        std::snprintf(line, sizeof line, "%d %d %d %d\n", e.r, e.g, e.b, 4);
        text += line;
    }
    write_file(dir + "/PALDATA2.PAL", text);
}

}  // namespace art

int main(int argc, char** argv) {
    bool preview = false;
    bool icons = false;
    bool text_face = false;  // only the glyph atlas, for the browser build
    bool web_art = false;  // only the browser page's icons and touch controls
    const char* dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--preview") == 0)
            preview = true;
        else if (std::strcmp(argv[i], "--icons") == 0)
            icons = true;
        else if (std::strcmp(argv[i], "--text-face") == 0)
            text_face = true;
        else if (std::strcmp(argv[i], "--web-art") == 0)
            web_art = true;
        else
            dir = argv[i];
    }
    if (!dir) {
        std::fprintf(stderr, "usage: assetgen [--preview | --icons | --text-face | --web-art] OUTPUT_DIR\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(dir);
        if (preview) {
            art::make_level_previews(dir);
            return 0;
        }
        if (icons) {
            art::make_icons(dir);
            return 0;
        }
        if (text_face) {
            art::make_text_face(dir);
            return 0;
        }
        if (web_art) {
            art::make_web_art(dir);
            return 0;
        }
        art::make_palette_file(dir);
        art::make_title_screens(dir);
        art::make_progress_map(dir);
        art::make_hero_art(dir);
        art::make_enemy_art(dir);
        art::make_ui_art(dir);
        art::make_tiles(dir);
        art::make_levels(dir);
        art::make_sounds(dir);
        art::make_music(dir);
        art::make_enhanced_art(dir);
        art::make_tile_details(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}

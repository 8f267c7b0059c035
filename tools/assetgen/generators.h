// Every group of data files the generator writes; each group lives in its own file.
#pragma once
#include <filesystem>
#include <string>

namespace art {

// Each writes its files into `dir` and throws std::runtime_error on failure.
void make_palette_file(const std::string& dir);  // PALDATA2.PAL
void make_title_screens(const std::string& dir);  // title, bricks, menu entries, game over, pointer
void make_progress_map(const std::string& dir);  // PROGRESSMAP.BMP, HEAD.BMP
void make_hero_art(const std::string& dir);  // PLAYER, SWORDATTACK, arrow
void make_enemy_art(const std::string& dir);  // mole, pig, wasp, stinger, bosses, spear
void make_ui_art(const std::string& dir);  // HUD icons, pick-ups, death cloud, speech box, portraits
void make_tiles(const std::string& dir);  // FloorMap.BMP
void make_levels(const std::string& dir);  // Level1..3.txt and the enemy lists
void make_sounds(const std::string& dir);  // the WAV effects
void make_music(const std::string& dir);  // the MIDI tracks
void make_enhanced_art(const std::string& dir);  // SpaceKey.BMP, TheEnd.BMP (enhanced play only)
void make_tile_details(const std::string& dir);  // FloorDetail.BMP (enhanced play only)
// With --text-face: font.atlas, the text face for the browser build, which has no font renderer.
void make_text_face(const std::string& dir);

// Writes a whole file; throws on failure.
void write_file(const std::string& path, const std::string& bytes);
// Writes a canvas as BMP; throws on failure.
struct Canvas;
void save_bmp(const std::string& dir, const std::string& name, const Canvas& c);

// With --icons: the desktop icons, DIR/<size>x<size>/apps/quillmoor.png.
void make_icons(const std::string& dir);
// With --web-art: the browser page's icons and touch controls, DIR/*.png.
void make_web_art(const std::string& dir);
// Writes a canvas as an 8-bit PNG, index 0 transparent; throws on failure.
void save_png(const std::filesystem::path& path, const Canvas& c);
// Nibbs's head, 32 x 32: the progress map's marker, the window icon and the desktop icon.
Canvas hero_head();

// With --preview: downscaled pictures of whole levels, for designers.
void make_level_previews(const std::string& dir);

}  // namespace art

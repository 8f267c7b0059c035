// The data folder's contents: one list, so an incomplete install stops with a clear message.
#include "app/data_files.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "audio/sound_ids.h"
#include "game/game.h"

namespace {

constexpr const char* PICTURES_AND_LEVELS[] = {
    // pictures and the palette
    "PALDATA2.PAL", "Quillmoor.BMP", "GreyBrick.BMP", "START.BMP", "Quit.BMP", "GameOver.BMP", "SWORD.BMP",
    "PROGRESSMAP.BMP", "DialogBox.BMP", "HEAD.BMP", "character.BMP", "FloorMap.BMP", "life.BMP", "lifebar.BMP",
    "uisword.BMP", "uibow.BMP", "uikey.BMP", "key.BMP", "cheese.BMP", "deathcloud.BMP", "PLAYER.BMP",
    "SWORDATTACK.BMP", "arrow.BMP", "mole.BMP", "Pig.BMP", "Wasp.BMP", "stinger.BMP", "DorvikMole.BMP",
    "LordHogrand.BMP", "spear.BMP", "KingVespro.BMP", "SpaceKey.BMP", "TheEnd.BMP", "FloorDetail.BMP", "CONTINUE.BMP", "OPTIONS.BMP",
    "OptionsPanel.BMP", "OptionPips.BMP", "RESUME.BMP", "NEWGAME.BMP",
    // levels and their enemies
    "Level1.txt", "Level2.txt", "Level3.txt", "level1Moles.txt", "level2Moles.txt", "level2Pigs.txt",
    "level3Moles.txt", "level3Pigs.txt", "level3Wasps.txt",
};

constexpr size_t PICTURE_AND_LEVEL_COUNT = std::size(PICTURES_AND_LEVELS);

// The pictures and levels, then the sound effects and the music from their tables.
constexpr std::array<const char*, PICTURE_AND_LEVEL_COUNT + SOUND_FILE_COUNT + MUSIC_FILE_COUNT> ALL_FILES = [] {
    std::array<const char*, PICTURE_AND_LEVEL_COUNT + SOUND_FILE_COUNT + MUSIC_FILE_COUNT> all{};
    size_t n = 0;
    for (const char* name : PICTURES_AND_LEVELS) all[n++] = name;
    for (const SoundFile& sound : SOUND_FILES) all[n++] = sound.name;
    for (const MusicFile& track : MUSIC_FILES) all[n++] = track.name;
    return all;
}();

}  // namespace

const char* const* const DATA_FILES = ALL_FILES.data();
const int DATA_FILE_COUNT = static_cast<int>(ALL_FILES.size());

std::string first_missing_data_file(const std::string& dir) {
    std::error_code ec;
    for (const char* name : ALL_FILES)
        if (!std::filesystem::exists(std::filesystem::path(dir) / name, ec)) return name;
    return {};
}

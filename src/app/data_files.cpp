// The data folder's contents: one list, so an incomplete install stops with a clear message.
#include "app/data_files.h"

#include <filesystem>
#include <system_error>

const char* const DATA_FILES[] = {
    // pictures and the palette
    "PALDATA2.PAL", "Quillmoor.BMP", "GreyBrick.BMP", "START.BMP", "Quit.BMP", "GameOver.BMP", "SWORD.BMP",
    "PROGRESSMAP.BMP", "DialogBox.BMP", "HEAD.BMP", "character.BMP", "FloorMap.BMP", "life.BMP", "lifebar.BMP",
    "uisword.BMP", "uibow.BMP", "uikey.BMP", "key.BMP", "cheese.BMP", "deathcloud.BMP", "PLAYER.BMP",
    "SWORDATTACK.BMP", "arrow.BMP", "mole.BMP", "Pig.BMP", "Wasp.BMP", "stinger.BMP", "DorvikMole.BMP",
    "LordHogrand.BMP", "spear.BMP", "KingVespro.BMP", "SpaceKey.BMP", "TheEnd.BMP", "CONTINUE.BMP", "OPTIONS.BMP",
    "OptionsPanel.BMP", "OptionPips.BMP",
    // levels and their enemies
    "Level1.txt", "Level2.txt", "Level3.txt", "level1Moles.txt", "level2Moles.txt", "level2Pigs.txt",
    "level3Moles.txt", "level3Pigs.txt", "level3Wasps.txt",
    // sound effects and music
    "item.WAV", "openJail.WAV", "cheese.WAV", "nibbsDie.WAV", "ouch.WAV", "useSword.WAV", "death.WAV",
    "arrow.WAV", "moleHit.WAV", "pigHit.WAV", "waspHit.WAV", "bossHit.WAV", "bossDie.WAV", "celebrate.WAV",
    "intro.MID", "level1.MID", "level2.MID", "level3.MID", "levelComplete.MID", "gameOver.MID",
};
const int DATA_FILE_COUNT = static_cast<int>(sizeof DATA_FILES / sizeof DATA_FILES[0]);

std::string first_missing_data_file(const std::string& dir) {
    std::error_code ec;
    for (const char* name : DATA_FILES)
        if (!std::filesystem::exists(std::filesystem::path(dir) / name, ec)) return name;
    return {};
}

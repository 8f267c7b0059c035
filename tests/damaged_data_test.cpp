// The whole game on damaged data: it never crashes, and names each bad file once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "run_game.h"

namespace fs = std::filesystem;

namespace {

// A copy of the generated data in which some files are cut short, emptied or removed.
void damage(const TempDir& dir) {
    fs::copy(QUILLMOOR_TEST_DATA_DIR, dir.path / "data", fs::copy_options::recursive);
    const fs::path data = dir.path / "data";
    fs::resize_file(data / "mole.BMP", 500);  // truncated pixels
    fs::resize_file(data / "FloorMap.BMP", 30);  // truncated header
    write_text((data / "PLAYER.BMP").string(), "not a bitmap at all");
    write_text((data / "HEAD.BMP").string(), "");  // empty
    write_text((data / "PALDATA2.PAL").string(), "1 2 3 4\n5 six 7 8\n");
    fs::resize_file(data / "Level1.txt", 1000);
    write_text((data / "level1Moles.txt").string(), "100 200\n300 nan\n");
    fs::resize_file(data / "useSword.WAV", 30);
    write_text((data / "level1.MID").string(), "MThd");
}

}  // namespace

TEST(DamagedData, TheGamePlaysOnAndNamesEachBadFileOnce) {
    TempDir dir;
    damage(dir);
    const std::string data = (dir.path / "data").string();
    // Into level 1, through its opening lines, then walk and swing the sword.
    HeadlessRun run = run_headless(dir, "20 -\n1 enter\n5 -\n1 space\n12 -\n1 space\n12 -\n1 space\n10 -\n30 right+a\n30 down\n", 130,
                                   "--shot 130:'" + dir.file("f.bmp") + "'", data);
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_value(run.state, "game_state"), "Playing");
    EXPECT_EQ(json_int(run.state, "loaded_level"), 1);
    for (const char* file : {"mole.BMP", "FloorMap.BMP", "PLAYER.BMP", "HEAD.BMP", "PALDATA2.PAL", "Level1.txt", "level1Moles.txt",
                             "useSword.WAV", "level1.MID"}) {
        const std::regex line(std::string("(^|\n)[^\n]*") + std::regex_replace(file, std::regex("\\."), "\\.") + "[^\n]*");
        const auto count = std::distance(std::sregex_iterator(run.errors.begin(), run.errors.end(), line), std::sregex_iterator());
        EXPECT_EQ(count, 1) << file << " in:\n" << run.errors;
    }
    EXPECT_EQ(read_text(dir.file("f.bmp")).size(), 14u + 40 + 1024 + 640 * 480);
}

TEST(ProjectLayout, OnlyThePlatformLayerIncludesSdl) {
    const std::regex sdl_include("#\\s*include\\s*[<\"]SDL");
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(QUILLMOOR_SOURCE_DIR) / "src")) {
        if (!entry.is_regular_file()) continue;
        const fs::path rel = fs::relative(entry.path(), fs::path(QUILLMOOR_SOURCE_DIR) / "src");
        if (*rel.begin() == "platform") continue;
        ++checked;
        EXPECT_FALSE(std::regex_search(read_text(entry.path().string()), sdl_include)) << rel << " includes SDL";
    }
    EXPECT_GT(checked, 20);
}

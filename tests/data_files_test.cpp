// The start-up check of the data folder: the list matches what the generator makes, and an
// incomplete folder stops the game with one line naming the folder and the missing file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "run_game.h"
#include "app/data_files.h"

namespace fs = std::filesystem;

TEST(DataFiles, TheListIsExactlyWhatTheGeneratorMakes) {
    std::set<std::string> listed(DATA_FILES, DATA_FILES + DATA_FILE_COUNT);
    EXPECT_EQ(listed.size(), static_cast<size_t>(DATA_FILE_COUNT)) << "a file is listed twice";
    std::set<std::string> made;
    for (const auto& entry : fs::directory_iterator(QUILLMOOR_TEST_DATA_DIR))
        if (entry.path().filename() != ".stamp") made.insert(entry.path().filename().string());
    EXPECT_EQ(listed, made);
}

TEST(DataFiles, AnEmptyFolderOrAnyMissingFileStopsStartUpNamingIt) {
    TempDir dir;
    const fs::path data = dir.path / "data";
    fs::create_directories(data);
    HeadlessRun run = run_headless(dir, "1 -\n", 5, "", data.string());
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_NE(run.errors.find(data.string()), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find(DATA_FILES[0]), std::string::npos) << run.errors;
    for (int i = 0; i < DATA_FILE_COUNT; ++i)
        fs::create_symlink(fs::path(QUILLMOOR_TEST_DATA_DIR) / DATA_FILES[i], data / DATA_FILES[i]);
    for (int i = 0; i < DATA_FILE_COUNT; ++i) {
        const fs::path file = data / DATA_FILES[i];
        fs::remove(file);
        run = run_headless(dir, "1 -\n", 5, "", data.string());
        EXPECT_EQ(run.exit_status, 1) << DATA_FILES[i];
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_NE(run.errors.find(std::string(DATA_FILES[i]) + " is missing"), std::string::npos) << run.errors;
        fs::create_symlink(fs::path(QUILLMOOR_TEST_DATA_DIR) / DATA_FILES[i], file);
    }
    EXPECT_EQ(run_headless(dir, "1 -\n", 5, "", data.string()).exit_status, 0);
}

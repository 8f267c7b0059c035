// The data folder: the start-up check, every file damaged every way, and the reader's refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/data_files.h"
#include "app/headless_session.h"
#include "app/input_script.h"
#include "base/data_file.h"
#include "game/game.h"
#include "graphics/bitmap_file.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

enum Fault { EMPTY, TRUNCATED, FLIPPED, DIRECTORY, OVERSIZED };
const char* const FAULT_NAMES[] = {"empty", "truncated", "flipped", "directory", "oversized"};

DataKind kind_of(const std::string& name) {
    const std::string ext = fs::path(name).extension().string();
    if (ext == ".BMP") return DataKind::Bitmap;
    if (ext == ".PAL") return DataKind::Palette;
    if (ext == ".WAV") return DataKind::Sound;
    if (ext == ".MID") return DataKind::Music;
    return name.rfind("Level", 0) == 0 ? DataKind::TileMap : DataKind::EnemyList;
}

// Files read only when the story reaches level 2 or 3, only in enhanced play, or only for players
// with a profile (the CONTINUE and options pictures): a short classic run never opens them.
bool read_in_a_short_run(const std::string& name) {
    return name.find('2') == std::string::npos && name.find('3') == std::string::npos && name != "SpaceKey.BMP" &&
           name != "FloorDetail.BMP" && name != "TheEnd.BMP" && name != "CONTINUE.BMP" && name.rfind("OPTION", 0) != 0 &&
           name.rfind("Option", 0) != 0 && name != "RESUME.BMP" && name != "NEWGAME.BMP";
}

// A data folder of links to the generated files.
void link_data(const fs::path& dir) {
    fs::create_directories(dir);
    for (int i = 0; i < DATA_FILE_COUNT; ++i) fs::create_symlink(fs::path(QUILLMOOR_TEST_DATA_DIR) / DATA_FILES[i], dir / DATA_FILES[i]);
}

// Puts a file damaged by `fault` in place of the link `file`.
void damage(const fs::path& file, Fault fault) {
    const fs::path original = fs::read_symlink(file);
    const std::string bytes = read_text(original.string());
    fs::remove(file);
    switch (fault) {
    case EMPTY: write_text(file.string(), ""); break;
    case TRUNCATED: write_text(file.string(), bytes.substr(0, bytes.size() / 2)); break;
    case FLIPPED: write_text(file.string(), std::string(1, static_cast<char>(bytes[0] ^ 0xFF)) + bytes.substr(1)); break;
    case DIRECTORY: fs::create_directories(file); break;
    case OVERSIZED:
        write_text(file.string(), "");
        fs::resize_file(file, data_limit(kind_of(file.filename().string())).max_bytes + 1);  // sparse: nothing is written
        break;
    }
}

// What the game says on stderr when it starts in `data` as the runner does and plays three
// frames, Enter held in the first.
std::string start_up_errors(const fs::path& data) {
    const fs::path here = fs::current_path();
    reset_game_globals();
    ::testing::internal::CaptureStderr();
    EXPECT_NE(start_headless_session(PlayMode::Classic, data.string()), SESSION_FAILED);
    for (unsigned keys : {unsigned{SCRIPT_KEY_ENTER}, 0u, 0u}) headless_frame(keys);
    stop_headless_session();
    fs::current_path(here);
    reset_game_globals();
    return ::testing::internal::GetCapturedStderr();
}

// How many times `errors` names `file`.
size_t times_named(const std::string& errors, const std::string& file) {
    size_t times = 0;
    for (size_t at = 0; (at = errors.find(file, at)) != std::string::npos; at += file.size()) ++times;
    return times;
}

class FaultMatrix : public ::testing::TestWithParam<Fault> {};

}  // namespace

// The generator makes exactly the listed files, and the same bytes on every run: a level or a
// sound that changed between two builds would invalidate recorded runs.
TEST(DataFiles, TheGeneratorMakesTheListedFilesAnyMissingOneStopsStartUpAndADamagedFolderPlaysOn) {
    std::set<std::string> listed(DATA_FILES, DATA_FILES + DATA_FILE_COUNT);
    EXPECT_EQ(listed.size(), static_cast<size_t>(DATA_FILE_COUNT)) << "a file is listed twice";
    TempDir dir;
    ASSERT_EQ(run_program(quoted(QUILLMOOR_ASSETGEN) + " " + quoted(dir.path.string())).exit_status, 0);
    std::set<std::string> made;
    for (const auto& entry : fs::directory_iterator(dir.path)) {
        const std::string name = entry.path().filename().string();
        made.insert(name);
        EXPECT_TRUE(read_text(entry.path().string()) == read_text(std::string(QUILLMOOR_TEST_DATA_DIR) + "/" + name))
            << name << " differs from one run of the generator to the next";
    }
    EXPECT_EQ(listed, made);

    // A missing file, any one, stops start-up with one line naming the folder and the file; a file
    // that is not what it seems is refused by the reader.
    const fs::path data = dir.path / "data";
    fs::create_directories(data);
    HeadlessRun run = run_headless(dir, "1 -\n", 5, "", data.string());
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_NE(run.errors.find(data.string()), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find(std::string(DATA_FILES[0]) + " is missing"), std::string::npos) << run.errors;
    fs::remove(data);
    link_data(data);
    for (int i = 0; i < DATA_FILE_COUNT; ++i) {
        const fs::path file = data / DATA_FILES[i];
        fs::remove(file);
        EXPECT_EQ(first_missing_data_file(data.string()), DATA_FILES[i]);
        if (i == DATA_FILE_COUNT - 1) {
            run = run_headless(dir, "1 -\n", 5, "", data.string());
            EXPECT_EQ(run.exit_status, 1);
            EXPECT_NE(run.errors.find(std::string(DATA_FILES[i]) + " is missing"), std::string::npos) << run.errors;
        }
        fs::create_symlink(fs::path(QUILLMOOR_TEST_DATA_DIR) / DATA_FILES[i], file);
    }
    EXPECT_EQ(first_missing_data_file(data.string()), "");
    EXPECT_EQ(run_headless(dir, "1 -\n", 5, "", data.string()).exit_status, 0);

    // The reader refuses a directory, a device and an oversized file without throwing.
    std::vector<uint8_t> bytes;
    std::string fault;
    EXPECT_FALSE(read_data_file(dir.path.c_str(), DataKind::Bitmap, &bytes, &fault));
    EXPECT_EQ(fault, "is a directory, not a file");
    EXPECT_FALSE(read_data_file("/dev/zero", DataKind::Bitmap, &bytes, &fault));
    EXPECT_EQ(fault, "is not a regular file");
    // A sparse file one byte over the limit is refused before a byte of it is read.
    const std::string big = dir.file("big.BMP");
    write_text(big, "");
    fs::resize_file(big, data_limit(DataKind::Bitmap).max_bytes + 1);
    EXPECT_FALSE(read_data_file(big.c_str(), DataKind::Bitmap, &bytes, &fault));
    EXPECT_NE(fault.find(std::to_string(data_limit(DataKind::Bitmap).max_bytes + 1) + " bytes"), std::string::npos) << fault;
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(read_data_file(dir.file("gone.BMP").c_str(), DataKind::Bitmap, &bytes, &fault));
    EXPECT_NE(fault.find("cannot open"), std::string::npos) << fault;

    BitmapFile bitmap;
    EXPECT_EQ(load_bitmap_file(&bitmap, dir.path.c_str()), 0);
    EXPECT_TRUE(bitmap.buffer.empty());

    // The whole game on a copy of the data in which some files are cut short, emptied or removed: it
    // plays on into level 1, and names each bad file once.
    const fs::path damaged = dir.path / "damaged";
    fs::copy(QUILLMOOR_TEST_DATA_DIR, damaged, fs::copy_options::recursive);
    fs::resize_file(damaged / "mole.BMP", 500);  // truncated pixels
    fs::resize_file(damaged / "FloorMap.BMP", 30);  // truncated header
    write_text((damaged / "PLAYER.BMP").string(), "not a bitmap at all");
    write_text((damaged / "HEAD.BMP").string(), "");  // empty
    write_text((damaged / "PALDATA2.PAL").string(), "1 2 3 4\n5 six 7 8\n");
    fs::resize_file(damaged / "Level1.txt", 1000);
    write_text((damaged / "level1Moles.txt").string(), "100 200\n300 nan\n");
    fs::resize_file(damaged / "useSword.WAV", 30);
    write_text((damaged / "level1.MID").string(), "MThd");
    // Into level 1, through its opening lines, then walk and swing the sword.
    run = run_headless(dir, "20 -\n1 enter\n5 -\n1 space\n12 -\n1 space\n12 -\n1 space\n10 -\n30 right+a\n30 down\n", 130,
                       "--shot 130:" + quoted(dir.file("f.bmp")), damaged.string());
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_value(run.state, "game_state"), "Playing");
    EXPECT_EQ(json_int(run.state, "loaded_level"), 1);
    for (const char* file : {"mole.BMP", "FloorMap.BMP", "PLAYER.BMP", "HEAD.BMP", "PALDATA2.PAL", "Level1.txt", "level1Moles.txt",
                             "useSword.WAV", "level1.MID"})
        EXPECT_EQ(times_named(run.errors, file), 1u) << file << " in:\n" << run.errors;
    EXPECT_EQ(read_text(dir.file("f.bmp")).size(), 14u + 40 + 1024 + 640 * 480);
}

// Every other fault lets the game start and play on; the bad file is named once, and always when
// the run reads it.
TEST_P(FaultMatrix, EveryDataFileDamagedThisWayIsNamedOnceAndNeverCrashes) {
    TempDir dir;
    const fs::path data = dir.path / "data";
    link_data(data);
    for (int i = 0; i < DATA_FILE_COUNT; ++i) {
        const std::string name = DATA_FILES[i];
        damage(data / name, GetParam());
        const std::string errors = start_up_errors(data);
        const size_t naming = times_named(errors, name);
        EXPECT_LE(naming, 1u) << name << ": each bad file is named once\n" << errors;
        // An enemy list cut short or emptied may just hold fewer enemies: that is not a fault.
        const bool may_pass_unnoticed = kind_of(name) == DataKind::EnemyList && (GetParam() == EMPTY || GetParam() == TRUNCATED);
        if (read_in_a_short_run(name) && !may_pass_unnoticed) {
            EXPECT_EQ(naming, 1u) << name << ":\n" << errors;
        }
        fs::remove_all(data / name);
        fs::create_symlink(fs::path(QUILLMOOR_TEST_DATA_DIR) / name, data / name);
    }
}

INSTANTIATE_TEST_SUITE_P(Data, FaultMatrix, ::testing::Values(EMPTY, TRUNCATED, FLIPPED, DIRECTORY, OVERSIZED),
                         [](const auto& info) { return std::string(FAULT_NAMES[info.param]); });

// Every data file the game loads, damaged each way a file can be: missing, empty, cut short,
// its first byte flipped, a directory in its place, over its size limit. Each run ends with the
// documented exit status, names the file, and leaves no sanitizer report.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <map>
#include <thread>

#include "base/data_file.h"
#include "run_game.h"
#include "app/data_files.h"

namespace fs = std::filesystem;

namespace {

enum Fault { MISSING, EMPTY, TRUNCATED, FLIPPED, DIRECTORY, OVERSIZED, FAULT_COUNT };
const char* const FAULT_NAMES[FAULT_COUNT] = {"missing", "empty", "truncated", "flipped", "directory", "oversized"};

DataKind kind_of(const std::string& name) {
    const std::string ext = fs::path(name).extension().string();
    if (ext == ".BMP") return DataKind::Bitmap;
    if (ext == ".PAL") return DataKind::Palette;
    if (ext == ".WAV") return DataKind::Sound;
    if (ext == ".MID") return DataKind::Music;
    return name.rfind("Level", 0) == 0 ? DataKind::TileMap : DataKind::EnemyList;
}

// Files read only when the story reaches level 2 or 3, or only in enhanced play: a short
// classic run never opens them.
bool read_in_a_short_run(const std::string& name) {
    // The CONTINUE and options pictures are read only for players with a profile.
    return name.find('2') == std::string::npos && name.find('3') == std::string::npos && name != "SpaceKey.BMP" &&
           name != "TheEnd.BMP" && name != "CONTINUE.BMP" && name.rfind("OPTION", 0) != 0 && name.rfind("Option", 0) != 0;
}

// A data folder of links to the generated files, with `name` damaged by `fault`.
void make_case(const fs::path& dir, const std::string& name, Fault fault) {
    fs::create_directories(dir);
    for (int i = 0; i < DATA_FILE_COUNT; ++i)
        if (DATA_FILES[i] != name) fs::create_symlink(fs::path(QUILLMOOR_TEST_DATA_DIR) / DATA_FILES[i], dir / DATA_FILES[i]);
    const fs::path file = dir / name, original = fs::path(QUILLMOOR_TEST_DATA_DIR) / name;
    switch (fault) {
    case MISSING: break;
    case EMPTY: write_text(file.string(), ""); break;
    case TRUNCATED:
        fs::copy_file(original, file);
        fs::resize_file(file, fs::file_size(original) / 2);
        break;
    case FLIPPED: {
        std::string bytes = read_text(original.string());
        bytes[0] = static_cast<char>(bytes[0] ^ 0xFF);
        write_text(file.string(), bytes);
        break;
    }
    case DIRECTORY: fs::create_directories(file); break;
    case OVERSIZED:
        write_text(file.string(), "");
        fs::resize_file(file, data_limit(kind_of(name)).max_bytes + 1);  // sparse: nothing is written
        break;
    case FAULT_COUNT: break;
    }
}

struct Outcome {
    int exit_status = -1;
    std::string errors;
};

}  // namespace

TEST(FaultMatrix, EveryDataFileDamagedEveryWayIsNamedAndNeverCrashes) {
    TempDir root;
    std::vector<std::pair<std::string, Fault>> cases;
    for (int i = 0; i < DATA_FILE_COUNT; ++i)
        for (int f = 0; f < FAULT_COUNT; ++f) cases.emplace_back(DATA_FILES[i], static_cast<Fault>(f));
    std::vector<Outcome> outcomes(cases.size());
    write_text(root.file("keys.txt"), "1 enter\n");

    // Two runs at a time: each starts the game, opens level 1 and stops.
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i; (i = next++) < cases.size();) {
            const fs::path dir = root.path / ("case" + std::to_string(i));
            make_case(dir / "data", cases[i].first, cases[i].second);
            const std::string command = std::string("'") + QUILLMOOR_EXE + "' --headless --frames 3 --input '" + root.file("keys.txt") +
                                        "' --data '" + (dir / "data").string() + "' > /dev/null 2> '" + (dir / "stderr.txt").string() + "'";
            const int status = std::system(command.c_str());
            outcomes[i].exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            outcomes[i].errors = read_text((dir / "stderr.txt").string());
            fs::remove_all(dir);
        }
    };
    std::thread a(worker), b(worker);
    a.join();
    b.join();

    // The matrix, one row per file: exit status, and '+' when a line named the file.
    std::string table = "file                 missing  empty  truncated  flipped  directory  oversized\n";
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string& name = cases[i].first;
        const Fault fault = cases[i].second;
        const Outcome& o = outcomes[i];
        const std::string where = name + " " + FAULT_NAMES[fault] + ":\n" + o.errors;
        size_t naming = 0;
        for (size_t at = 0; (at = o.errors.find(name, at)) != std::string::npos; at += name.size()) ++naming;
        if (fault == MISSING) table += name + std::string(name.size() < 20 ? 20 - name.size() : 1, ' ');
        char cell[16];
        std::snprintf(cell, sizeof cell, " %d%c", o.exit_status, naming ? '+' : ' ');
        table += std::string(cell) + std::string(std::string(FAULT_NAMES[fault]).size() + 2 - std::string(cell).size(), ' ');
        if (fault == OVERSIZED) table += "\n";

        for (const char* report : {"AddressSanitizer", "LeakSanitizer", "runtime error:"})
            EXPECT_EQ(o.errors.find(report), std::string::npos) << where;
        if (fault == MISSING) {
            // The start-up check stops the game and names the folder and the file.
            EXPECT_EQ(o.exit_status, 1) << where;
            EXPECT_EQ(naming, 1u) << where;
            continue;
        }
        EXPECT_EQ(o.exit_status, 0) << where;
        EXPECT_LE(naming, 1u) << "each bad file is named once\n" << where;
        // An enemy list cut short or emptied may just hold fewer enemies: that is not a fault.
        const bool may_pass_unnoticed = kind_of(name) == DataKind::EnemyList && (fault == EMPTY || fault == TRUNCATED);
        if (read_in_a_short_run(name) && !may_pass_unnoticed) {
            EXPECT_EQ(naming, 1u) << where;
        }
    }
    std::printf("%s", table.c_str());
}

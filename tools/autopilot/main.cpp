// The autopilot: plays Quillmoor headless from the title to the last line of the story with
// nothing but key presses, writes the keys as a key script and prints one line.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/data_dir.h"
#include "app/data_hash.h"
#include "app/headless_session.h"
#include "app/key_recorder.h"
#include "game/game.h"
#include "pilot.h"
#include "world/world.h"

namespace {

const char* const USAGE =
    "usage: autopilot --out FILE [--frames N] [--data DIR] [--enhanced]\n"
    "  --out FILE   where to write the key script of the run\n"
    "  --frames N   give up after N frames (default 60000)\n"
    "  --data DIR   the game's data folder (default: the one the build makes)\n"
    "  --enhanced   play enhanced (default: classic)\n";

struct Run {
    long frames = 0;
    bool finished = false;
};

// One boss fight: from the first frame after his meeting lines to the frame he falls.
struct BossFight {
    long start = -1, end = -1;
    int lives_at_start = 0, lives_lost = 0;
};

// Follows the fight of the level being played after each frame.
void watch_boss_fight(BossFight (&fights)[3], long frame) {
    const int level = game.current_level;
    if (level < 1 || level > 3 || game.game_state != GAME_STATE_PLAYING) return;
    BossFight& f = fights[level - 1];
    const EnemyPools& pools = world.pools;
    const EnemyBase* bosses[3] = {&pools.mole_boss, &pools.swine_boss, &pools.wasp_boss};
    const EnemyBase& boss = *bosses[level - 1];
    if (f.start < 0 && world.boss_taunt_shown && boss.alive && world.dialog_box.speech_is_idle()) {
        f.start = frame;
        f.lives_at_start = world.player.lives;
    }
    if (f.start >= 0 && f.end < 0 && !boss.alive) {
        f.end = frame;
        f.lives_lost = f.lives_at_start - world.player.lives;
    }
}

// The story is finished once level 3 is completed and its last line has been read.
bool story_finished() { return game.current_level == 4 && world.dialog_box.speech_is_idle(); }

}  // namespace

int main(int argc, char** argv) {
    std::string out, data;
    long budget = 60000;
    PlayMode mode = PlayMode::Classic;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--enhanced") {
            mode = PlayMode::Enhanced;
        } else if (arg == "--out" && value) {
            out = argv[++i];
        } else if (arg == "--data" && value) {
            data = argv[++i];
        } else if (arg == "--frames" && value && std::atol(value) > 0) {
            budget = std::atol(argv[++i]);
        } else {
            std::fprintf(stderr, "autopilot: bad option %s\n%s", arg.c_str(), USAGE);
            return 2;
        }
    }
    if (out.empty()) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    const std::string dir = find_data_dir(data, argv[0]);
    std::error_code ec;
    out = std::filesystem::absolute(out, ec).string();
    if (dir.empty() || !std::filesystem::is_directory(dir, ec)) {
        std::fprintf(stderr, "autopilot: data folder %s not found\n", data.empty() ? "(beside the program)" : data.c_str());
        return 1;
    }
    KeyRecorder recorder;
    if (!open_recording(recorder, out, play_mode_name(mode), hash_text(data_folder_hash(dir)))) return 1;
    if (start_headless_session(mode, dir) != SESSION_RUNNING) {
        std::fprintf(stderr, "autopilot: the game did not start\n");
        return 1;
    }
    Pilot pilot;
    Run run;
    BossFight fights[3];
    // With AUTOPILOT_TRACE set, a line every 100 frames shows how the run goes.
    const bool trace = std::getenv("AUTOPILOT_TRACE") != nullptr;
    while (run.frames < budget && !story_finished() && game.game_state != GAME_STATE_GAME_OVER) {
        const unsigned keys = pilot_keys(pilot);
        record_frame(recorder, keys);
        if (!headless_frame(keys)) break;
        ++run.frames;
        watch_boss_fight(fights, run.frames);
        if (trace && run.frames % 100 == 0)
            std::fprintf(stderr, "%ld: level %d at (%d, %d) goal %d hp %d lives %d boss %d (hp %d) key %d\n", run.frames,
                         game.current_level, pilot.sight.hero_x, pilot.sight.hero_y, pilot.goal, world.player.hit_points,
                         world.player.lives, pilot.sight.boss_alive, pilot.sight.boss_hit_points, world.player.has_key);
    }
    run.finished = story_finished();
    // The length of each fight at the game's 30 ms a frame, and the lives it cost.
    for (int i = 0; i < 3; ++i) {
        const BossFight& f = fights[i];
        if (f.end < 0) continue;
        const long frames = f.end - f.start;
        std::fprintf(stderr, "autopilot: boss %d fought from frame %ld to %ld: %ld frames (%.1f s), %d lives lost\n", i + 1,
                     f.start, f.end, frames, frames * 0.03, f.lives_lost);
    }
    const int lives = world.player.lives;
    stop_headless_session();
    if (!close_recording(recorder)) return 1;
    std::printf("autopilot: %ld frames, %d lives left, story %s\n", run.frames, lives,
                run.finished ? "finished" : ("not finished (level " + std::to_string(game.current_level) + ")").c_str());
    return run.finished ? 0 : 1;
}

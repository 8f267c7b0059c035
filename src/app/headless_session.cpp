// The headless session: the data folder, the headless platform, the game, and its frames.
#include "app/headless_session.h"

#include <filesystem>
#include <system_error>

#include "app/input_script.h"
#include "game/game.h"
#include "platform/platform.h"
#include "userfiles/profile.h"

SessionStart start_headless_session(PlayMode mode, const std::string& data_dir) {
    std::error_code ec;
    if (!data_dir.empty() && (std::filesystem::current_path(data_dir, ec), ec)) return SESSION_FAILED;
    play_mode = mode;
    if (!platform::init_headless()) return SESSION_FAILED;
    apply_profile_settings();
    return game_init() ? SESSION_RUNNING : SESSION_GAME_FAILED;
}

bool headless_frame(unsigned keys) {
    platform::set_keyboard_snapshot(snapshot_for(keys));
    if (!platform::pump_events()) return false;
    game_main();
    return true;
}

void stop_headless_session() {
    game_shutdown();
    platform::shutdown();
}

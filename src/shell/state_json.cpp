// Builds the state report from the shell, the title menu, the world and the audio tables.
#include "shell/state_json.h"

#include "audio/audio_report.h"
#include "rules/play_mode.h"
#include "screens/title_menu.h"
#include "shell/game.h"
#include "world/world.h"
#include "world/world_report.h"

std::string game_state_json() {
    std::string out = "{\n";
    out += "  \"frame\": " + std::to_string(shell.frame) + ",\n";
    out += "  \"game_state\": \"" + std::string(game_state_name(shell.game_state)) + "\",\n";
    out += "  \"current_level\": " + std::to_string(shell.current_level) + ",\n";
    out += "  \"loaded_level\": " + std::to_string(world.loaded_level) + ",\n";
    out += "  \"menu_choice\": " + std::to_string(title_menu.menu_choice) + ",\n";
    out += "  \"menu_counter\": " + std::to_string(title_menu.menu_counter) + ",\n";
    out += "  \"play_mode\": \"" + std::string(play_mode_name(play_mode)) + "\"";
    const std::string world_part = world_state_json_members();
    if (!world_part.empty()) out += ",\n  " + world_part;
    const std::string audio_part = audio_state_json_members();
    if (!audio_part.empty()) out += ",\n  " + audio_part;
    out += "\n}\n";
    return out;
}

// Builds the state report from the game, the title menu, the world and the audio tables.
#include "app/state_json.h"

#include "audio/audio_report.h"
#include "base/assists.h"
#include "base/json_writer.h"
#include "base/play_mode.h"
#include "screens/title_menu.h"
#include "game/game.h"
#include "world/world.h"
#include "world/world_report.h"

std::string game_state_json() {
    JsonWriter w;
    w.begin_object();
    // The game's members one to a line, then the world's and the audio's on a line each.
    auto line = [&](const char* name, long long value) {
        w.line_break();
        w.integer_member(name, value);
    };
    line("frame", game.frame);
    w.line_break();
    w.string_member("game_state", game_state_name(game.game_state));
    line("current_level", game.current_level);
    line("loaded_level", world.loaded_level);
    line("menu_choice", title_menu.menu_choice);
    line("menu_counter", title_menu.menu_counter);
    w.line_break();
    w.string_member("play_mode", play_mode_name(play_mode));
    // The assists in force, only when there are any: a run without them reports as it always did.
    if (enhanced_play() && any_assist(assists)) {
        w.line_break();
        w.begin_object_member("assists");
        w.integer_member("game_speed", game_speed_percent());
        w.string_member("hearts", no_damage_assist() ? "no_damage" : extra_hearts_assist() ? "extra" : "normal");
        w.boolean_member("reduced_flashing", reduced_flashing_assist());
        w.end_object();
    }
    w.line_break();
    write_world_state(w);
    w.line_break();
    write_audio_state(w);
    w.end_object();
    return w.text();
}

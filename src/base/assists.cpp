// The assists chosen for the run and what of them is in force.
#include "base/assists.h"

#include "base/play_mode.h"

Assists assists;

void reset_assists() { assists = Assists{}; }

bool any_assist(const Assists& chosen) { return chosen.game_speed != 0 || chosen.hearts != HEARTS_NORMAL || chosen.reduced_flashing; }

int game_speed_percent() {
    const int index = assists.game_speed;
    if (!enhanced_play() || index < 0 || index >= GAME_SPEED_COUNT) return 100;
    return GAME_SPEED_PERCENT[index];
}

bool no_damage_assist() { return enhanced_play() && assists.hearts == HEARTS_NO_DAMAGE; }
bool extra_hearts_assist() { return enhanced_play() && assists.hearts == HEARTS_EXTRA; }
bool reduced_flashing_assist() { return enhanced_play() && assists.reduced_flashing; }

uint32_t frame_length_ms(int speed_percent, int64_t frame) {
    if (speed_percent <= 0 || speed_percent > 100) speed_percent = 100;
    if (frame < 0) frame = 0;
    const auto end_of = [speed_percent](int64_t n) { return n * FRAME_MS * 100 / speed_percent; };
    return static_cast<uint32_t>(end_of(frame + 1) - end_of(frame));
}

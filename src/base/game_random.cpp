// The game's linear congruential generator.
#include "base/game_random.h"

namespace {
uint32_t rand_state = 1;
}

int game_rand() {
    rand_state = rand_state * 214013u + 2531011u;
    return static_cast<int>((rand_state >> 16) & 0x7FFF);
}

void reset_game_rand() { rand_state = 1; }

uint32_t game_rand_state() { return rand_state; }

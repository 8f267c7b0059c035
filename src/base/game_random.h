// The game's one random generator: the classic C-runtime linear congruential sequence,
// never seeded, so every run draws the same numbers.
#pragma once
#include <cstdint>

constexpr int GAME_RAND_MAX = 0x7FFF;

// Next number in 0..32767: state = state * 214013 + 2531011, result (state >> 16) & 0x7FFF.
int game_rand();
// Back to the first number of the sequence (state 1), for a fresh run or a test.
void reset_game_rand();
uint32_t game_rand_state();

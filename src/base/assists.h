// Enhanced play's assists: a slower game, extra hearts or no damage, and reduced flashing.
// Classic play ignores them all: every question here answers as if they were off.
#pragma once
#include <cstdint>

enum HeartsAssist : int {
    HEARTS_NORMAL = 0,
    HEARTS_EXTRA = 1,  // the hero's hearts fill to EXTRA_HEARTS more
    HEARTS_NO_DAMAGE = 2,  // hits push and sting but take no heart
};

// The game speeds, in percent of the frame rate, by the setting's index.
inline constexpr int GAME_SPEED_PERCENT[] = {100, 85, 70};
constexpr int GAME_SPEED_COUNT = static_cast<int>(sizeof GAME_SPEED_PERCENT / sizeof GAME_SPEED_PERCENT[0]);
constexpr int EXTRA_HEARTS = 3;
// The length of a frame at full speed.
constexpr uint32_t FRAME_MS = 30;

struct Assists {
    int game_speed = 0;  // index into GAME_SPEED_PERCENT
    int hearts = HEARTS_NORMAL;
    bool reduced_flashing = false;  // a steady outline instead of blinking and white flashes
};

// The assists chosen for this run; they act only in enhanced play.
extern Assists assists;
void reset_assists();

// True when any assist is chosen other than off.
bool any_assist(const Assists& chosen);
// What is in force: the chosen assists in enhanced play, none in classic.
int game_speed_percent();
bool no_damage_assist();
bool extra_hearts_assist();
bool reduced_flashing_assist();

// The wall length of frame `frame` at `speed_percent` of the frame rate, in whole milliseconds:
// frame N ends at N * FRAME_MS * 100 / speed_percent rounded down, so the lengths add up exactly
// (85 %: 35 or 36 ms, 3000 ms in 85 frames).
uint32_t frame_length_ms(int speed_percent, int64_t frame);

// The four ways an actor faces and moves, with their opposites and one step's signs.
#pragma once
#include <cstdint>

// Numbered as facing codes are stored and as the four-way sheets number their walking animations.
enum Direction : int32_t {
    FACING_UP = 0,
    FACING_DOWN = 1,
    FACING_LEFT = 2,
    FACING_RIGHT = 3,
};
constexpr int DIRECTION_COUNT = 4;
// All four in their numbered order, for walking through them.
inline constexpr Direction DIRECTIONS[DIRECTION_COUNT] = {FACING_UP, FACING_DOWN, FACING_LEFT, FACING_RIGHT};

// A stored facing code as a Direction; a record may hold any code, which is kept as it is.
constexpr Direction direction_from_code(int32_t code) { return static_cast<Direction>(code); }
// Whether a code is one of the four.
constexpr bool is_direction(int32_t code) { return code >= FACING_UP && code <= FACING_RIGHT; }

constexpr Direction opposite(Direction d) {
    switch (d) {
    case FACING_UP:
        return FACING_DOWN;
    case FACING_DOWN:
        return FACING_UP;
    case FACING_LEFT:
        return FACING_RIGHT;
    case FACING_RIGHT:
        return FACING_LEFT;
    }
    return d;
}

// The signs of one step across (-1 left, 1 right) and down (-1 up, 1 down); 0 for other codes.
constexpr int direction_dx(Direction d) { return d == FACING_LEFT ? -1 : d == FACING_RIGHT ? 1 : 0; }
constexpr int direction_dy(Direction d) { return d == FACING_UP ? -1 : d == FACING_DOWN ? 1 : 0; }

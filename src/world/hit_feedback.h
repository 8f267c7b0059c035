// Enhanced play's hit feedback: the hero blinking while invulnerable, struck enemies
// flashing white, bosses blinking while they cannot be hurt (a steady outline instead of all
// three with reduced flashing), the hero drawn over the enemies and the bosses' health bars.
#pragma once
#include "world/world.h"

// Frames an enemy or boss flashes after a hit: white on every other frame.
constexpr int32_t HIT_FLASH_FRAMES = 6;
// The invulnerable hero is hidden for this many frames in every twice as many.
constexpr int32_t HERO_BLINK_FRAMES = 3;

// True on the frames of his invulnerability in which the hero is not drawn.
bool hero_blinked_out(const Player& hero);
// Starts an enemy's flash (enhanced play only).
void start_hit_flash(EnemyBase& enemy);
// Draws an enemy's body, white on its flash frames and left out on the blink frames of a boss's
// guard, and counts the flash down.
void draw_enemy_body(EnemyBase& enemy);
// The hero, and his sword when `attacking`, drawn last so no enemy hides him.
void draw_hero_on_top(Player& hero, bool attacking);
// A named bar at the foot of the screen for the level's boss while he is alive on screen.
void draw_boss_bars(World& w);

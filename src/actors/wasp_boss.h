// The wasp boss of level 3: the wasp at double size, shooting stingers.
#pragma once
#include "actors/wasp.h"

// The same record as the wasp, with a 64 x 64 body.
struct WaspBoss : Wasp {};

// Creates the body from "KingVespro.BMP" and the stinger; 0 on failure.
int load_wasp_boss(WaspBoss* boss);
// The wasp's steering and sting cycle, step for step; `blocked` is tested at the boss's size.
void update_wasp_boss(WaspBoss* boss, bool blocked, const Sprite* hero);

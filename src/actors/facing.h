// An actor's facing: the sprite record keeps it in its spare aux_3 field (a sword's or arrow's:
// the way it strikes; a stinger's or spear's: the way it flies), and these name it.
#pragma once
#include "base/direction.h"
#include "graphics/sprite.h"

inline Direction facing(const Sprite& sprite) { return direction_from_code(sprite.aux_3); }
inline void set_facing(Sprite& sprite, Direction d) { sprite.aux_3 = d; }

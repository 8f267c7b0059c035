// The wasp boss's loading and steering.
#include "actors/wasp_boss.h"

int load_wasp_boss(WaspBoss* boss) {
    return load_wasp_with_body(boss, [](Sprite* body) {
        return load_sprite_sheet(body, "KingVespro.BMP", 64, 64, 14, 7, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM);
    });
}

void update_wasp_boss(WaspBoss* boss, bool blocked, const Sprite* hero) { update_wasp(boss, blocked, hero); }

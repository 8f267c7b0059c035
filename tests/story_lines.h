// Every script of the story, gathered by firing each of its triggers once in a loaded world, and the story in the order a whole game tells it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/game.h"
#include "test_game.h"
#include "world/story.h"
#include "world/world.h"

struct SpokenLine {
    int32_t speaker;
    std::string text;
};

// Fires, in this order: the game start; per level its boss encounter, then its completion; a
// locked jail door; the defeats of the mole, swine and wasp bosses, one at a time; the key's
// pickup. Returns the lines of each in reading order, and leaves the speech box empty.
inline std::vector<std::vector<SpokenLine>> fire_every_script() {
    World& w = world;
    DialogBox& box = w.dialog_box;
    std::vector<std::vector<SpokenLine>> scripts;
    auto read = [&] {
        std::vector<SpokenLine> lines;
        for (; box.top; box.speech_advance()) lines.push_back({box.top->speaker, box.top->text});
        scripts.push_back(lines);
    };
    auto hero_at = [&](float x, float y) {
        w.scroll_x = w.scroll_y = 0;
        put(w.player.body, x, y);
    };

    push_opening_lines(box);
    read();
    // World positions inside each zone.
    constexpr float ENCOUNTER[3][2] = {{2200, 1800}, {3490, 1100}, {5200, 2700}};
    constexpr float COMPLETION[3][2] = {{1700, 400}, {2000, 900}, {4000, 1500}};
    for (int level = 1; level <= 3; ++level) {
        game.current_level = level;
        w.boss_taunt_shown = 0;
        hero_at(ENCOUNTER[level - 1][0], ENCOUNTER[level - 1][1]);
        if (const int done = w.check_story_triggers(game.current_level)) complete_level(done);
        read();
        hero_at(COMPLETION[level - 1][0], COMPLETION[level - 1][1]);
        if (const int done = w.check_story_triggers(game.current_level)) complete_level(done);
        read();
    }

    hero_at(288, 168);  // cell (5, 9)
    const int32_t tile = tile_map[5][9];
    tile_map[5][9] = TILE_JAIL_DOOR;
    w.player.has_key = 0;
    w.open_jail_door(&w.player.body);
    tile_map[5][9] = tile;
    read();

    for (EnemyBase* boss : {static_cast<EnemyBase*>(&w.pools.mole_boss), static_cast<EnemyBase*>(&w.pools.swine_boss),
                            static_cast<EnemyBase*>(&w.pools.wasp_boss)}) {
        boss->alive = 1;
        boss->hit_points = 0;
        show_sprite(&boss->body);
        w.check_deaths();
        read();
    }

    show_at(w.key_sprite, w.player.body.x, w.player.body.y);
    w.update_world();
    read();
    return scripts;
}

struct WholeStory {
    std::vector<std::string> in_order;  // every line a whole game reads, the locked door's left out
    std::vector<std::string> locked_door;  // the lines a locked jail door calls out, when one is bumped
};

// The opening, then per level its encounter, its boss's defeat, the key and its completion. Fires
// every script: the world is left as fire_every_script leaves it.
inline WholeStory whole_story() {
    const std::vector<std::vector<SpokenLine>> scripts = fire_every_script();
    WholeStory story;
    for (int script : {0, 1, 8, 11, 2, 3, 9, 11, 4, 5, 10, 11, 6})
        for (const SpokenLine& line : scripts[script]) story.in_order.push_back(line.text);
    for (const SpokenLine& line : scripts[7]) story.locked_door.push_back(line.text);
    return story;
}

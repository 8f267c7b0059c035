// The world's state report for the headless runner.
#include "world/world_report.h"

#include <cstdarg>
#include <cstdio>

#include "world/world.h"

namespace {

void add(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void add(std::string& out, const char* format, ...) {
    char piece[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    out += piece;
}

// A Windows-1252 line as a JSON string in UTF-8.
void add_text(std::string& out, const char* text) {
    out += '"';
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const unsigned c = *p;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == 0x92) {
            out += "\xE2\x80\x99";  // right single quotation mark
        } else if (c < 0x20) {
            add(out, "\\u%04x", c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            // Other high bytes as the Latin-1 letters they mostly are.
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out += '"';
}

bool visible(const Sprite& s) { return (s.attr & SPRITE_ATTR_VISIBLE) != 0; }

// A boss's common members, leaving its object open for the members of its kind.
void add_boss(std::string& out, const char* name, const EnemyBase& b, const World& w) {
    add(out, "\"%s\": {\"alive\": %s, \"hit_points\": %d, \"world_x\": %.2f, \"world_y\": %.2f", name,
        b.alive ? "true" : "false", static_cast<int>(b.hit_points), w.scroll_x + static_cast<double>(b.body.x),
        w.scroll_y + static_cast<double>(b.body.y));
}

void add_item(std::string& out, const char* name, const Sprite& s, const World& w) {
    add(out, "\"%s\": {\"visible\": %s, \"world_x\": %.2f, \"world_y\": %.2f}", name, visible(s) ? "true" : "false",
        w.scroll_x + static_cast<double>(s.x), w.scroll_y + static_cast<double>(s.y));
}

}  // namespace

std::string world_state_json_members() {
    const World& w = world;
    const Player& p = w.player;
    std::string out;
    add(out, "\"scroll_x\": %d, \"scroll_y\": %d, ", static_cast<int>(w.scroll_x), static_cast<int>(w.scroll_y));
    add(out,
        "\"hero\": {\"x\": %.2f, \"y\": %.2f, \"world_x\": %.2f, \"world_y\": %.2f, \"hit_points\": %d, "
        "\"lives\": %d, \"has_key\": %s, \"has_bow\": %s, \"facing\": %d, \"alive\": %s, \"invulnerable\": %s}, ",
        static_cast<double>(p.body.x), static_cast<double>(p.body.y), w.scroll_x + static_cast<double>(p.body.x),
        w.scroll_y + static_cast<double>(p.body.y), static_cast<int>(p.hit_points), static_cast<int>(p.lives),
        p.has_key ? "true" : "false", p.has_bow ? "true" : "false", static_cast<int>(p.body.aux_3),
        p.alive ? "true" : "false", p.invulnerable ? "true" : "false");

    out += "\"speech\": [";
    for (const SpeechLine* line = w.dialog_box.top; line; line = line->next) {
        add(out, "{\"speaker\": %d, \"text\": ", static_cast<int>(line->speaker));
        add_text(out, line->text);
        out += line->next ? "}, " : "}";
    }
    out += "], ";

    int moles = 0, pigs = 0, wasps = 0;
    for (int i = 0; i < POOL_SIZE; ++i) {
        moles += w.pools.moles[i].alive ? 1 : 0;
        pigs += w.pools.pigs[i].alive ? 1 : 0;
        wasps += w.pools.wasps[i].alive ? 1 : 0;
    }
    add(out, "\"enemies\": {\"moles\": %d, \"pigs\": %d, \"wasps\": %d}, ", moles, pigs, wasps);

    out += "\"bosses\": {";
    const MoleBoss& mole = w.pools.mole_boss;
    add_boss(out, "mole", mole, w);
    add(out, ", \"hurt\": %s, \"hurt_timer\": %d, \"underground\": %s, \"underground_timer\": %d}, ",
        mole.hurt ? "true" : "false", static_cast<int>(mole.hurt_timer), mole.underground ? "true" : "false",
        static_cast<int>(mole.underground_timer));
    add_boss(out, "swine", w.pools.swine_boss, w);
    add(out, ", \"spear_visible\": %s}, ", visible(w.pools.swine_boss.spear) ? "true" : "false");
    add_boss(out, "wasp", w.pools.wasp_boss, w);
    add(out, ", \"stinger_visible\": %s}", visible(w.pools.wasp_boss.stinger) ? "true" : "false");
    out += "}, ";

    add_item(out, "cheese", w.cheese_sprite, w);
    out += ", ";
    add_item(out, "key", w.key_sprite, w);
    out += ", ";

    int jail_doors = 0;
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c) jail_doors += tile_map[r][c] == TILE_JAIL_DOOR ? 1 : 0;
    add(out, "\"jail_doors\": %d, ", jail_doors);
    add(out, "\"story\": {\"boss_taunt_shown\": %s}", w.boss_taunt_shown ? "true" : "false");
    return out;
}

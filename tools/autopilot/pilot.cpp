// The autopilot's choices: read the speech box, fight, dodge and walk to the story's next place.
#include "pilot.h"

#include <algorithm>
#include <cstdlib>

#include "game/game.h"
#include "app/input_script.h"
#include "base/play_mode.h"
#include "world/story.h"
#include "world/world.h"

namespace {

constexpr unsigned DIRECTION_KEY[4] = {SCRIPT_KEY_UP, SCRIPT_KEY_DOWN, SCRIPT_KEY_LEFT, SCRIPT_KEY_RIGHT};
// How long a moving goal's way is trusted, frames.
constexpr int MOVING_GOAL_FRAMES = 6;
// Frames a blown mole boss stands stunned before he digs in, and some to spare.
constexpr int STUN_FRAMES = 40;
// Frames the refuge lies back along the hero's trail.
constexpr int REFUGE_FRAMES = 150;
constexpr int SHOT_RANGE = 420;  // pixels an arrow is worth trying over
constexpr int CHEESE_DETOUR = 640;  // pixels, across and down together
constexpr int ARROWS_FAIL_FRAMES = 240;

int centre_x(const Box& b) { return b.x + reduced_half(b.w); }
int centre_y(const Box& b) { return b.y + reduced_half(b.h); }

// A 16 x 16 arrow at world (x, y) touches no solid tile.
bool arrow_fits(int x, int y) {
    if (x < 0 || y < 0) return false;
    for (int r = y / 32; r <= (y + 15) / 32; ++r)
        for (int c = x / 32; c <= (x + 15) / 32; ++c)
            if (tile_is_solid(tile_at(r, c))) return false;
    return true;
}

// An arrow shot facing `way` from the hero at (x, y) reaches `target` before any wall.
bool clear_shot(int x, int y, Direction way, const Box& target) {
    int ax = x + 6, ay = y + 6;
    for (int travelled = 0; travelled < SHOT_RANGE; travelled += 16) {
        if (!arrow_fits(ax, ay)) return false;
        if (boxes_overlap(Box{ax, ay, 16, 16}, target)) return true;
        ax += direction_dx(way) * 16;
        ay += direction_dy(way) * 16;
    }
    return false;
}

// The direction an arrow must fly to meet `target` from the hero, or -1 when he is out of line.
int shot_direction(int x, int y, const Box& target) {
    const int dx = centre_x(target) - (x + 12), dy = centre_y(target) - (y + 12);
    const int lane = reduced_half(target.w) + 6;
    if (std::abs(dy) < lane && std::abs(dx) >= lane) return dx > 0 ? FACING_RIGHT : FACING_LEFT;
    if (std::abs(dx) < lane && std::abs(dy) >= lane) return dy > 0 ? FACING_DOWN : FACING_UP;
    return -1;
}

bool mole_boss_open(const Pilot& p) {
    bool walking = false;
    for (int f : p.boss_frames) {
        if (f == 3 || f >= 5) return false;
        walking = walking || f == 1 || f == 2;
    }
    return walking;
}

// The boss can take a blow: the mole boss walks, and the others are not guarded after a hit
// (a guarded boss is left alone, so that A is let go and the next blow is a new swing).
bool boss_open(const Pilot& p) {
    return p.sight.boss_alive && !p.sight.boss_guarded && (p.sight.level != 1 || mole_boss_open(p));
}

int count_doors() {
    int n = 0;
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c) n += tile_at(r, c) == TILE_JAIL_DOOR;
    return n;
}

HeroRect zone_rect(const StoryZone& z) {
    auto inside_low = [](float v) { return std::max(0, static_cast<int>(v) + 1); };
    auto inside_high = [](float v) { return std::min(MAP_COLUMNS * 32, static_cast<int>(v < 1.0e7f ? v : 1.0e7f) - 1); };
    return HeroRect{inside_low(z.x_min), inside_low(z.y_min), inside_high(z.x_max), inside_high(z.y_max)};
}

// Hero positions whose box overlaps `b` by the game's test.
HeroRect touching(const Box& b) {
    const int hb = reduced_half(b.w), vb = reduced_half(b.h);
    return HeroRect{b.x + hb - 12 - (12 + hb) + 1, b.y + vb - 12 - (12 + vb) + 1, b.x + hb - 12 + (12 + hb) - 1,
                    b.y + vb - 12 + (12 + vb) - 1};
}

// Positions from which one step bumps into a jail door cell.
void door_bumps(std::vector<HeroRect>& goals) {
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c) {
            if (tile_at(r, c) != TILE_JAIL_DOOR) continue;
            const int x = c * 32, y = r * 32;
            goals.push_back({x - 35, y - 31, x - 32, y + 31});  // left of it
            goals.push_back({x + 32, y - 31, x + 35, y + 31});  // right
            goals.push_back({x - 31, y - 35, x + 31, y - 32});  // above
            goals.push_back({x - 31, y + 32, x + 31, y + 35});  // below
        }
}

// The direction in which one step from (x, y) touches a jail door, or -1.
int door_push(int x, int y) {
    for (Direction d : DIRECTIONS) {
        const int nx = x + direction_dx(d) * HERO_STEP, ny = y + direction_dy(d) * HERO_STEP;
        for (int r = ny / 32; r <= (ny + 31) / 32; ++r)
            for (int c = nx / 32; c <= (nx + 31) / 32; ++c)
                if (tile_at(r, c) == TILE_JAIL_DOOR) return d;
    }
    return -1;
}

// Beside a 64 x 64 boss at (bx, by) with the sword reaching him and the hero clear of him.
void sword_spots(const Box& b, std::vector<HeroRect>& goals) {
    goals.push_back({b.x - 40, b.y - 20, b.x - 28, b.y + 24});  // facing right
    goals.push_back({b.x + 52, b.y - 20, b.x + 60, b.y + 24});  // facing left
    goals.push_back({b.x - 16, b.y - 40, b.x + 32, b.y - 28});  // facing down
    goals.push_back({b.x - 16, b.y + 52, b.x + 32, b.y + 60});  // facing up
}

// Where the hero's arrows meet the boss but the boss's missiles, thrown along the same
// column, fly past him: the missile leaves from the boss's x - 20, so a hero standing a
// little right of the boss's middle is out of its way. Only rows with a clear line count.
void shooting_spots(const Sight& s, std::vector<HeroRect>& goals) {
    const Box& b = s.boss;
    const bool spear = s.level == 2;
    const int lo = spear ? 28 : 8, hi = spear ? 40 : 36;
    for (int gap = 48; gap <= 176; gap += 4) {
        for (int side = 0; side < 2; ++side) {
            const int hy = side == 0 ? b.y + b.h + gap : b.y - 32 - gap;
            const Direction way = side == 0 ? FACING_UP : FACING_DOWN;
            const int hx = b.x + (lo + hi) / 2;
            if (!hero_fits(hx, hy) || !clear_shot(hx, hy, way, b)) continue;
            goals.push_back({b.x + lo, hy, b.x + hi, hy + 3});
        }
    }
}

// One step sideways out of a missile's way, or -1 when none threatens the hero.
int dodge(const Sight& s) {
    const int hx = s.hero_x + 12, hy = s.hero_y + 12;
    for (const Box& m : s.missiles) {
        const bool across = std::abs(m.xv) > std::abs(m.yv);
        const int along = across ? (hx - centre_x(m)) * (m.xv > 0 ? 1 : -1) : (hy - centre_y(m)) * (m.yv > 0 ? 1 : -1);
        const int side = across ? hy - centre_y(m) : hx - centre_x(m);
        const int reach = reduced_half(m.w) + 12;
        if (std::abs(side) >= reach || along < -reach || along > 260) continue;
        // Step to the side the hero already leans to, else the other.
        const Direction first = across ? (side >= 0 ? FACING_DOWN : FACING_UP) : (side >= 0 ? FACING_RIGHT : FACING_LEFT);
        for (Direction d : {first, opposite(first)})
            if (hero_fits(s.hero_x + direction_dx(d) * HERO_STEP, s.hero_y + direction_dy(d) * HERO_STEP)) return d;
    }
    return -1;
}

// Enhanced play: the boss has not lost a hit point for ARROWS_FAIL_FRAMES frames; the sword is
// tried for as long again.
bool arrows_failing(const Pilot& p) {
    return enhanced_play() && (p.frame - p.boss_hurt_frame) % (2 * ARROWS_FAIL_FRAMES) >= ARROWS_FAIL_FRAMES;
}

void forget_level(Pilot& p) {
    p.level = p.sight.level;
    p.met_boss = false;
    p.goal = GOAL_NONE;
    p.retreating = false;
    p.have_refuge = false;
    p.boss_hurt_frame = p.frame;
    p.boss_hit_points = p.sight.boss_hit_points;
    std::fill(std::begin(p.boss_frames), std::end(p.boss_frames), -1);
}

// The goal of this frame and the positions that reach it.
GoalKind choose_goal(Pilot& p, std::vector<HeroRect>& goals) {
    const Sight& s = p.sight;
    goals.clear();
    // Cheese heals; worth a short detour when hurt, not a trip back across the level.
    const int cheese_far = std::abs(s.cheese.x - s.hero_x) + std::abs(s.cheese.y - s.hero_y);
    if (s.cheese_shown && s.hit_points <= 2 && cheese_far < CHEESE_DETOUR) {
        goals.push_back(touching(s.cheese));
        return GOAL_CHEESE;
    }
    if (s.boss_alive && !p.met_boss) {
        goals.push_back(zone_rect(boss_zone(s.level)));
        return GOAL_BOSS_ZONE;
    }
    if (s.boss_alive) {
        if (s.level == 1 && p.retreating && p.have_refuge) {
            goals.push_back({p.refuge_x, p.refuge_y, p.refuge_x + 3, p.refuge_y + 3});
            return GOAL_REFUGE;
        }
        if (s.level != 1 && s.has_bow && !arrows_failing(p)) {
            shooting_spots(s, goals);
            if (!goals.empty()) return GOAL_SHOOTING_SPOT;
        }
        sword_spots(s.boss, goals);
        return GOAL_SWORD_SPOT;
    }
    if (s.key_shown && !s.has_key) {
        goals.push_back(touching(s.key));
        return GOAL_KEY;
    }
    if (s.has_key && count_doors() > 0) {
        door_bumps(goals);
        return GOAL_DOOR;
    }
    goals.push_back(zone_rect(completion_zone(s.level)));
    return GOAL_COMPLETION;
}

bool moving_goal(GoalKind g) { return g == GOAL_SWORD_SPOT || g == GOAL_SHOOTING_SPOT; }

// The step toward the goal, rebuilding the way when it is stale.
int walk(Pilot& p) {
    const Sight& s = p.sight;
    std::vector<HeroRect> goals;
    const GoalKind goal = choose_goal(p, goals);
    const int doors = goal == GOAL_DOOR ? count_doors() : p.doors_left;
    const bool stale = goal != p.goal || doors != p.doors_left || field_distance(p.field, s.hero_x, s.hero_y) < 0 ||
                       (moving_goal(goal) && p.frame - p.goal_built >= MOVING_GOAL_FRAMES);
    if (stale) {
        p.goal = goal;
        p.doors_left = doors;
        p.goal_built = p.frame;
        // Until the level's last task is done, the way keeps out of its completion zone.
        const HeroRect avoid = goal == GOAL_COMPLETION ? NOWHERE : zone_rect(completion_zone(s.level));
        if (!build_field(p.field, s.hero_x, s.hero_y, goals, avoid, moving_goal(goal))) p.field.ready = false;
    }
    if (goal == GOAL_DOOR && field_distance(p.field, s.hero_x, s.hero_y) == 0) return door_push(s.hero_x, s.hero_y);
    return field_step(p.field, s.hero_x, s.hero_y, s.facing);
}

unsigned play(Pilot& p) {
    Sight& s = p.sight;
    look(s);
    if (s.level != p.level) forget_level(p);
    p.trail_x[p.frame % TRAIL_LENGTH] = s.hero_x;
    p.trail_y[p.frame % TRAIL_LENGTH] = s.hero_y;
    if (s.boss_alive) {
        std::rotate(std::begin(p.boss_frames), std::begin(p.boss_frames) + 1, std::end(p.boss_frames));
        p.boss_frames[BOSS_FRAME_MEMORY - 1] = s.boss.frame;
    }
    if (s.boss_hit_points != p.boss_hit_points || !p.met_boss) {
        p.boss_hurt_frame = p.frame;
        p.boss_hit_points = s.boss_hit_points;
    }
    if (!p.met_boss && boss_zone(s.level).contains(static_cast<float>(s.hero_x), static_cast<float>(s.hero_y))) {
        p.met_boss = true;
        const long back = std::min<long>(p.frame, REFUGE_FRAMES);
        p.refuge_x = p.trail_x[(p.frame - back) % TRAIL_LENGTH];
        p.refuge_y = p.trail_y[(p.frame - back) % TRAIL_LENGTH];
        p.have_refuge = true;
    }
    if (p.retreating && mole_boss_open(p) && p.frame - p.blow_frame > STUN_FRAMES) p.retreating = false;

    // A blow at whatever the sword reaches now.
    const Box sword = sword_box(s.hero_x, s.hero_y, s.facing);
    for (const Target& t : s.targets)
        if (boxes_overlap(sword, t.box)) return SCRIPT_KEY_A;
    if (s.boss_alive && boss_open(p) && boxes_overlap(sword, s.boss)) {
        if (s.level == 1) {
            p.retreating = true;
            p.blow_frame = p.frame;
        }
        return SCRIPT_KEY_A;
    }
    if (s.sword_busy) return 0;

    unsigned keys = 0;
    // An arrow at anything in line ahead.
    if (s.has_bow && !s.arrow_flying) {
        bool aim = false;
        for (const Target& t : s.targets) aim = aim || (shot_direction(s.hero_x, s.hero_y, t.box) == s.facing && clear_shot(s.hero_x, s.hero_y, s.facing, t.box));
        if (s.boss_alive && shot_direction(s.hero_x, s.hero_y, s.boss) == s.facing && clear_shot(s.hero_x, s.hero_y, s.facing, s.boss)) aim = true;
        if (aim) keys |= SCRIPT_KEY_Z;
    }
    const int away = dodge(s);
    if (away >= 0) return keys | DIRECTION_KEY[away];
    // Turn to an enemy that another facing's sword would reach.
    for (Direction d : DIRECTIONS) {
        if (d == s.facing) continue;
        const Box reach = sword_box(s.hero_x, s.hero_y, d);
        for (const Target& t : s.targets)
            if (boxes_overlap(reach, t.box)) return keys | DIRECTION_KEY[d];
        if (s.boss_alive && boss_open(p) && boxes_overlap(reach, s.boss) && !(s.level == 1 && p.retreating)) return keys | DIRECTION_KEY[d];
    }
    // In a shooting spot: face the boss and shoot.
    if (s.boss_alive && p.goal == GOAL_SHOOTING_SPOT && field_distance(p.field, s.hero_x, s.hero_y) == 0) {
        const int toward = shot_direction(s.hero_x, s.hero_y, s.boss);
        if (toward >= 0 && toward != s.facing) return keys | DIRECTION_KEY[toward];
        if (toward >= 0) return keys | (s.arrow_flying ? 0u : unsigned{SCRIPT_KEY_Z});
    }
    const int step = walk(p);
    if (step >= 0) keys |= DIRECTION_KEY[step];
    return keys;
}

}  // namespace

unsigned pilot_keys(Pilot& p) {
    unsigned keys = 0;
    const bool speech = !world.dialog_box.speech_is_idle();
    switch (game.game_state) {
    case GAME_STATE_TITLE:
        // Enter on START; let go between presses, so a held key is never needed.
        keys = (p.last_keys & SCRIPT_KEY_ENTER) ? 0u : unsigned{SCRIPT_KEY_ENTER};
        break;
    case GAME_STATE_LEVEL_MAP:
        keys = (p.last_keys & SCRIPT_KEY_SPACE) ? 0u : unsigned{SCRIPT_KEY_SPACE};
        break;
    case GAME_STATE_PLAYING:
        // Space held turns the lines over as fast as the box allows.
        keys = speech ? SCRIPT_KEY_SPACE : play(p);
        break;
    default:
        break;
    }
    ++p.frame;
    p.last_keys = keys;
    return keys;
}

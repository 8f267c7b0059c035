// Enhanced play's view: it looks ahead of the hero the way he walks, moves smoothly and keeps him
// well inside the screen, counted in frames and whole pixels so that a run replays exactly.
#include <algorithm>

#include "base/play_mode.h"
#include "world/world.h"

namespace {

constexpr int SCREEN_WIDTH = 640, SCREEN_HEIGHT = 480, HERO_SIZE = 32;
// How far ahead of the hero the view looks when he walks, pixels: about 12 tiles ahead of him
// across and 9 down, where the classic view keeps 5, and only 2 walking down from the start.
constexpr int LEAD_ACROSS = 96, LEAD_DOWN = 64;
// Pixels a frame by which the lead turns round; slower than a step, so the view never swings.
constexpr int LEAD_TURN = 2;
// A hero who stands still is kept this far from the screen's edges, pixels (a push can carry
// him there); inside that the view rests.
constexpr int REST_MARGIN_ACROSS = 96, REST_MARGIN_DOWN = 64;

int toward(int from, int to, int most) {
    if (to > from + most) return from + most;
    if (to < from - most) return from - most;
    return to;
}

// One axis of the view: where its edge wants to be, at most VIEW_MAX_STEP from where it is. While
// the hero walks along the axis the view puts him `lead` pixels behind the middle of the screen;
// otherwise it moves only to keep him `margin` pixels inside the screen.
int follow_axis(int scroll, int max_scroll, float hero, int screen, bool walking_along, int lead, int margin) {
    const int at = static_cast<int>(hero);
    int want = scroll;
    if (walking_along)
        want = scroll + at + lead - (screen - HERO_SIZE) / 2;
    else if (at < margin)
        want = scroll + at - margin;
    else if (at > screen - HERO_SIZE - margin)
        want = scroll + at - (screen - HERO_SIZE - margin);
    return toward(scroll, std::clamp(want, 0, max_scroll), VIEW_MAX_STEP);
}

}  // namespace

void World::follow_hero(int direction) {
    if (!enhanced_play()) return;
    Sprite& body = player.body;
    const bool walking = is_direction(direction);
    const int dx = walking ? direction_dx(direction_from_code(direction)) : 0;
    const int dy = walking ? direction_dy(direction_from_code(direction)) : 0;
    // The lead turns toward the way he walks; across his way it stays as it was.
    if (dx != 0) lead_x = toward(lead_x, dx * LEAD_ACROSS, LEAD_TURN);
    if (dy != 0) lead_y = toward(lead_y, dy * LEAD_DOWN, LEAD_TURN);
    // Scrolls kept in the map first, as every map draw keeps them.
    scroll_x = std::clamp(scroll_x, 0, max_scroll_x);
    scroll_y = std::clamp(scroll_y, 0, max_scroll_y);
    const int new_x = follow_axis(scroll_x, max_scroll_x, body.x, SCREEN_WIDTH, dx != 0, lead_x, REST_MARGIN_ACROSS);
    const int new_y = follow_axis(scroll_y, max_scroll_y, body.y, SCREEN_HEIGHT, dy != 0, lead_y, REST_MARGIN_DOWN);
    const int by_x = new_x - scroll_x, by_y = new_y - scroll_y;
    if (by_x == 0 && by_y == 0) return;
    scroll_x = new_x;
    scroll_y = new_y;
    // The world, the hero and his sword stay where they are in the world: on the screen they
    // move the other way.
    shift_world_objects(-by_x, -by_y);
    for (Sprite* s : {&body, &player.sword}) {
        s->x -= static_cast<float>(by_x);
        s->y -= static_cast<float>(by_y);
    }
}

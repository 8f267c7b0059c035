// Enhanced play teaches its controls as they are needed: walking and the sword at the start of
// level 1, the bow when it comes; each prompt names the player's own key and pad button and
// goes for good once the player has used the action.
#pragma once

struct ControlPrompts {
    bool walked = false;
    bool swung = false;
    bool shot = false;
    bool at_top = true;  // the strip's side; it moves only when the hero comes near it
};

extern ControlPrompts control_prompts;

// Notes the actions this frame's keys ask for (the bow only once the hero has it).
void note_controls_used(bool walking, bool sword, bool bow);
// Draws the prompts still owed for `level` and a hero with or without the bow, away from the
// hero's screen row `hero_screen_y` (pixels).
void draw_control_prompts(int level, bool has_bow, int hero_screen_y);
// Back to a player who has been taught nothing.
void reset_control_prompts();

// The world's part of the headless runner's state report.
#pragma once
#include <string>

// JSON members for the world (scroll, hero, speech, enemies, ...), without braces;
// empty when there is nothing to report.
std::string world_state_json_members();

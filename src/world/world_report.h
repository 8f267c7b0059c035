// The world's part of the headless runner's state report.
#pragma once
#include "base/json_writer.h"

// Writes the world's members (scroll, hero, speech, enemies, ...) into the open object.
void write_world_state(JsonWriter& w);

// The game's name and version, as the build set them.
#pragma once

const char* game_version();

// The version comes from the build, which takes it from the project's one declaration.
#include "app/version.h"

const char* game_version() { return QUILLMOOR_VERSION; }

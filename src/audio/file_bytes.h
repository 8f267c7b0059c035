// Short names of loaded sound and music files, for the state report.
#pragma once
#include <cstddef>

// The part of a path after its last '/', copied into `name` (at most `capacity` - 1 characters).
void copy_base_name(const char* path, char* name, size_t capacity);

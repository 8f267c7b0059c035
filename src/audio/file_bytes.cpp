// Short names of loaded sound and music files.
#include "audio/file_bytes.h"

#include <cstdio>
#include <cstring>

void copy_base_name(const char* path, char* name, size_t capacity) {
    if (capacity == 0) return;
    const char* slash = std::strrchr(path, '/');
    const char* base = slash ? slash + 1 : path;
    std::snprintf(name, capacity, "%s", base);
}

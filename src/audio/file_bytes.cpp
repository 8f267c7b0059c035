// Reading a whole sound or music file into memory at load time.
#include "audio/file_bytes.h"

#include <cstdio>
#include <cstring>

bool read_file_bytes(const char* path, size_t limit, std::vector<uint8_t>* out, const char** fault) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        *fault = "cannot open the file";
        return false;
    }
    out->clear();
    uint8_t block[4096];
    bool ok = true;
    for (;;) {
        const size_t got = std::fread(block, 1, sizeof block, file);
        if (out->size() + got > limit) {
            *fault = "file is too large";
            ok = false;
            break;
        }
        out->insert(out->end(), block, block + got);
        if (got < sizeof block) {
            if (std::ferror(file)) {
                *fault = "cannot read the file";
                ok = false;
            }
            break;
        }
    }
    std::fclose(file);
    return ok;
}

void copy_base_name(const char* path, char* name, size_t capacity) {
    if (capacity == 0) return;
    const char* slash = std::strrchr(path, '/');
    const char* base = slash ? slash + 1 : path;
    std::snprintf(name, capacity, "%s", base);
}

// Fuzz targets' shared helpers: the input as a file for loaders that read by name, and a
// check that stops the run loudly when a loader breaks its promise.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Writes the input to one file per process (in memory when /dev/shm is there) and returns its path.
inline const char* input_as_file(const uint8_t* data, size_t size, const char* suffix) {
    static std::string path;
    if (path.empty())
        path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/quillmoor_fuzz_" + std::to_string(::getpid()) + suffix;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path.c_str();
}

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// Reading a whole sound or music file into memory at load time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Reads the file at `path`; false with `fault` set when it cannot be opened or read, or is
// larger than `limit` bytes.
bool read_file_bytes(const char* path, size_t limit, std::vector<uint8_t>* out, const char** fault);

// The part of a path after its last '/', copied into `name` (at most `capacity` - 1 characters).
void copy_base_name(const char* path, char* name, size_t capacity);

// Hashing the data folder's files for the header of recorded runs.
#include "app/data_hash.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr uint64_t FNV_OFFSET = 0xcbf29ce484222325ull;
constexpr uint64_t FNV_PRIME = 0x100000001b3ull;

void mix(uint64_t& hash, const char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        hash ^= static_cast<uint8_t>(bytes[i]);
        hash *= FNV_PRIME;
    }
}

}  // namespace

uint64_t data_folder_hash(const std::string& dir) {
    std::error_code ec;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.empty() && name[0] != '.' && entry.is_regular_file(ec)) names.push_back(name);
    }
    if (ec) return 0;
    std::sort(names.begin(), names.end());
    uint64_t hash = FNV_OFFSET;
    std::vector<char> buffer(1 << 16);
    for (const std::string& name : names) {
        // The terminating zero keeps "ab"+"c" apart from "a"+"bc".
        mix(hash, name.c_str(), name.size() + 1);
        std::ifstream in(std::filesystem::path(dir) / name, std::ios::binary);
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            mix(hash, buffer.data(), static_cast<size_t>(in.gcount()));
        }
    }
    return hash;
}

std::string hash_text(uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// Reading files from outside the program whole, each kind with its own size limit.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The size limit of every kind of file the game reads, far above any real file of that kind.
// A larger file is refused before any of it is read. This table is the one place they are
// set. The generated files are far smaller: bitmaps up to 145 KB, the palette 3 KB, tile maps
// 120 KB, enemy lists 400 bytes, sounds 20 KB, music 18 KB.
enum class DataKind { Bitmap, Palette, TileMap, EnemyList, Sound, Music, KeyScript, Settings, Progress };

struct DataLimit {
    const char* what;  // "a bitmap", for messages
    size_t max_bytes;
};

constexpr DataLimit data_limit(DataKind kind) {
    switch (kind) {
    case DataKind::Bitmap: return {"a bitmap", size_t{16} << 20};
    case DataKind::Palette: return {"a palette file", size_t{64} << 10};
    case DataKind::TileMap: return {"a tile map", size_t{4} << 20};
    case DataKind::EnemyList: return {"an enemy list", size_t{1} << 20};
    case DataKind::Sound: return {"a sound", size_t{16} << 20};
    case DataKind::Music: return {"a music file", size_t{4} << 20};
    case DataKind::KeyScript: return {"a key script", size_t{512} << 20};
    case DataKind::Settings: return {"a settings file", size_t{64} << 10};
    case DataKind::Progress: return {"a progress file", size_t{64} << 10};
    }
    return {"a file", 0};
}

// Reads the whole of `path` into `out`. A missing file, a directory, a device, a file that
// cannot be read or is over its kind's limit gives false and sets `fault` to one line
// (without the file name) saying what is wrong. Never throws.
bool read_data_file(const char* path, DataKind kind, std::vector<uint8_t>* out, std::string* fault);

// Each bitmap file read and decoded once during start-up, and copied to later loads of it.
#include "graphics/bitmap_share.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct SharedBitmap {
    std::string name;
    int loaded = 0;
    BitmapFile picture;
};

// Open scopes, and the pictures read while any is open. Empty whenever no scope is open.
int open_scopes = 0;
std::vector<std::unique_ptr<SharedBitmap>> shared;

}  // namespace

BitmapSharing::BitmapSharing() { ++open_scopes; }

BitmapSharing::~BitmapSharing() {
    if (--open_scopes == 0) shared.clear();
}

int load_shared_bitmap_file(BitmapFile* bitmap, const char* filename) {
    if (open_scopes == 0 || !bitmap || !filename) return load_bitmap_file(bitmap, filename);
    for (const auto& s : shared) {
        if (s->name != filename) continue;
        // The same record a fresh read would leave, without reading (or reporting) again.
        *bitmap = s->picture;
        return s->loaded;
    }
    auto s = std::make_unique<SharedBitmap>();
    s->name = filename;
    s->loaded = load_bitmap_file(&s->picture, filename);
    shared.push_back(std::move(s));
    return load_shared_bitmap_file(bitmap, filename);
}

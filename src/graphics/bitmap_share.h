// Start-up loads that read and decode each bitmap file once while a sharing scope is open.
#pragma once
#include "graphics/bitmap_file.h"

// While one of these lives, load_shared_bitmap_file reads each file once and hands later
// loads of the same name a copy of the decoded picture: the enemy pools load the same
// picture a hundred times each. Closing the scope forgets every picture, so nothing outlives
// start-up and a changed file is read afresh by the next start.
struct BitmapSharing {
    BitmapSharing();
    ~BitmapSharing();
    BitmapSharing(const BitmapSharing&) = delete;
    BitmapSharing& operator=(const BitmapSharing&) = delete;
};

// load_bitmap_file, but served from the open sharing scope when the file was read before
// (a file that failed fails again without being read or reported twice). Without a scope
// it is exactly load_bitmap_file.
int load_shared_bitmap_file(BitmapFile* bitmap, const char* filename);

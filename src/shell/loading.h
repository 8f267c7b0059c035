// The one bitmap record every picture is loaded through (it lives with the world).
#pragma once
#include "graphics/bitmap_file.h"

extern BitmapFile bitmap_scratch;

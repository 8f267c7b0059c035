// The one bitmap record every picture is loaded through.
#pragma once
#include "graphics/bitmap_file.h"

extern BitmapFile bitmap_scratch;

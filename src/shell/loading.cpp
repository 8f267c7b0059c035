// The shared loading bitmap.
#include "shell/loading.h"

BitmapFile bitmap_scratch;

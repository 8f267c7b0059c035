// Draws the six speech-box portraits.
#include "ui_portraits.h"

#include "hero_paint.h"

namespace art {

Canvas make_portrait_sheet() { return Canvas(336, 224, NAVY + 3); }

}  // namespace art

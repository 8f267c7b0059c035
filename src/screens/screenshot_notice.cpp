// The screenshot notice: the platform's line about the last F12, outlined at the screen's foot.
#include "screens/screenshot_notice.h"

#include "graphics/display.h"
#include "platform/platform.h"
#include "platform/text.h"

ScreenshotNotice screenshot_notice;

namespace {
constexpr int NOTICE_FRAMES = 80;  // about 2.4 s
}  // namespace

void draw_screenshot_notice() {
    const int count = platform::screenshot_count();
    if (count != screenshot_notice.seen) {
        screenshot_notice.seen = count;
        screenshot_notice.frames_left = NOTICE_FRAMES;
    }
    if (screenshot_notice.frames_left <= 0) return;
    --screenshot_notice.frames_left;
    // On a framed strip in the lower right, clear of the title's options hint.
    const char* news = platform::screenshot_news();
    const int w = platform::text_width(news, 159) + 16, x = 632 - w, y = 452;
    Surface* back = &display.back_surface;
    draw_framed_strip(x, y, x + w, y + 20);
    draw_outlined_text(news, x + 8, y + 2, 0x00FFFFFF, back);
}

void reset_screenshot_notice() { screenshot_notice = ScreenshotNotice{platform::screenshot_count(), 0}; }

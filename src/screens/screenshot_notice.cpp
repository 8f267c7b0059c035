// The screenshot notice: the platform's line about the last F12, outlined at the screen's foot.
#include "screens/screenshot_notice.h"

#include "graphics/display.h"
#include "platform/platform.h"

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
    draw_outlined_text(platform::screenshot_news(), 12, 458, 0x00FFFFFF, &display.back_surface);
}

void reset_screenshot_notice() { screenshot_notice = ScreenshotNotice{platform::screenshot_count(), 0}; }

// Enhanced play's word that F12 saved a screenshot: a short line at the foot of the screen.
#pragma once

struct ScreenshotNotice {
    int seen = 0;  // screenshots the platform had told of when last looked
    int frames_left = 0;  // frames the line stays up
};

extern ScreenshotNotice screenshot_notice;

// Once a frame, over whatever the screen shows: a new screenshot puts the line up for a
// couple of seconds.
void draw_screenshot_notice();
void reset_screenshot_notice();

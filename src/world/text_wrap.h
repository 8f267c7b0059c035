// Word wrapping of a speech line by a width function, shared by drawing and tests.
#pragma once
#include <cstring>

// Splits `text` into lines no wider than `max_width` pixels, breaking at blanks (a word wider
// than a line is broken between letters). Calls `emit(start, length)` once per line, in order;
// blanks at a break are dropped. Returns the number of lines.
template <typename Measure, typename Emit>
int wrap_text(const char* text, int max_width, Measure measure, Emit emit) {
    const int total = static_cast<int>(std::strlen(text));
    int lines = 0;
    int start = 0;
    while (start < total) {
        while (start < total && text[start] == ' ') ++start;
        if (start >= total) break;
        // Longest run of whole words from `start` that fits.
        int end = start;  // exclusive end of the accepted run
        int scan = start;
        while (scan < total) {
            int word_end = scan;
            while (word_end < total && text[word_end] != ' ') ++word_end;
            if (measure(text + start, word_end - start) > max_width) break;
            end = word_end;
            scan = word_end;
            while (scan < total && text[scan] == ' ') ++scan;
        }
        if (end == start) {
            // The first word alone is too wide: take as many letters as fit, at least one.
            end = start + 1;
            while (end < total && text[end] != ' ' && measure(text + start, end + 1 - start) <= max_width) ++end;
        }
        emit(text + start, end - start);
        ++lines;
        start = end;
    }
    return lines;
}

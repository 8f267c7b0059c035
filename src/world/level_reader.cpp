// Number reading for the level and enemy-list files.
#include "world/level_reader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
int digit_value(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}
}  // namespace

LevelReader::LevelReader(const char* filename, DataKind kind) {
    open_ = filename && read_data_file(filename, kind, &bytes_, &fault_);
    data_ = bytes_.data();
    size_ = bytes_.size();
}

LevelReader::LevelReader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0), open_(true) {}

int LevelReader::peek() { return position_ < size_ ? data_[position_] : EOF; }

int LevelReader::get() {
    const int c = peek();
    if (c != EOF) {
        ++position_;
        if (c == '\n') ++line_;
    }
    return c;
}

void LevelReader::skip_blanks() {
    while (is_blank(peek())) get();
}

bool LevelReader::fail() {
    failed_ = true;
    return false;
}

bool LevelReader::start_number() {
    if (!good()) return false;
    skip_blanks();
    if (peek() == EOF) {
        at_end_ = true;
        return fail();
    }
    return true;
}

bool LevelReader::read_integer(int32_t* value) {
    if (!start_number()) return false;
    int c = peek();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        get();
        c = peek();
    }
    if (digit_value(c) > 9) return fail();
    int base = 10;
    bool any_digit = false;
    if (c == '0') {
        get();
        any_digit = true;
        base = 8;
        c = peek();
        if (c == 'x' || c == 'X') {
            get();
            base = 16;
            any_digit = false;
        }
    }
    int64_t magnitude = 0;
    while (digit_value(peek()) < base) {
        magnitude = magnitude * base + digit_value(get());
        any_digit = true;
        if (magnitude > int64_t{2147483648}) return fail();
    }
    if (!any_digit) return fail();
    const int64_t signed_value = negative ? -magnitude : magnitude;
    if (signed_value > INT32_MAX || signed_value < INT32_MIN) return fail();
    *value = static_cast<int32_t>(signed_value);
    return true;
}

bool LevelReader::read_float(float* value) {
    if (!start_number()) return false;
    int c = peek();
    char text[64];
    int n = 0;
    auto take = [&]() {
        const int ch = get();
        if (n < static_cast<int>(sizeof text) - 1) text[n++] = static_cast<char>(ch);
    };
    if (c == '+' || c == '-') take();
    int mantissa_digits = 0;
    while (digit_value(peek()) <= 9) take(), ++mantissa_digits;
    if (peek() == '.') {
        take();
        while (digit_value(peek()) <= 9) take(), ++mantissa_digits;
    }
    if (mantissa_digits == 0) return fail();
    if (peek() == 'e' || peek() == 'E') {
        take();
        if (peek() == '+' || peek() == '-') take();
        int exponent_digits = 0;
        while (digit_value(peek()) <= 9) take(), ++exponent_digits;
        if (exponent_digits == 0) return fail();
    }
    text[n] = '\0';
    const float v = std::strtof(text, nullptr);
    if (!std::isfinite(v) || n >= static_cast<int>(sizeof text) - 1) return fail();
    *value = v;
    return true;
}

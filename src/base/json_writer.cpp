// Writing the state report's JSON.
#include "base/json_writer.h"

#include <cmath>
#include <cstdio>

void append_json_string(std::string& out, const char* text) {
    out += '"';
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const unsigned c = *p;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == 0x92) {
            out += "\xE2\x80\x99";
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out += '"';
}

void JsonWriter::before_value() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += break_next_ ? "," : ", ";
        if (break_next_) {
            out_ += '\n';
            out_.append(2 * first_.size(), ' ');
        }
        first_.back() = false;
    }
    break_next_ = false;
}

void JsonWriter::open(char bracket) {
    before_value();
    out_ += bracket;
    first_.push_back(true);
}

void JsonWriter::begin_object() { open('{'); }

void JsonWriter::end_object() {
    first_.pop_back();
    out_ += first_.empty() ? "\n}\n" : "}";
}

void JsonWriter::begin_array() { open('['); }

void JsonWriter::end_array() {
    first_.pop_back();
    out_ += ']';
}

void JsonWriter::key(const char* name) {
    before_value();
    append_json_string(out_, name);
    out_ += ": ";
    after_key_ = true;
}

void JsonWriter::string(const char* text) {
    before_value();
    append_json_string(out_, text);
}

void JsonWriter::integer(long long value) {
    before_value();
    out_ += std::to_string(value);
}

void JsonWriter::fixed2(double value) {
    before_value();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char number[400];  // the largest double written with two decimals fits
    std::snprintf(number, sizeof number, "%.2f", value);
    out_ += number;
}

void JsonWriter::boolean(bool value) {
    before_value();
    out_ += value ? "true" : "false";
}

void JsonWriter::null() {
    before_value();
    out_ += "null";
}

// One JSON writer for the state report: members, nesting and the one string escaper.
#pragma once
#include <string>
#include <vector>

// Appends JSON to `out` without any fixed cap on its length. Members of an object are
// separated by ", "; after line_break() the next separator ends the line instead and
// indents by the nesting depth, which gives the report its layout.
class JsonWriter {
public:
    void begin_object();
    // Closes the object; at the outermost level on a line of its own with a final line end.
    void end_object();
    void begin_array();
    void end_array();
    void line_break() { break_next_ = true; }

    // The name of the next member of the current object.
    void key(const char* name);
    void string(const char* text);
    void integer(long long value);
    // A number with two decimals; null when it is not finite.
    void fixed2(double value);
    void boolean(bool value);
    void null();
    // A whole member: its name, then its value (or an object left open for its members).
    void integer_member(const char* name, long long value) { key(name); integer(value); }
    void fixed2_member(const char* name, double value) { key(name); fixed2(value); }
    void boolean_member(const char* name, bool value) { key(name); boolean(value); }
    void string_member(const char* name, const char* text) { key(name); string(text); }
    void begin_object_member(const char* name) { key(name); begin_object(); }

    const std::string& text() const { return out_; }

private:
    void before_value();
    // Starts an object or an array with its opening bracket.
    void open(char bracket);

    std::string out_;
    std::vector<bool> first_;  // per open object or array: nothing written in it yet
    bool after_key_ = false;
    bool break_next_ = false;
};

// `text` as a JSON string in UTF-8: the game's text is Windows-1252, so 0x92 is the right single
// quotation mark and other high bytes are the Latin-1 letters they mostly are.
void append_json_string(std::string& out, const char* text);

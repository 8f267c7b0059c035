// Reads whitespace-separated numbers from a level text file the way the game's text streams do:
// integers as C literals (0x hexadecimal, a leading 0 octal), positions as decimal floats.
// The first failed read ends the file: every later read fails too.
#pragma once
#include <cstdint>
#include <cstdio>

class LevelReader {
public:
    explicit LevelReader(const char* filename);
    ~LevelReader();
    LevelReader(const LevelReader&) = delete;
    LevelReader& operator=(const LevelReader&) = delete;

    bool is_open() const { return file_ != nullptr; }
    // No read has failed yet.
    bool good() const { return file_ != nullptr && !failed_; }
    // The last failed read found only blanks up to the end of the file.
    bool at_end() const { return at_end_; }
    // Line number (from 1) of the reading position.
    int line() const { return line_; }

    bool read_integer(int32_t* value);
    // Fails for numbers that are not finite (too large for a float).
    bool read_float(float* value);

private:
    int peek();
    int get();
    void skip_blanks();
    bool fail();

    std::FILE* file_ = nullptr;
    unsigned char buffer_[4096];
    int length_ = 0;
    int position_ = 0;
    bool failed_ = false;
    bool at_end_ = false;
    int line_ = 1;
};

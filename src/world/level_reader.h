// Reads whitespace-separated numbers from a level text file the way the game's text streams do:
// integers as C literals (0x hexadecimal, a leading 0 octal), positions as decimal floats.
// The first failed read ends the file: every later read fails too.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/data_file.h"

class LevelReader {
public:
    // Reads the whole file (within its kind's size limit); is_open() says whether that worked.
    LevelReader(const char* filename, DataKind kind);
    // Reads numbers from bytes already in memory.
    LevelReader(const uint8_t* data, size_t size);

    bool is_open() const { return open_; }
    // Why the file could not be read, when it could not.
    const std::string& fault() const { return fault_; }
    // No read has failed yet.
    bool good() const { return open_ && !failed_; }
    // The last failed read found only blanks up to the end of the file.
    bool at_end() const { return at_end_; }
    // Line number (from 1) of the reading position.
    long long line() const { return line_; }

    bool read_integer(int32_t* value);
    // Fails for numbers that are not finite (too large for a float).
    bool read_float(float* value);

private:
    int peek();
    int get();
    void skip_blanks();
    bool fail();
    // Skips the blanks before a number; false (and the read failed) when the file ends first.
    bool start_number();

    std::vector<uint8_t> bytes_;
    std::string fault_;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t position_ = 0;
    bool open_ = false;
    bool failed_ = false;
    bool at_end_ = false;
    long long line_ = 1;
};

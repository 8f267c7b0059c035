// The files the game loads from its data folder, and the start-up check that they are there.
#pragma once
#include <string>

// Every file the game opens by name, in the order it checks them.
extern const char* const* const DATA_FILES;
extern const int DATA_FILE_COUNT;

// The name of the first file of DATA_FILES missing from `dir`; empty when all are there.
// A file that is there but damaged passes: the loaders name it and the game goes on.
std::string first_missing_data_file(const std::string& dir);

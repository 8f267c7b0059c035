// Finding the folder of data files and making it the working directory.
#pragma once
#include <string>

// The folder to use: `requested` when given, else the one the build made beside the
// executable, else the installed one. Empty when none exists.
std::string find_data_dir(const std::string& requested, const char* argv0);

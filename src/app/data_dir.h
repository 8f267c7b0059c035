// Finding the folder of data files and making it the working directory.
#pragma once
#include <string>

// The folder to use, in this order: `requested` when given (even if absent, so the caller can
// name it); the build's own data when the program runs from the build folder that made it;
// the install's data folder relative to the program's (`<program folder>/../share/quillmoor`,
// or `../share/games/quillmoor` from games/), so a moved prefix or an unpacked package finds
// its data; then the folder the program was installed for. Empty when none of them exists.
std::string find_data_dir(const std::string& requested, const char* argv0);

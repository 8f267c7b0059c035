// The files the player names for the runners' output (--state, --hashes, --shot, --record):
// a pipe, socket or folder there is refused at once rather than waited on forever.
#pragma once
#include <string>

#include "app/options.h"

// Empty when every output named can be written without blocking: it does not exist yet, or
// is a regular file or a device such as /dev/null. Otherwise one line naming the option,
// the path and what is wrong. Looks at each path without opening it.
std::string output_path_fault(const Options& options);

// The world's state report for the headless runner.
#include "world/world_report.h"

std::string world_state_json_members() { return ""; }

// Runs the real game binary headless with a key script and reads back its state report.
#pragma once
#include <cstdlib>
#include <string>

#include "test_files.h"

struct HeadlessRun {
    int exit_status = -1;
    std::string state;  // the JSON report
    std::string errors;  // what the game wrote on stderr
};

// `script` is the input script's text; `extra` more options (e.g. --shot). Runs in `dir`.
inline HeadlessRun run_headless(const TempDir& dir, const std::string& script, long frames, const std::string& extra = "",
                                const std::string& data_dir = QUILLMOOR_TEST_DATA_DIR) {
    write_text(dir.file("keys.txt"), script);
    std::filesystem::remove(dir.file("state.json"));
    const ProgramRun run = run_program(quoted(QUILLMOOR_EXE) + " --headless --frames " + std::to_string(frames) + " --input " +
                                       quoted(dir.file("keys.txt")) + " --state " + quoted(dir.file("state.json")) + " --data " +
                                       quoted(data_dir) + " " + extra);
    return {run.exit_status, read_text(dir.file("state.json")), run.errors};
}

// The text of a top-level JSON member's value (first match of "key": ...), without quotes.
inline std::string json_value(const std::string& json, const std::string& key) {
    const std::string needle = "\"" + key + "\": ";
    auto at = json.find(needle);
    if (at == std::string::npos) return "<missing>";
    at += needle.size();
    if (json[at] == '"') {
        auto end = json.find('"', at + 1);
        return json.substr(at + 1, end - at - 1);
    }
    auto end = json.find_first_of(",}\n", at);
    return json.substr(at, end - at);
}

inline long json_int(const std::string& json, const std::string& key) {
    const std::string v = json_value(json, key);
    return v == "<missing>" ? -999999 : std::strtol(v.c_str(), nullptr, 10);
}

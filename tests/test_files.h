// Helpers for tests that write files of their own, run the build's programs and the headless game.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct TempDir {
    std::filesystem::path path;

    TempDir() {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("quillmoor_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void write_text(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file of the data folder the build makes.
inline std::string data_path(const std::string& name) { return std::string(QUILLMOOR_TEST_DATA_DIR) + "/" + name; }

// A path or word quoted for the shell.
inline std::string quoted(const std::string& text) { return "'" + text + "'"; }

struct ProgramRun {
    int exit_status = -1;  // -1 when the program did not exit by itself
    std::string out, errors;  // what it wrote on stdout and stderr
};

// Runs a shell command line, keeping what it writes.
inline ProgramRun run_program(const std::string& command) {
    TempDir dir;
    const int status = std::system((command + " > " + quoted(dir.file("out")) + " 2> " + quoted(dir.file("err"))).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_text(dir.file("out")), read_text(dir.file("err"))};
}

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

// Helpers for tests that write small files of their own into a private temporary folder, and run
// the programs the build makes.
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

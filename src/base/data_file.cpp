// Reading data files whole: only regular files within their kind's size limit.
#include "base/data_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

namespace fs = std::filesystem;

bool read_data_file(const char* path, DataKind kind, std::vector<uint8_t>* out, std::string* fault) {
    out->clear();
    const DataLimit limit = data_limit(kind);
    // Looked at before opening: a pipe would block the open, a device would never end.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        *fault = "cannot open the file (" + (ec ? ec.message() : std::string("no such file")) + ")";
        return false;
    }
    if (fs::is_directory(status)) {
        *fault = "is a directory, not a file";
        return false;
    }
    if (!fs::is_regular_file(status)) {
        *fault = "is not a regular file";
        return false;
    }
    const uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > limit.max_bytes) {
        *fault = "file is too large (" + std::to_string(size) + " bytes; the limit for " + limit.what + " is " +
                 std::to_string(limit.max_bytes) + ")";
        return false;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        *fault = std::string("cannot open the file (") + std::strerror(errno) + ")";
        return false;
    }
    bool ok = true;
    try {
        out->resize(ec ? 0 : static_cast<size_t>(size));
        size_t got = out->empty() ? 0 : std::fread(out->data(), 1, out->size(), file);
        out->resize(got);
        // The file may have changed since it was measured: read on, but never past the limit.
        uint8_t block[4096];
        size_t more = 0;
        while (ok && (more = std::fread(block, 1, sizeof block, file)) > 0) {
            if (out->size() + more > limit.max_bytes) {
                *fault = std::string("file is too large (over the limit for ") + limit.what + " of " +
                         std::to_string(limit.max_bytes) + " bytes)";
                ok = false;
            } else {
                out->insert(out->end(), block, block + more);
            }
        }
        if (ok && std::ferror(file)) {
            *fault = std::string("cannot read the file (") + std::strerror(errno) + ")";
            ok = false;
        }
    } catch (const std::bad_alloc&) {
        *fault = "not enough memory to read the file";
        ok = false;
    }
    std::fclose(file);
    if (!ok) out->clear();
    return ok;
}

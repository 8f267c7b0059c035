// The source folders are layered (tools/folder-graph.sh prints the graph): each includes only folders below it, no cycles, SDL in platform only.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Top to bottom; folders on one rank are siblings and include neither of each other.
const std::vector<std::vector<std::string>> LAYERS = {
    {"app"}, {"game"}, {"screens"}, {"userfiles"}, {"world"}, {"actors"},
    {"graphics", "audio"}, {"platform/sdl", "platform/web"}, {"platform"}, {"base"},
};

int rank_of(const std::string& folder) {
    for (size_t i = 0; i < LAYERS.size(); ++i)
        for (const std::string& f : LAYERS[i])
            if (f == folder) return static_cast<int>(LAYERS.size() - i);
    return -1;
}

struct SourceFile {
    std::string folder, unit;  // "world", "world/story"
    std::vector<std::string> includes;  // project headers, as written
    bool includes_sdl = false;
};

std::vector<SourceFile> read_sources() {
    const fs::path src = fs::path(QUILLMOOR_SOURCE_DIR) / "src";
    std::vector<SourceFile> files;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        const fs::path rel = fs::relative(entry.path(), src);
        SourceFile file{rel.parent_path().generic_string(), (rel.parent_path() / rel.stem()).generic_string(), {}};
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("#include \"", 0) == 0) file.includes.push_back(line.substr(10, line.find('"', 10) - 10));
            std::erase_if(line, [](char c) { return c == ' ' || c == '\t'; });
            file.includes_sdl |= line.rfind("#include<SDL", 0) == 0 || line.rfind("#include\"SDL", 0) == 0;
        }
        files.push_back(file);
    }
    return files;
}

}  // namespace

TEST(Layering, EveryFolderIncludesOnlyFoldersBelowItNoFilesIncludeEachOtherAndOnlyThePlatformSdl) {
    const std::vector<SourceFile> files = read_sources();
    ASSERT_GT(files.size(), 100u);
    std::map<std::string, std::set<std::string>> edges;
    for (const SourceFile& file : files) {
        ASSERT_NE(rank_of(file.folder), -1) << file.unit << ": a folder the layering does not know";
        EXPECT_TRUE(!file.includes_sdl || file.folder.rfind("platform", 0) == 0) << file.unit << " includes SDL";
        for (const std::string& header : file.includes) {
            const fs::path path(header);
            const std::string to = path.parent_path().generic_string(), unit = (path.parent_path() / path.stem()).generic_string();
            EXPECT_TRUE(to == file.folder || (rank_of(to) != -1 && rank_of(to) < rank_of(file.folder)))
                << file.unit << " includes " << header << ", which is not below " << file.folder;
            if (unit != file.unit) edges[file.unit].insert(unit);
        }
    }
    // Peel off the files that include no file still left, and those no file still left includes;
    // whatever cannot be peeled is in a loop of files that include each other.
    for (bool peeled = true; peeled;) {
        peeled = false;
        for (auto it = edges.begin(); it != edges.end();) {
            const bool leaf = std::none_of(it->second.begin(), it->second.end(), [&](const std::string& u) { return edges.count(u); });
            const bool root = std::none_of(edges.begin(), edges.end(), [&](const auto& from) { return from.second.count(it->first); });
            it = leaf || root ? edges.erase(it) : std::next(it);
            peeled |= leaf || root;
        }
    }
    for (const auto& [unit, includes] : edges) ADD_FAILURE() << unit << " is in a loop of files that include each other";
}

// The source folders are layered (tools/folder-graph.sh prints the graph): each includes only folders below it, no cycles, SDL in platform only.
#include <gtest/gtest.h>

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

bool find_cycle(const std::string& unit, const std::map<std::string, std::set<std::string>>& edges,
                std::map<std::string, int>& mark, std::vector<std::string>& path) {
    mark[unit] = 1;
    path.push_back(unit);
    if (auto it = edges.find(unit); it != edges.end())
        for (const std::string& next : it->second) {
            if (mark[next] == 1) {
                path.push_back(next);
                return true;
            }
            if (mark[next] == 0 && find_cycle(next, edges, mark, path)) return true;
        }
    mark[unit] = 2;
    path.pop_back();
    return false;
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
    std::map<std::string, int> mark;
    for (const auto& [unit, _] : edges) {
        std::vector<std::string> path;
        if (mark[unit] == 0 && find_cycle(unit, edges, mark, path)) {
            std::string loop;
            for (const std::string& u : path) loop += u + " ";
            ADD_FAILURE() << "files include each other: " << loop;
            for (const std::string& u : path) mark[u] = 2;  // report each loop once
        }
    }
}

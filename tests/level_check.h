// Reads a level's files and walks them the way the hero moves, for the level checker.
#pragma once
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "test_files.h"
#include "world/level_places.h"

namespace level_check {

constexpr int CELLS = 200;  // tiles across and down
constexpr int TILE = 32;  // pixels
constexpr int STEP = 4;  // the hero walks 4 pixels a frame
constexpr int LAST_FLOOR = 30;  // tile values above this are solid
constexpr int JAIL_DOOR = 53;
constexpr int OPENED_DOOR = 10;
constexpr int PRISONER_A = 57;  // townsfolk standing in a jail
constexpr int PRISONER_B = 58;

struct Spot {
    double x = 0, y = 0;
};

// Where a level starts the hero and its boss, from the game's table of the levels' places (whose
// story zones the checks read too), and its enemy lists.
struct LevelFacts {
    int number;
    Spot hero, boss;
    std::vector<std::string> enemy_files;
};

inline std::vector<LevelFacts> level_facts() {
    auto facts = [](int n, std::vector<std::string> enemy_files) {
        const LevelPlaces& p = LEVEL_PLACES[n - 1];
        return LevelFacts{n, {p.hero_start.x, p.hero_start.y}, {p.boss_start.x, p.boss_start.y}, std::move(enemy_files)};
    };
    return {
        facts(1, {"level1Moles.txt"}),
        facts(2, {"level2Moles.txt", "level2Pigs.txt"}),
        facts(3, {"level3Moles.txt", "level3Pigs.txt", "level3Wasps.txt"}),
    };
}

// The tile map must be exactly 40,000 plain decimal numbers 0..69 with no leading zeros
// (the game would read 010 as octal), separated by white space and nothing else.
inline std::string read_tile_map(const std::string& path, std::vector<int>& tiles) {
    const std::string text = read_text(path);
    if (text.empty()) return "cannot read " + path;
    tiles.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (i == start) return "a character that is not a digit at byte " + std::to_string(start);
        if (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
            return "a number runs into other characters at byte " + std::to_string(start);
        std::string number = text.substr(start, i - start);
        if (number.size() > 1 && number[0] == '0') return "a leading zero in \"" + number + "\"";
        if (number.size() > 2 || std::stoi(number) > 69) return "tile number " + number + " is above 69";
        tiles.push_back(std::stoi(number));
    }
    if (tiles.size() != CELLS * CELLS) return std::to_string(tiles.size()) + " tile numbers instead of 40000";
    return "";
}

// Enemy lists are pairs of decimal numbers, x then y in world pixels.
inline std::string read_enemy_list(const std::string& path, std::vector<Spot>& spots) {
    std::istringstream in(read_text(path));
    std::vector<double> numbers;
    std::string word;
    while (in >> word) {
        size_t used = 0;
        double v = 0;
        try {
            v = std::stod(word, &used);
        } catch (...) {
            used = 0;
        }
        if (used != word.size()) return "\"" + word + "\" is not a number";
        numbers.push_back(v);
    }
    if (numbers.size() % 2) return "an odd count of numbers";
    spots.clear();
    for (size_t k = 0; k + 1 < numbers.size(); k += 2) spots.push_back({numbers[k], numbers[k + 1]});
    return "";
}

// Hero positions on the 4-pixel lattice he walks on, and which of them a box fits into.
class Walker {
public:
    static constexpr int SPAN = (CELLS * TILE - TILE) / STEP + 1;  // lattice points along an axis

    Walker(const std::vector<int>& tiles, bool doors_open, int box) : box_(box), free_(SPAN * SPAN, 0) {
        std::vector<int> solid(CELLS * CELLS);
        for (int i = 0; i < CELLS * CELLS; ++i) {
            int v = tiles[i];
            if (doors_open && v == JAIL_DOOR) v = OPENED_DOOR;
            solid[i] = v > LAST_FLOOR;
        }
        for (int j = 0; j < SPAN; ++j)
            for (int i = 0; i < SPAN; ++i) {
                int x = i * STEP, y = j * STEP;
                if (x + box > CELLS * TILE || y + box > CELLS * TILE) continue;
                bool ok = true;
                for (int r = y / TILE; r <= (y + box - 1) / TILE && ok; ++r)
                    for (int c = x / TILE; c <= (x + box - 1) / TILE && ok; ++c)
                        if (solid[r * CELLS + c]) ok = false;
                free_[j * SPAN + i] = ok;
            }
    }

    bool fits(int x, int y) const {
        if (x < 0 || y < 0 || x % STEP || y % STEP || x / STEP >= SPAN || y / STEP >= SPAN) return false;
        return free_[(y / STEP) * SPAN + x / STEP];
    }

    // Every lattice position reachable from (x, y) by 4-pixel steps, never standing where
    // `banned` holds. Returns one byte per lattice position.
    template <class Banned>
    std::vector<uint8_t> walk(int x, int y, Banned banned) const {
        std::vector<uint8_t> seen(SPAN * SPAN, 0);
        search(x, y, banned, [&](int n, int) {
            seen[n] = 1;
            return false;
        });
        return seen;
    }

    // The fewest 4-pixel steps from (x, y) to a lattice position where `goal` holds, or -1.
    template <class Goal>
    int steps_to(int x, int y, Goal goal) const {
        std::vector<int> steps(SPAN * SPAN, -1);
        int found = -1;
        search(x, y, [](int, int) { return false; }, [&](int n, int from) {
            steps[n] = from < 0 ? 0 : steps[from] + 1;
            if (goal((n % SPAN) * STEP, (n / SPAN) * STEP)) found = steps[n];
            return found >= 0;
        });
        return found;
    }

    int box() const { return box_; }

private:
    // Breadth first over the positions a box fits, from (x, y), never entering one where
    // `banned` holds. `reached(index, from_index)` hears of each position as it is first
    // reached (from -1 for the start) and ends the search by returning true.
    template <class Banned, class Reached>
    void search(int x, int y, Banned banned, Reached reached) const {
        if (!fits(x, y) || banned(x, y)) return;
        std::vector<uint8_t> seen(SPAN * SPAN, 0);
        std::vector<int> queue;
        queue.reserve(1 << 16);
        int start = (y / STEP) * SPAN + x / STEP;
        seen[start] = 1;
        queue.push_back(start);
        if (reached(start, -1)) return;
        for (size_t head = 0; head < queue.size(); ++head) {
            int i = queue[head] % SPAN, j = queue[head] / SPAN;
            const int di[4] = {1, -1, 0, 0}, dj[4] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
                int ni = i + di[k], nj = j + dj[k];
                if (ni < 0 || nj < 0 || ni >= SPAN || nj >= SPAN) continue;
                int n = nj * SPAN + ni;
                if (seen[n] || !free_[n] || banned(ni * STEP, nj * STEP)) continue;
                seen[n] = 1;
                queue.push_back(n);
                if (reached(n, queue[head])) return;
            }
        }
    }

    int box_;
    std::vector<uint8_t> free_;
};

// Whether some reached position of a `hero_box`-sized box overlaps the given box.
inline bool reaches_box(const std::vector<uint8_t>& seen, int hero_box, double bx, double by, int size) {
    int x0 = static_cast<int>(bx) - hero_box - STEP, y0 = static_cast<int>(by) - hero_box - STEP;
    for (int y = std::max(0, y0 - y0 % STEP); y <= by + size; y += STEP)
        for (int x = std::max(0, x0 - x0 % STEP); x <= bx + size; x += STEP) {
            if (x / STEP >= Walker::SPAN || y / STEP >= Walker::SPAN) continue;
            if (!seen[(y / STEP) * Walker::SPAN + x / STEP]) continue;
            if (x < bx + size && x + hero_box > bx && y < by + size && y + hero_box > by) return true;
        }
    return false;
}

}  // namespace level_check

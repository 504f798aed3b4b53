#include "sim/NearestName.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace sim {
namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t change = diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, change});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string_view nearestName(std::string_view word, const std::vector<std::string_view>& names) {
    // No name is longer; a longer word only costs time.
    constexpr std::size_t kLongestCompared = 64;
    word = word.substr(0, kLongestCompared);
    std::string_view nearest;
    std::size_t best = 0;
    for (const auto name : names) {
        const std::size_t distance = editDistance(word, name);
        if (nearest.empty() || distance < best) {
            nearest = name;
            best = distance;
        }
    }
    return nearest;
}

}  // namespace sim

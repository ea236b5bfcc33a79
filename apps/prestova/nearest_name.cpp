#include "apps/prestova/nearest_name.hpp"

#include <algorithm>

namespace prestova {

namespace {

// Edits from a to b, a swap of neighbours counting as one (optimal string
// alignment distance): "chekc" is one from "check".
std::size_t edit_distance(std::string_view a, std::string_view b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

}  // namespace

std::string did_you_mean(std::string_view word, const std::vector<std::string>& names)
{
    const std::string* best = nullptr;
    std::size_t best_distance = 3;  // more than two edits is another word
    for (const auto& name : names) {
        const std::size_t distance = edit_distance(word, name);
        if (distance < best_distance && distance < name.size()) best = &name, best_distance = distance;
    }
    return best ? " (did you mean '" + *best + "'?)" : std::string();
}

}  // namespace prestova

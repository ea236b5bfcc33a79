// The product's layers include one another in one direction only. The
// libraries link the same way, but a header-only use of a higher layer would
// not fail to link; this reads every #include instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Layer {
    std::string folder;                  // under the source tree; also the include prefix
    std::vector<std::string> stands_on;  // the layers right below it
};

// Bottom up, as the build links them: cmake/layers.txt, a folder and the
// folders below it a line.
std::vector<Layer> read_layers()
{
    std::ifstream in(fs::path(PRESTOVA_SOURCE_DIR) / "cmake" / "layers.txt");
    std::vector<Layer> layers;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Layer layer;
        fields >> layer.folder;
        for (std::string below; fields >> below;) layer.stands_on.push_back(below);
        layers.push_back(layer);
    }
    return layers;
}
const std::vector<Layer> kLayers = read_layers();

const Layer* find_layer(std::string_view folder)
{
    for (const Layer& layer : kLayers)
        if (layer.folder == folder) return &layer;
    return nullptr;
}

// A layer and every layer beneath it.
std::set<std::string_view> reachable(const Layer& from)
{
    std::set<std::string_view> seen{from.folder};
    std::vector<const Layer*> pending{&from};
    while (!pending.empty()) {
        const Layer* layer = pending.back();
        pending.pop_back();
        for (std::string_view below : layer->stands_on)
            if (seen.insert(below).second) pending.push_back(find_layer(below));
    }
    return seen;
}

// The layer a quoted include names: the longest layer folder it starts with,
// else its first folder (apps/, component/ and the like), else empty for an
// include of a neighbouring file.
std::string layer_of(std::string_view path)
{
    std::string best;
    for (const Layer& layer : kLayers) {
        const std::string prefix = std::string(layer.folder).append("/");
        if (path.starts_with(prefix) && prefix.size() > best.size() + 1) best = layer.folder;
    }
    if (!best.empty()) return best;
    const auto slash = path.find('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::vector<std::string> quoted_includes(const fs::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> found;
    for (std::string line; std::getline(in, line);) {
        constexpr std::string_view directive = "#include \"";
        if (!line.starts_with(directive)) continue;
        const auto end = line.find('"', directive.size());
        if (end != std::string::npos) found.push_back(line.substr(directive.size(), end - directive.size()));
    }
    return found;
}

TEST(Layering, TheLayersStandOnOnlyTheLayersBelowThem)
{
    ASSERT_GE(kLayers.size(), 10u);  // the list was found
    for (const Layer& layer : kLayers)
        for (std::string_view below : layer.stands_on) {
            const Layer* lower = find_layer(below);
            ASSERT_NE(lower, nullptr) << layer.folder << " stands on an unknown layer " << below;
            EXPECT_FALSE(reachable(*lower).contains(layer.folder))
                << layer.folder << " and " << below << " stand on each other";
        }
}

TEST(Layering, NoSourceIncludesAHigherLayer)
{
    const fs::path source = PRESTOVA_SOURCE_DIR;
    std::vector<std::string> wrong;
    std::size_t files = 0;
    for (const Layer& layer : kLayers) {
        const auto allowed = reachable(layer);
        for (const auto& entry : fs::directory_iterator(source / layer.folder)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".hpp")) continue;
            ++files;
            for (const std::string& include : quoted_includes(entry.path())) {
                const std::string target = layer_of(include);
                if (!target.empty() && !allowed.contains(target))
                    wrong.push_back(std::string(layer.folder)
                                        .append("/")
                                        .append(entry.path().filename().string())
                                        .append(" includes ")
                                        .append(include));
            }
        }
    }
    EXPECT_GT(files, 100u);  // the folders were found
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

}  // namespace

// The product's layers include one another in one direction only. The
// libraries link the same way, but a header-only use of a higher layer would
// not fail to link; this reads every #include instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
const fs::path kSource = PRESTOVA_SOURCE_DIR;

// cmake/layers.txt, bottom up as the build links them: a folder, then the
// layers right below it, each on an earlier line (so no two stand on each
// other). A layer may include itself and every layer beneath it.
std::map<std::string, std::set<std::string>> includable_layers()
{
    std::ifstream in(kSource / "cmake" / "layers.txt");
    std::map<std::string, std::set<std::string>> layers;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string folder, below;
        fields >> folder;
        std::set<std::string> reach{folder};
        while (fields >> below) {
            const auto lower = layers.find(below);
            if (lower != layers.end()) reach.insert(lower->second.begin(), lower->second.end());
            else ADD_FAILURE() << folder << " stands on " << below << ", which is no layer listed before it";
        }
        layers[folder] = reach;
    }
    return layers;
}

TEST(Layering, NoSourceIncludesAHigherLayer)
{
    const auto layers = includable_layers();
    ASSERT_GE(layers.size(), 10u);  // the list was found
    std::vector<std::string> wrong;
    std::size_t files = 0;
    for (const auto& [folder, reach] : layers)
        for (const auto& entry : fs::directory_iterator(kSource / folder)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".hpp")) continue;
            ++files;
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);) {
                if (!line.starts_with("#include \"")) continue;
                const std::string include = line.substr(10, line.find('"', 10) - 10);
                // The layer it names: the longest layer folder it starts with,
                // else its first folder (apps/, component/ and the like), else
                // none for a neighbouring file.
                const auto slash = include.find('/');
                std::string target = slash == std::string::npos ? "" : include.substr(0, slash);
                for (const auto& [layer, _] : layers)
                    if (include.starts_with(layer + "/") && layer.size() > target.size()) target = layer;
                if (!target.empty() && !reach.contains(target))
                    wrong.push_back(folder + "/" + entry.path().filename().string() + " includes " + include);
            }
        }
    EXPECT_GT(files, 100u);  // the folders were found
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

}  // namespace

// The simulated registry answers the ANSI registry calls with Windows'
// result codes, sizes, enumeration order and access rules; the four reads
// the checks use (probes/mod_registry) take from it only what they can use.
// (What the recording registry keeps of them is the snapshot: snapshot.cases.)
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/simulated_registry.hpp"
#include "probes/mod_registry.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

using namespace prestova;

namespace {

const RegHandle HKLM = root_handle(RegRoot::LocalMachine);
const RegHandle HKCR = root_handle(RegRoot::ClassesRoot);
constexpr RegHandle kGarbage = 0xDEAD;
constexpr std::uint32_t kOpenKey = 0xFFFFFFFF;  // RegOpenKeyA instead of RegOpenKeyExA with an access
constexpr std::uint32_t kEnumerate = 0x0008, kReadControl = 0x00020000, kMaximumAllowed = 0x02000000;

class SimRegistry : public ::testing::Test {
protected:
    // tests/cases/simulated_registry.reg: SOFTWARE\Test with a "Text" and five
    // Kids made in no order; SOFTWARE\Locked, denied, and its own Inner key.
    SimRegistry()
        : tree(*read_reg_file(std::string(PRESTOVA_SOURCE_DIR) + "/tests/cases/simulated_registry.reg", "t.reg")),
          registry(tree, {"HKLM\\software\\LOCKED"})
    {}

    RegHandle open(RegHandle root, std::string_view path)
    {
        RegHandle h = kGarbage;
        EXPECT_EQ(registry.open_key(root, path, &h), reg::Success) << path;
        return h;
    }
    // The value "Text" up to its NUL, or "error N".
    std::string text(RegHandle h)
    {
        char buffer[64] = {};
        std::uint32_t size = sizeof buffer;
        const long status = registry.query_value(h, "Text", nullptr, reinterpret_cast<std::uint8_t*>(buffer), &size);
        return status == reg::Success ? std::string(buffer) : "error " + std::to_string(status);
    }

    RegistryTree tree;
    SimulatedRegistry registry;
};

}  // namespace

// Each open: its result (the handle cleared on failure), whether it gives back
// the root's own handle, what that reads of "Text" and lists first.
TEST_F(SimRegistry, OpensKeysWithWindowsPathsHandlesAndAccessRules)
{
    using namespace reg;
    const std::tuple<RegHandle, const char*, const char*, std::uint32_t, long, const char*, long, bool> cases[] = {
        // {root, a key opened below it first to open the path below, path, access, ...}
        {HKLM, nullptr, "software\\TEST\\", kOpenKey, Success, "  hello  ", Success, false},
        // No path arithmetic, no empty parts, no values as keys, no unknown handles.
        {HKLM, nullptr, "Software\\Test\\Kids\\..\\", KeyRead, FileNotFound, "", 0, false},
        {HKLM, nullptr, "SOFTWARE\\Test\\Text", kOpenKey, FileNotFound, "", 0, false},
        {HKLM, nullptr, "\\SOFTWARE", kOpenKey, 161, "", 0, false},
        {HKLM, nullptr, "SOFTWARE\\\\Test", KeyRead, 161, "", 0, false},
        {0, nullptr, "SOFTWARE", kOpenKey, InvalidHandle, "", 0, false},
        {0x4242, nullptr, "SOFTWARE", KeyRead, InvalidHandle, "", 0, false},
        {0x80000004, nullptr, "SOFTWARE", kOpenKey, FileNotFound, "", 0, false},  // a predefined key not simulated
        // An empty path: a predefined key comes back as itself, and so does
        // any key to RegOpenKeyA; RegOpenKeyExA opens a new handle.
        {HKLM, nullptr, "", kOpenKey, Success, "error 2", Success, true},
        {HKLM, "SOFTWARE\\Test", "", kOpenKey, Success, "  hello  ", Success, true},
        {HKLM, "SOFTWARE\\Test", "", KeyRead, Success, "  hello  ", Success, false},
        // The other predefined keys are there, empty, though the tree has no such hive.
        {root_handle(RegRoot::CurrentUser), nullptr, "", KeyRead, Success, "error 2", NoMoreItems, true},
        {0x80000003, nullptr, "", KeyRead, Success, "error 2", NoMoreItems, true},   // HKEY_USERS
        {0x80000005, nullptr, "", kOpenKey, Success, "error 2", NoMoreItems, true},  // HKEY_CURRENT_CONFIG
        // A handle has the access asked for (or all there is).
        {HKLM, nullptr, "SOFTWARE\\Test", KeyQueryValue, Success, "  hello  ", AccessDenied, false},
        {HKLM, nullptr, "SOFTWARE\\Test", kMaximumAllowed, Success, "  hello  ", Success, false},
        // A denied key opens for what it allows, then reads and lists
        // nothing; the key below has rights of its own.
        {HKLM, nullptr, "SOFTWARE\\Locked\\", kOpenKey, Success, "error 5", AccessDenied, false},
        {HKLM, nullptr, "software\\locked", KeyQueryValue, AccessDenied, "", 0, false},
        {HKLM, nullptr, "SOFTWARE\\Locked", KeyRead, AccessDenied, "", 0, false},
        {HKLM, nullptr, "SOFTWARE\\Locked", kEnumerate, AccessDenied, "", 0, false},
        {HKLM, nullptr, "SOFTWARE\\Locked", kReadControl, Success, "error 5", AccessDenied, false},
        {HKLM, nullptr, "SOFTWARE\\Locked", kMaximumAllowed, Success, "error 5", AccessDenied, false},
        {HKLM, "SOFTWARE\\Locked", "INNER\\", kOpenKey, Success, "open", NoMoreItems, false},
    };
    for (const auto& [root, base, path, access, expected, read, listed, same] : cases) {
        SCOPED_TRACE(std::string(base ? base : "") + " | " + path + " | " + std::to_string(access));
        RegHandle from = base ? open(root, base) : root, h = kGarbage;
        const long status =
            access == kOpenKey ? registry.open_key(from, path, &h) : registry.open_key_ex(from, path, 0, access, &h);
        EXPECT_EQ(status, expected);
        if (status == Success) {
            EXPECT_EQ(h == from, same);
            EXPECT_EQ(registry.open_handle_count(), (base ? 1u : 0u) + (same ? 0u : 1u));
            EXPECT_EQ(text(h), read);
            char name[64];
            EXPECT_EQ(registry.enum_key(h, 0, name, sizeof name), listed);
            if (!same) { EXPECT_EQ(registry.close_key(h), Success); }
        } else {
            EXPECT_EQ(h, 0u);
        }
        if (base) { EXPECT_EQ(registry.close_key(from), Success); }
        EXPECT_EQ(registry.open_handle_count(), 0u);
    }
}

// Handles close once and outlive their keys; a listing reports sizes as
// RegEnumKeyA does.
TEST_F(SimRegistry, HandlesCloseOnceAndOutliveTheirKeys)
{
    EXPECT_EQ(std::vector({registry.close_key(HKLM), registry.close_key(HKCR), registry.close_key(0),
                           registry.close_key(0x1234)}),
              std::vector({reg::Success, reg::Success, reg::InvalidHandle, reg::InvalidHandle}));
    EXPECT_EQ(registry.open_key(HKLM, "SOFTWARE", nullptr), 87);
    const RegHandle kids = open(HKLM, "SOFTWARE\\Test\\Kids"), test = open(HKLM, "SOFTWARE\\Test");
    char name[8];
    EXPECT_EQ(registry.enum_key(kids, 0, name, 5), reg::MoreData);  // "Alpha" needs 6 with its NUL
    EXPECT_EQ(registry.enum_key(kids, 0, name, 6), reg::Success);
    EXPECT_STREQ(name, "Alpha");
    EXPECT_EQ(registry.enum_key(kids, 5, name, sizeof name), reg::NoMoreItems);
    EXPECT_EQ(registry.enum_key(kids, 0, nullptr, 0), 87);
    EXPECT_EQ(registry.close_key(kids), reg::Success);
    EXPECT_EQ(registry.close_key(kids), reg::InvalidHandle);
    // HKEY_PERFORMANCE_DATA is predefined but not simulated: no key to list.
    for (const RegHandle bad : {RegHandle{0}, kids, RegHandle{0x80000004}})
        EXPECT_EQ(registry.enum_key(bad, 0, name, 8), reg::InvalidHandle);
    std::uint32_t size = 0;
    registry.tree() = parse_reg_text("REGEDIT4\n", "empty.reg");  // a key removed while open reports its deletion
    EXPECT_EQ(registry.query_value(test, "Text", nullptr, nullptr, &size), 1018);
    EXPECT_EQ(registry.enum_key(test, 0, name, sizeof name), 1018);
    EXPECT_EQ(registry.close_key(test), reg::Success);
    EXPECT_EQ(registry.open_handle_count(), 0u);
}

// The checks' reads (what they give back is in software.cases, processor.cases
// and snapshot.cases): subkeys in enumeration order, none from a key missing
// or denied, and no read leaves a key open.
TEST_F(SimRegistry, ModRegistryListsSubkeysInOrder)
{
    constexpr RegRoot LM = RegRoot::LocalMachine;
    std::string lists;
    for (const char* path :
         {"SOFTWARE\\Test\\Kids\\", "SOFTWARE\\Test\\Kids\\Alpha", "SOFTWARE\\Nowhere", "SOFTWARE\\Locked"}) {
        for (const auto& name : ListRegSubkeys(registry, LM, path)) lists += name + ";";
        lists += "|";
    }
    tree.make(*parse_key_name("HKLM\\SOFTWARE\\Test\\Kids\\aardvark"));  // made after a listing: in its place
    for (const auto& name : ListRegSubkeys(registry, LM, "SOFTWARE\\Test\\Kids")) lists += name + ";";
    EXPECT_EQ(lists, "Alpha;beta;Gamma;zeta;_under;||||aardvark;Alpha;beta;Gamma;zeta;_under;");  // '_' after letters
    // Twenty thousand subkeys, listed one index at a time and the key opened
    // afresh for each as the Acrobat check does, come in order (the benchmark
    // ListSubkeys shows the cost per subkey stays flat).
    RegKey& acrobat = tree.make(*parse_key_name("HKLM\\SOFTWARE\\Adobe\\Acrobat Reader"));
    for (int i = 20000; i-- > 0;) acrobat.subkey(std::string(i % 3 ? "v" : "V").append(std::to_string(i)).append(".0"));
    const auto many = ListRegSubkeys(registry, LM, "SOFTWARE\\Adobe\\acrobat Reader\\");
    EXPECT_EQ(many.size(), 20000u);
    EXPECT_TRUE(std::is_sorted(many.begin(), many.end(), [](auto& a, auto& b) { return compare_key_names(a, b) < 0; }));
    EXPECT_EQ(many.front(), "V0.0");  // in the case it was made with
    EXPECT_EQ(registry.open_handle_count(), 0u) << "a key was left open";
}

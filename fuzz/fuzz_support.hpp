#pragma once
// What the fuzz targets share: cutting one input into the files of a machine
// profile, a scratch folder for the one file the facts reader must open, and
// an exact comparison of two registry trees (facts are compared as the facts
// writer writes them).
#include "platform/simulated/machine_profile.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace prestova::fuzz {

// The input's own text before the first marker, and after it; everything is
// before when the marker is missing.
inline std::pair<std::string_view, std::string_view> cut(std::string_view input, std::string_view marker)
{
    const auto at = input.find(marker);
    if (at == std::string_view::npos) return {input, {}};
    return {input.substr(0, at), input.substr(at + marker.size())};
}

inline constexpr std::string_view kRegMarker = "\n~reg~\n";
inline constexpr std::string_view kPageMarker = "\n~page~\n";
// The name a fuzzed facts text gives its registry file ("file = m.reg").
inline constexpr std::string_view kRegName = "m.reg";

// One folder for the whole process, in memory where the system offers it,
// removed at a normal exit: parse_machine_profile reads the registry file
// from disk. libFuzzer ends on a finding without running exit handlers, so
// scripts/fuzz.sh names a base folder (PRESTOVA_FUZZ_SCRATCH) it removes.
inline const std::filesystem::path& scratch_dir()
{
    static const std::filesystem::path dir = [] {
        namespace fs = std::filesystem;
        std::error_code ec;
        const char* given = std::getenv("PRESTOVA_FUZZ_SCRATCH");
        const fs::path base = given && *given                    ? fs::path(given)
                              : fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                                 : fs::temp_directory_path();
        std::string templ = (base / "prestova-fuzz-XXXXXX").string();
        if (!mkdtemp(templ.data())) std::abort();
        static const fs::path made = templ;
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(made, ignored);
        });
        return made;
    }();
    return dir;
}

inline void put_file(std::string_view name, std::string_view bytes)
{
    std::ofstream out(scratch_dir() / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

// A facts text that could name a file outside the scratch folder (a path
// with '/') would read whatever the fuzzer guessed: such inputs are skipped.
inline bool stays_in_scratch(std::string_view facts) { return facts.find('/') == std::string_view::npos; }

// The profile of facts and its registry text (saved as m.reg). Throws
// ProfileError as the reader does.
inline MachineProfile read_profile(std::string_view facts, std::string_view reg)
{
    put_file(kRegName, reg);
    return parse_machine_profile(facts, "fuzz.machine", scratch_dir());
}

// Keys and values alike, names in their case, in enumeration order, without
// recursion: a deep registry must not overflow the comparison's own stack.
// Written for the key as a pair of maps and for the key with indexed
// subkeys and values alike.
template <typename Key>
bool same_key(const Key& a, const Key& b)
{
    std::vector<std::pair<const Key*, const Key*>> todo{{&a, &b}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if constexpr (requires(const Key& k) { k.subkey_count(); }) {
            if (x->name() != y->name() || x->value_count() != y->value_count() ||
                x->subkey_count() != y->subkey_count())
                return false;
            for (std::size_t i = 0; i < x->value_count(); ++i) {
                const auto& v = x->value_at(i);
                const auto& w = y->value_at(i);
                const auto d = v.data();
                const auto e = w.data();
                if (v.name() != w.name() || v.type() != w.type() || !std::equal(d.begin(), d.end(), e.begin(), e.end()))
                    return false;
            }
            for (std::size_t i = 0; i < x->subkey_count(); ++i) todo.emplace_back(&x->subkey_at(i), &y->subkey_at(i));
        } else {
            if (x->name != y->name || x->values.size() != y->values.size() || x->subkeys.size() != y->subkeys.size())
                return false;
            for (auto i = x->values.begin(), j = y->values.begin(); i != x->values.end(); ++i, ++j)
                if (i->first != j->first || i->second.name != j->second.name || i->second.type != j->second.type ||
                    i->second.data != j->second.data)
                    return false;
            for (auto i = x->subkeys.begin(), j = y->subkeys.begin(); i != x->subkeys.end(); ++i, ++j) {
                if (i->first != j->first) return false;
                todo.emplace_back(&i->second, &j->second);
            }
        }
    }
    return true;
}

inline bool same_tree(const RegistryTree& a, const RegistryTree& b)
{
    for (const Hive h : {Hive::LocalMachine, Hive::CurrentUser, Hive::Users, Hive::CurrentConfig}) {
        const RegKey* x = a.find_hive(h);
        const RegKey* y = b.find_hive(h);
        if (!x || !y) {
            if (x != y) return false;
        } else if (!same_key(*x, *y)) {
            return false;
        }
    }
    return true;
}

}  // namespace prestova::fuzz

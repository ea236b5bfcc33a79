// Loading a machine profile whose registry export has N keys, each with a
// text, a number, a short and a wrapped binary value (the shape of
// `make_big_reg.sh keys N`), as REGEDIT4 and as a UTF-16 5.00 export.
// Time per key stays flat from ten thousand to a million keys; keys/s is the
// items rate. Instructions per key are measured with callgrind on the
// `prestova check` of such a profile (see make_big_reg.sh).
#include "platform/simulated/machine_profile.hpp"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;

enum class Encoding { Regedit4, Utf16 };

std::string key_text(long i)
{
    char buffer[512];
    const int size = std::snprintf(buffer, sizeof buffer,
                                   "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Bench Vendor %05ld\\Product %02ld\\%ld.0]\r\n"
                                   "\"DisplayName\"=\"Bench product %ld, with \\\"quotes\\\" and C:\\\\Path\"\r\n"
                                   "\"Version\"=dword:%08lx\r\n"
                                   "\"Flags\"=hex:01,02,03,04,05,06,07,08\r\n"
                                   "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\r\n"
                                   "  14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\r\n",
                                   i / 100, i % 100, i % 7, i, i);
    return std::string(buffer, static_cast<std::size_t>(size));
}

// The text as regedit writes a 5.00 export: a byte-order mark, then UTF-16LE
// (the text is ASCII).
std::string utf16(const std::string& ascii, bool with_mark)
{
    std::string out = with_mark ? std::string("\xFF\xFE") : std::string();
    for (const char c : ascii) out.append({c, '\0'});
    return out;
}

// Generated profiles, made once per process and removed at its end.
class GeneratedProfiles {
public:
    GeneratedProfiles()
    {
        std::string name = (fs::temp_directory_path() / "prestova-load-profile-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
        folder_ = name;
    }
    ~GeneratedProfiles()
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    GeneratedProfiles(const GeneratedProfiles&) = delete;
    GeneratedProfiles& operator=(const GeneratedProfiles&) = delete;

    const fs::path& machine_file(long keys, Encoding encoding)
    {
        const auto known = made_.find({keys, encoding});
        if (known != made_.end()) return known->second;
        const std::string stem =
            std::string(encoding == Encoding::Utf16 ? "utf16-" : "regedit4-").append(std::to_string(keys));
        std::ofstream reg(folder_ / (stem + ".reg"), std::ios::binary);
        const bool wide = encoding == Encoding::Utf16;
        reg << (wide ? utf16("Windows Registry Editor Version 5.00\r\n", true) : std::string("REGEDIT4\r\n"));
        for (long i = 0; i < keys; ++i) reg << (wide ? utf16(key_text(i), false) : key_text(i));
        if (!reg.flush()) throw std::runtime_error("cannot write " + stem + ".reg");
        const fs::path machine = folder_ / (stem + ".machine");
        std::ofstream(machine) << "[registry]\nfile = " << stem << ".reg\n";
        return made_.emplace(std::make_pair(keys, encoding), machine).first->second;
    }

private:
    fs::path folder_;
    std::map<std::pair<long, Encoding>, fs::path> made_;
};

GeneratedProfiles& profiles()
{
    static GeneratedProfiles generated;
    return generated;
}

void load(benchmark::State& state, Encoding encoding)
{
    const long keys = static_cast<long>(state.range(0));
    const fs::path& machine = profiles().machine_file(keys, encoding);
    for (auto _ : state) {
        auto profile = prestova::load_machine_profile(machine);
        benchmark::DoNotOptimize(profile);
    }
    state.SetItemsProcessed(state.iterations() * keys);
    state.counters["keys/s"] =
        benchmark::Counter(static_cast<double>(keys), benchmark::Counter::kIsIterationInvariantRate);
}

void LoadProfile(benchmark::State& state) { load(state, Encoding::Regedit4); }
BENCHMARK(LoadProfile)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void LoadProfileUtf16(benchmark::State& state) { load(state, Encoding::Utf16); }
BENCHMARK(LoadProfileUtf16)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

#include "apps/prestova/snapshot_command.hpp"

#include "apps/prestova/check_options.hpp"
#include "session/machine_snapshot.hpp"
#include "apps/prestova/option_scanner.hpp"
#include "session/page_params.hpp"
#include "core/input_quote.hpp"
#include "platform/simulated/facts_writer.hpp"
#include "platform/simulated/reg_writer.hpp"

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

namespace prestova {

namespace {

struct SnapshotOptions {
    std::string machine;  // empty: this PC
    std::optional<std::string> output;
};

SnapshotOptions parse_snapshot_options(const std::vector<std::string>& args)
{
    SnapshotOptions o;
    bool have_machine = false;
    OptionScanner options(args);
    while (options.next()) {
        const std::string& flag = options.flag();
        auto value = [&] { return options.value(); };
        if (flag == "--machine") o.machine = value(), have_machine = true;
        else if (flag == "--output") o.output = value();
        else throw UsageError("unknown option " + quote_input(options.given()));
    }
    if (have_machine && o.machine.empty()) throw UsageError("--machine needs a file name");
    if (!have_machine && !this_pc_supported())
        throw UsageError("snapshot needs --machine FILE (only prestova.exe on Windows snapshots this PC)");
    if (o.output && o.output->empty()) throw UsageError("--output needs a name");
    return o;
}

void write_file(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    if (!(file << text) || !file.flush()) throw InputError("cannot write " + path.string());
}

}  // namespace

int run_snapshot_command(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    const SnapshotOptions options = parse_snapshot_options(args);
    auto machine = open_machine(options.machine);
    const std::string base = options.output.value_or(machine->name() + "-snapshot");
    const std::filesystem::path facts = base + ".machine";
    const std::filesystem::path registry = base + ".reg";
    std::error_code error;
    if (!options.machine.empty() && std::filesystem::equivalent(facts, options.machine, error))
        throw UsageError("--output " + base + " would overwrite the machine profile being read");

    const MachineProfile profile = take_snapshot(*machine);
    // Facts the format cannot carry are refused before either file is written.
    const std::string facts_text = write_machine_facts(profile, registry.filename().string(),
                                                       "A snapshot of " + machine->name() + " by prestova snapshot");
    write_file(registry, write_reg_text(profile.registry));
    write_file(facts, facts_text);
    out << "wrote " << facts.string() << " and " << registry.string() << "\n";
    return 0;
}

}  // namespace prestova

#include "apps/prestova/snapshot_command.hpp"

#include "apps/prestova/output_file.hpp"
#include "session/machine_snapshot.hpp"
#include "session/page_params.hpp"
#include "session/usage_error.hpp"
#include "core/input_quote.hpp"
#include "platform/simulated/facts_writer.hpp"
#include "platform/simulated/reg_writer.hpp"

#include <filesystem>
#include <ostream>

namespace prestova {

int run_snapshot_command(const SnapshotOptions& options, std::ostream& out, std::ostream&)
{
    auto machine = open_machine(options.machine);
    const std::string base = options.output.value_or(machine->name() + "-snapshot");
    const std::filesystem::path facts = base + ".machine";
    const std::filesystem::path registry = base + ".reg";
    refuse_to_overwrite(facts, {options.machine}, "--output");
    refuse_to_overwrite(registry, {options.machine}, "--output");
    std::error_code error;
    for (const auto& path : {facts, registry})
        if (!options.force && std::filesystem::exists(path, error))
            throw UsageError(path.string() + " already exists (--force replaces it)");

    const MachineProfile profile = take_snapshot(*machine);
    // Facts the format cannot carry are refused before either file is written.
    const std::string facts_text = write_machine_facts(profile, registry.filename().string(),
                                                       "A snapshot of " + machine->name() + " by prestova snapshot");
    // The registry goes first and the facts that name it last: a snapshot
    // cut short leaves no profile pointing at a partial registry.
    for (const auto& [path, text] :
         {std::pair{registry, write_reg_text(profile.registry)}, std::pair{facts, facts_text}}) {
        OutputFile file(path.string(), out, {options.machine});
        file.stream() << text;
        file.commit();
    }
    out << "wrote " << facts.string() << " and " << registry.string() << "\n";
    return 0;
}

}  // namespace prestova

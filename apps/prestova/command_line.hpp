#pragma once
// The commands and their options, declared once: parsing, each command's
// help and the suggestions for mistyped names all come from the one
// declaration.
#include "apps/prestova/call_options.hpp"
#include "apps/prestova/check_options.hpp"
#include "apps/prestova/report_options.hpp"
#include "apps/prestova/snapshot_options.hpp"

#include <string>
#include <vector>

namespace prestova {

enum class Command { Usage, Version, Help, Check, Call, Snapshot, Report };

struct CommandLine {
    Command command = Command::Usage;
    std::string topic;  // the command whose help is asked for; "" for all
    CheckOptions check;
    CallOptions call;
    SnapshotOptions snapshot;
    ReportOptions report;
};

// A usage mistake in one command ("" before any command was named).
class CommandLineError : public UsageError {
public:
    CommandLineError(std::string command, const std::string& message)
        : UsageError(message), command_(std::move(command))
    {}
    const std::string& command() const { return command_; }

private:
    std::string command_;
};

// args excludes the program name. Throws CommandLineError.
CommandLine parse_command_line(const std::vector<std::string>& args);

// The help of one command, or with "" the commands' list; every line at
// most 80 columns. Throws CommandLineError for a command that does not exist.
std::string command_help(const std::string& command);

// The commands' names, in the order the help lists them.
std::vector<std::string> command_names();

}  // namespace prestova

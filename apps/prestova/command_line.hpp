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

enum class Command { Usage, Version, Help, Check, Call, Snapshot, Report, Generate };

struct CommandLine {
    Command command = Command::Usage;
    std::string topic;  // the command whose help is asked for ("" for all), or what to generate
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

// The declaration as data, for the manual page and the shell completion.
struct OptionDoc {
    std::string name;     // "--machine", or a positional's name
    std::string value;    // "FILE.machine", "text|json|svg|html"; "" for a switch
    std::string meaning;  // lines end in LF
    bool positional = false;
};
struct CommandDoc {
    std::string name, meaning, examples;  // examples: one command line a line
    std::vector<OptionDoc> options;       // -h/--help first
};
std::vector<CommandDoc> command_docs();

}  // namespace prestova

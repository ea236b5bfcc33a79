#include "apps/prestova/cli.hpp"

#include "apps/prestova/call_command.hpp"
#include "apps/prestova/check_command.hpp"
#include "apps/prestova/command_docs.hpp"
#include "apps/prestova/command_line.hpp"
#include "apps/prestova/report_command.hpp"
#include "apps/prestova/snapshot_command.hpp"
#include "control/identifiers.hpp"
#include "core/file_text.hpp"
#include "platform/simulated/profile_error.hpp"
#include "session/page_params.hpp"

#include <algorithm>
#include <cerrno>
#include <ostream>

namespace prestova {

namespace {

int run(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    switch (line.command) {
    case Command::Usage: err << command_help(""); return 2;
    case Command::Version: out << "prestova " << kProductVersion << "\n"; return 0;
    case Command::Help: out << command_help(line.topic); return 0;
    case Command::Check: return run_check_command(line.check, out, err);
    case Command::Call: return run_call_command(line.call, out, err);
    case Command::Snapshot: return run_snapshot_command(line.snapshot, out, err);
    case Command::Report: return run_report_command(line.report, out, err);
    case Command::Generate:
        if (line.topic == "man") out << manual_page(kProductVersion);
        else if (line.topic == "bash-completion") out << bash_completion();
        else throw UsageError("generate man or bash-completion");
        return 0;
    }
    return 2;
}

// Messages name paths and values as they were given; their control
// characters are shown as \xNN, never sent to the terminal.
std::string printable(std::string_view message)
{
    std::string out;
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n') || byte == 0x7F) {
            const char* digits = "0123456789ABCDEF";
            out.append("\\x").append(1, digits[byte >> 4]).append(1, digits[byte & 15]);
        } else {
            out += c;
        }
    }
    return out;
}

void explain_usage(std::ostream& err, const std::string& command, const char* message)
{
    const std::string who = command.empty() ? "prestova" : "prestova " + command;
    const std::string help = command.empty() || command == "help" ? "prestova --help" : who + " --help";
    err << who << ": " << printable(message) << "\n"
        << "try '" << help << "'\n";
}

}  // namespace

int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    // Mistakes found inside a command (a property that does not exist) are
    // the command's too.
    std::string command;
    if (!args.empty()) {
        const auto names = command_names();
        if (std::find(names.begin(), names.end(), args[0]) != names.end()) command = args[0];
    }
    int code = 2;
    try {
        code = run(parse_command_line(args), out, err);
    } catch (const CommandLineError& e) {
        explain_usage(err, e.command(), e.what());
    } catch (const UsageError& e) {
        explain_usage(err, command, e.what());
    } catch (const ProfileError& e) {
        err << "prestova: " << printable(e.what()) << "\n";
    } catch (const InputError& e) {
        err << "prestova: " << printable(e.what()) << "\n";
    }
    // A full disk or a closed file behind standard output is no success.
    errno = 0;
    if (!out.flush()) {
        if (code != 2) err << "prestova: cannot write standard output: " << error_reason(errno) << "\n";
        return 2;
    }
    return code;
}

}  // namespace prestova

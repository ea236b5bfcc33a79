#include "apps/prestova/cli.hpp"

#include "apps/prestova/call_command.hpp"
#include "apps/prestova/check_command.hpp"
#include "session/page_params.hpp"
#include "apps/prestova/report_command.hpp"
#include "apps/prestova/snapshot_command.hpp"
#include "control/identifiers.hpp"
#include "core/input_quote.hpp"
#include "platform/simulated/simulated_machine.hpp"

#include <ostream>

namespace prestova {

const char* const kUsage =
    "usage: prestova --version\n"
    "       prestova check [--machine FILE] [--page FILE.html] [--param NAME=VALUE]... [--init]\n"
    "                      [--runs N] [--click LINK]... [--format text|json|svg|html] [--output FILE]\n"
    "\n"
    "  --machine FILE   the student machine: a .machine facts file (with its .reg registry);\n"
    "                   prestova.exe on Windows checks this PC without it (required elsewhere)\n"
    "  --page FILE      an HTML page whose <object> <param> values load the control\n"
    "  --param N=V      add or override one property bag key (repeatable); V is text, or\n"
    "                   typed: empty: null: i2:5 i4:5 r4:1.5 r8:1.5 cy:1234.5 date:2009-07-04\n"
    "                   str:TEXT bool:true error:5 dec:1.50 ui1:200"
    "  --init           bring the control up fresh instead of from a property bag;\n"
    "                   page and --param values are then written as a script would\n"
    "  --runs N         show the control N times (the panel is not reset between runs)\n"
    "  --click LINK     after the runs, click a download link (acrolink, flashlink, reallink,\n"
    "                   ziplink1, ziplink2, javalink, explorerLink) and show what the shell\n"
    "                   was asked to start (repeatable); on this PC the browser really starts\n"
    "  --format F       text (default), json, svg or html\n"
    "  --output FILE    write the panel there instead of standard output\n"
    "\n"
    "       prestova snapshot [--machine FILE] [--output NAME]\n"
    "\n"
    "  Writes this PC (prestova.exe on Windows) or the profile named as a machine profile:\n"
    "  NAME.machine with its facts and NAME.reg with exactly the registry keys and values the\n"
    "  checks read. Nothing is started. NAME defaults to the machine's name and \"-snapshot\".\n"
    "\n"
    "       prestova call MEMBER [ARG]... [--machine FILE] [--page FILE.html] [--param NAME=VALUE]... [--init]\n"
    "\n"
    "  Calls one member of the control's automation interface and prints the result and\n"
    "  every by-reference argument as text with its type. A property with no ARG is read,\n"
    "  with one ARG written. ARGs are typed like --param values; for DeviceColors, \"hdc\" is the control's own\n"
    "  device context. Exit code 1 when the member raises an error.\n"
    "\n"
    "       prestova report [--page FILE.html]... [--param NAME=VALUE]... MACHINE|FOLDER...\n"
    "                       [--format csv|jsonl|html] [--output FILE] [--jobs N] [--panels DIR] [--strict]\n"
    "\n"
    "  Checks every .machine file named or found in the folders against every page: one line\n"
    "  per machine and page (csv, the default, or jsonl), or an HTML dashboard. --jobs sets the\n"
    "  threads (default: all cores); --panels writes the html's panel pictures there instead\n"
    "  of inside it. Machines that cannot be read become error lines; with --strict they make\n"
    "  the exit code 1.\n";

int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version" || args[0] == "version") {
        out << "prestova " << kProductVersion << "\n";
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        if (args[0] == "check") return run_check_command(parse_check_options(rest), out, err);
        if (args[0] == "call") return run_call_command(rest, out, err);
        if (args[0] == "snapshot") return run_snapshot_command(rest, out, err);
        if (args[0] == "report") return run_report_command(rest, out, err);
        throw UsageError("unknown command " + quote_input(args[0]));
    } catch (const UsageError& e) {
        err << "prestova: " << e.what() << "\n\n" << kUsage;
    } catch (const ProfileError& e) {
        err << "prestova: " << e.what() << "\n";
    } catch (const InputError& e) {
        err << "prestova: " << e.what() << "\n";
    }
    return 2;
}

}  // namespace prestova

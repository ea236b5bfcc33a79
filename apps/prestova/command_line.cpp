#include "apps/prestova/command_line.hpp"

#include "apps/prestova/nearest_name.hpp"
#include "control/identifiers.hpp"
#include "core/input_quote.hpp"
#include "host/download_links.hpp"
#include "session/machine.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>

namespace prestova {

namespace {

constexpr std::string_view kTypedValues = "typed: empty: null: i2:5 i4:5 r4:1.5 r8:1.5\n"
                                          "cy:1234.5 date:2009-07-04 str:TEXT bool:true\n"
                                          "error:5 dec:1.50 ui1:200";

// What CLI11 collects, all as text: the values are checked afterwards so
// that every message about them is this program's own.
struct Given {
    std::string runs, format, jobs;
    std::vector<std::string> params, positionals;
};

// The whole declaration. CLI11 keeps pointers into `line` and `given`.
class Declaration {
public:
    Declaration(CommandLine& line, Given& given)
    {
        app_.set_help_flag("-h,--help", "show this help");
        app_.set_version_flag("--version", std::string(kProductVersion), "print the version");
        app_.require_subcommand(0, 1);
        app_.get_formatter()->column_width(24);
        app_.get_formatter()->label("SUBCOMMAND", "COMMAND");
        app_.footer("Run 'prestova help COMMAND' for a command's options and examples.");
        declare_check(line.check, given);
        declare_call(line.call, given);
        declare_snapshot(line.snapshot);
        declare_report(line.report, given);
        auto* help = command("help", "show the help of a command", "prestova help report");
        help->add_option("command", line.topic, "the command")->type_name("COMMAND");
        command("version", "print the version", "prestova version");
        // Writes the manual page or the completion at build time; not for users.
        CLI::App* generate = app_.add_subcommand("generate")->group("");
        generate->add_option("what", line.topic)->required();
    }

    CLI::App& app() { return app_; }

    // The command that was run, "" before one was named.
    std::string chosen() const
    {
        const auto chosen = app_.get_subcommands();
        return chosen.empty() ? std::string() : chosen.front()->get_name();
    }

private:
    CLI::App* command(const std::string& name, const std::string& meaning, const std::string& examples)
    {
        CLI::App* app = app_.add_subcommand(name, meaning);
        app->group("Commands");
        app->footer("examples:\n  " + examples);
        return app;
    }

    static void machine_option(CLI::App* app, std::string& machine, const std::string& meaning)
    {
        app->add_option("--machine", machine, meaning)->type_name("FILE.machine");
    }

    static void page_options(CLI::App* app, std::optional<std::string>& page, Given& given, bool& init)
    {
        app->add_option("--page", page,
                        "an HTML page whose <object> <param>s load the control;\n- reads it from standard input")
            ->type_name("FILE.html");
        param_option(app, given);
        app->add_flag("--init", init,
                      "bring the control up fresh, not from a property bag;\nthe values are then written as a script "
                      "writes them")
            ->disable_flag_override();
    }

    static void param_option(CLI::App* app, Given& given)
    {
        app->add_option("--param", given.params,
                        std::string("set one property (repeatable); VALUE is text or\n").append(kTypedValues))
            ->type_name("NAME=VALUE")
            ->allow_extra_args(false);
    }

    void declare_check(CheckOptions& o, Given& given)
    {
        CLI::App* app = command("check", "check a machine against a page and show the panel",
                                "prestova check --machine pc.machine --page course.html\n"
                                "  prestova check --machine pc.machine --param MemoryMin=256 --format svg");
        machine_option(app, o.machine,
                       "the machine profile (.machine); prestova.exe on\nWindows checks this PC without it");
        page_options(app, o.page, given, o.init);
        app->add_option("--runs", given.runs, "show the control N times (1 to 1000)")->type_name("N");
        app->add_option("--click", o.clicks,
                        "after the runs, click a download link (repeatable):\nacrolink, flashlink, reallink, ziplink1, "
                        "ziplink2,\njavalink or explorerLink")
            ->type_name("LINK")
            ->allow_extra_args(false);
        app->add_option("--format", given.format, "the panel as text (the default), JSON or a picture")
            ->type_name("text|json|svg|html");
        app->add_option("--output", o.output, "write the panel there; - is standard output")->type_name("FILE");
    }

    void declare_call(CallOptions& o, Given& given)
    {
        CLI::App* app = command("call", "call one member of the control's automation interface",
                                "prestova call CutLangType \"5.1 (en)\" --machine pc.machine\n"
                                "  prestova call MemoryMin --machine pc.machine --page course.html");
        app->add_option("member", given.positionals,
                        "MEMBER and its arguments, typed as --param values;\na property with no ARG is read, with one "
                        "written;\nhdc stands for the control's device context")
            ->type_name("MEMBER [ARG]...");
        machine_option(app, o.machine, "the machine profile (.machine)");
        page_options(app, o.page, given, o.init);
    }

    void declare_snapshot(SnapshotOptions& o)
    {
        CLI::App* app = command("snapshot", "write a machine as a profile of what the checks read",
                                "prestova snapshot --machine pc.machine --output pc-copy");
        machine_option(app, o.machine,
                       "the machine profile to copy; prestova.exe on\nWindows snapshots this PC without it");
        app->add_option("--output", o.output,
                        "write NAME.machine and NAME.reg (default: the\nmachine's name and -snapshot)")
            ->type_name("NAME");
        app->add_flag("--force", o.force, "replace a snapshot of that name")->disable_flag_override();
    }

    void declare_report(ReportOptions& o, Given& given)
    {
        CLI::App* app = command("report", "check many machines against pages: CSV, JSON or HTML",
                                "prestova report --page course.html machines/ --format html\n"
                                "  prestova report --page course.html a.machine b.machine --output r.csv");
        app->add_option("machines", o.machines, ".machine files, and folders searched for them")
            ->type_name("MACHINE|FOLDER");
        app->add_option("--page", o.pages, "a page to check against (repeatable)")
            ->type_name("FILE.html")
            ->allow_extra_args(false);
        param_option(app, given);
        app->add_option("--format", given.format, "CSV (the default), JSON lines or a dashboard")
            ->type_name("csv|jsonl|html");
        app->add_option("--output", o.output, "write the report there; - is standard output")->type_name("FILE");
        app->add_option("--jobs", given.jobs, "threads to check with (1 to 256; default: all cores)")->type_name("N");
        app->add_option("--panels", o.panels, "html: write the panel pictures there, not inside")->type_name("DIR");
        app->add_flag("--strict", o.strict, "exit 1 when a machine cannot be read")->disable_flag_override();
    }

    CLI::App app_{"Prestova checks a student's PC against a course page's requirements.", "prestova"};
};

int whole_number(const std::string& option, const std::string& text, int min, int max)
{
    int n = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || ptr != text.data() + text.size() || n < min || n > max)
        throw UsageError(option + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
                         ", not " + quote_input(text));
    return n;
}

std::vector<std::pair<std::string, std::string>> name_values(const std::vector<std::string>& texts)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& text : texts) {
        const auto eq = text.find('=');
        if (eq == std::string::npos || eq == 0) throw UsageError("--param takes NAME=VALUE, not " + quote_input(text));
        pairs.emplace_back(text.substr(0, eq), text.substr(eq + 1));
    }
    return pairs;
}

OutputFormat check_format(const std::string& name)
{
    if (name.empty() || name == "text") return OutputFormat::Text;
    if (name == "json") return OutputFormat::Json;
    if (name == "svg") return OutputFormat::Svg;
    if (name == "html") return OutputFormat::Html;
    throw UsageError("unknown format " + quote_input(name) + " (use text, json, svg or html)");
}

ReportFormat report_format(const std::string& name)
{
    if (name.empty() || name == "csv") return ReportFormat::Csv;
    if (name == "jsonl") return ReportFormat::Jsonl;
    if (name == "html") return ReportFormat::Html;
    throw UsageError("unknown report format " + quote_input(name) + " (use csv, jsonl or html)");
}

bool given_option(CLI::App& app, const std::string& command, const std::string& option)
{
    return app.get_subcommand(command)->get_option(option)->count() > 0;
}

// Without a profile the machine is this PC, which only Windows has.
void need_machine(CLI::App& app, const std::string& command, const std::string& machine, const std::string& verb)
{
    if (given_option(app, command, "--machine") && machine.empty()) throw UsageError("--machine needs a file name");
    if (!given_option(app, command, "--machine") && !this_pc_supported())
        throw UsageError("--machine FILE is needed (only prestova.exe on Windows " + verb + " this PC)");
}

void finish_check(CLI::App& app, CommandLine& line, const Given& given)
{
    CheckOptions& o = line.check;
    need_machine(app, "check", o.machine, "checks");
    o.params = name_values(given.params);
    if (given_option(app, "check", "--runs")) o.runs = whole_number("--runs", given.runs, 1, 1000);
    o.format = check_format(given.format);
    if (o.output && o.output->empty()) throw UsageError("--output needs a file name");
    for (const auto& name : o.clicks) {
        const auto id = find_control(name);
        if (!id || !address_of(*id))
            throw UsageError(
                "--click: " + quote_input(name) +
                " is not a link (acrolink, flashlink, reallink, ziplink1, ziplink2, javalink, explorerLink)");
    }
}

void finish_call(CLI::App& app, CommandLine& line, const Given& given)
{
    CallOptions& o = line.call;
    if (given.positionals.empty()) throw UsageError("a MEMBER name is needed");
    o.member = given.positionals.front();
    o.arguments.assign(given.positionals.begin() + 1, given.positionals.end());
    need_machine(app, "call", o.machine, "calls the control on");
    o.params = name_values(given.params);
}

void finish_snapshot(CLI::App& app, CommandLine& line)
{
    SnapshotOptions& o = line.snapshot;
    need_machine(app, "snapshot", o.machine, "snapshots");
    if (o.output && o.output->empty()) throw UsageError("--output needs a name");
    // NAME.machine names the snapshot NAME, not NAME.machine.machine.
    if (o.output && o.output->size() > 8 && o.output->ends_with(".machine")) o.output->resize(o.output->size() - 8);
}

void finish_report(CLI::App& app, CommandLine& line, const Given& given)
{
    ReportOptions& o = line.report;
    o.params = name_values(given.params);
    o.format = report_format(given.format);
    if (given_option(app, "report", "--jobs"))
        o.jobs = static_cast<unsigned>(whole_number("--jobs", given.jobs, 1, 256));
    for (const auto& m : o.machines)
        if (m.empty()) throw UsageError("an empty machine path");
    if (o.machines.empty()) throw UsageError("at least one machine file or folder is needed");
    if (o.panels && o.format != ReportFormat::Html) throw UsageError("--panels goes with --format html");
    if (o.output && o.output->empty()) throw UsageError("--output needs a file name");
}

// CLI11's complaints in this program's words, with the nearest name for a
// mistyped option or command.
std::string explain(const CLI::ParseError& e, CLI::App& app, const std::string& command)
{
    const std::string what = e.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
        CLI::App* in = command.empty() ? &app : app.get_subcommand(command);
        std::vector<std::string> extras = in->remaining();
        if (extras.empty()) extras = app.remaining();
        std::string first = extras.empty() ? std::string() : extras.front();
        for (const auto& extra : extras)
            if (extra.starts_with("-")) {
                first = extra;
                break;
            }
        const std::string name = first.substr(0, first.find('='));
        if (command.empty() && !first.starts_with("-"))
            return "unknown command " + quote_input(first) + did_you_mean(first, command_names());
        if (!first.starts_with("-")) return "unexpected argument " + quote_input(first);
        std::vector<std::string> options;
        for (const CLI::Option* option : in->get_options()) options.push_back(option->get_name());
        // Only after "--" is a real option left over.
        if (std::find(options.begin(), options.end(), name) != options.end())
            return "unexpected argument " + quote_input(first) + " after '--'";
        return "unknown option " + quote_input(first) + did_you_mean(name, options);
    }
    // "--machine: 1 required FILE missing" and the like name the option first.
    const std::string option = what.substr(0, what.find(':'));
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
        if (what.find("disallowed flag override") != std::string::npos)  // "init was given a ..."
            return "--" + what.substr(0, what.find(' ')) + " takes no value";
        if (what.find("missing") != std::string::npos) return option + " needs a value";
        if (what.find("At Most") != std::string::npos) return option + " is given more than once";
    }
    return what;
}

}  // namespace

std::vector<std::string> command_names() { return {"check", "call", "snapshot", "report", "help", "version"}; }

std::vector<CommandDoc> command_docs()
{
    CommandLine line;
    Given given;
    Declaration declaration(line, given);
    std::vector<CommandDoc> docs;
    for (const CLI::App* app : declaration.app().get_subcommands({})) {
        if (app->get_group().empty()) continue;
        std::string examples = app->get_footer();
        examples.erase(0, examples.find('\n') + 1);  // after "examples:"
        CommandDoc doc{app->get_name(), app->get_description(), examples, {}};
        for (const CLI::Option* option : app->get_options())
            doc.options.push_back(
                {option->get_name(), option->get_type_name(), option->get_description(), option->get_positional()});
        docs.push_back(std::move(doc));
    }
    return docs;
}

CommandLine parse_command_line(const std::vector<std::string>& args)
{
    CommandLine line;
    Given given;
    Declaration declaration(line, given);
    CLI::App& app = declaration.app();
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes the arguments last first
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        line.command = Command::Help;
        line.topic = declaration.chosen() == "help" ? line.topic : declaration.chosen();
        return line;
    } catch (const CLI::CallForVersion&) {
        line.command = Command::Version;
        return line;
    } catch (const CLI::ParseError& e) {
        throw CommandLineError(declaration.chosen(), explain(e, app, declaration.chosen()));
    }
    const std::string command = declaration.chosen();
    try {
        if (command.empty()) line.command = Command::Usage;
        else if (command == "check") line.command = Command::Check, finish_check(app, line, given);
        else if (command == "call") line.command = Command::Call, finish_call(app, line, given);
        else if (command == "snapshot") line.command = Command::Snapshot, finish_snapshot(app, line);
        else if (command == "report") line.command = Command::Report, finish_report(app, line, given);
        else if (command == "help") line.command = Command::Help, command_help(line.topic);
        else if (command == "generate") line.command = Command::Generate;
        else line.command = Command::Version;
    } catch (const CommandLineError&) {
        throw;
    } catch (const UsageError& e) {
        throw CommandLineError(command, e.what());
    }
    return line;
}

std::string command_help(const std::string& command)
{
    CommandLine line;
    Given given;
    Declaration declaration(line, given);
    CLI::App& app = declaration.app();
    if (command.empty()) return app.help();
    for (CLI::App* sub : app.get_subcommands({}))
        if (sub->get_name() == command) return sub->help("prestova");
    throw CommandLineError("help", "unknown command " + quote_input(command) + did_you_mean(command, command_names()));
}

}  // namespace prestova

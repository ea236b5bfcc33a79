#include "apps/prestova/command_docs.hpp"

#include "apps/prestova/command_line.hpp"
#include "design/panel_design.hpp"
#include "host/download_links.hpp"

namespace prestova {

namespace {

// Text as man(7) shows it: backslashes and hyphens escaped, line breaks
// joined, no line starting with a control character.
std::string roff(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else if (c == '\n') out += ' ';
        else out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

std::vector<std::string> lines_of(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        while (line.starts_with(' ')) line.remove_prefix(1);
        if (!line.empty()) lines.emplace_back(line);
        at = end + 1;
    }
    return lines;
}

std::string join(const std::vector<std::string>& words)
{
    std::string out;
    for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

std::vector<std::string> link_names()
{
    std::vector<std::string> names;
    for (const ControlDesign& c : panel_design())
        if (address_of(c.id)) names.emplace_back(c.name);
    return names;
}

// The completion of an option's value, by what the value is.
std::string value_completion(const std::string& value)
{
    if (value.find('|') != std::string::npos) {
        std::string words = value;
        for (char& c : words)
            if (c == '|') c = ' ';
        return "COMPREPLY=($(compgen -W \"" + words + "\" -- \"$cur\"))";
    }
    if (value == "FILE.machine") return "_prestova_files .machine";
    if (value == "FILE.html") return "_prestova_files .html";
    if (value == "FILE" || value == "NAME") return "_prestova_files ''";
    if (value == "DIR") return "COMPREPLY=($(compgen -d -- \"$cur\"))";
    if (value == "LINK") return "COMPREPLY=($(compgen -W \"" + join(link_names()) + "\" -- \"$cur\"))";
    return "COMPREPLY=()";  // a number or NAME=VALUE: nothing to offer
}

}  // namespace

std::string manual_page(std::string_view version)
{
    std::string page = ".TH PRESTOVA 1 \"\" \"Prestova " + std::string(version) +
                       "\" \"User Commands\"\n"
                       ".SH NAME\n"
                       "prestova \\- check a student's PC against a course page's requirements\n"
                       ".SH SYNOPSIS\n"
                       ".B prestova\n"
                       ".I COMMAND\n"
                       ".RI [ OPTIONS ]\n"
                       ".SH DESCRIPTION\n"
                       "Prestova runs the requirements checker a course page embeds on a student's PC "
                       "and shows its results panel. The command line runs it on a machine profile (a\n"
                       ".I .machine\n"
                       "facts file with its\n"
                       ".I .reg\n"
                       "registry export) or, as prestova.exe on Windows, on the PC itself, and checks "
                       "whole fleets of profiles at once.\n"
                       ".SH COMMANDS\n";
    for (const CommandDoc& command : command_docs()) {
        page += ".SS \"prestova " + command.name + "\"\n" + roff(command.meaning) + ".\n";
        for (const OptionDoc& option : command.options) {
            page += ".TP\n";
            if (option.positional) page += ".I " + roff(option.value) + "\n";
            else if (option.value.empty()) page += ".B " + roff(option.name) + "\n";
            else page += ".BI \"" + roff(option.name) + " \" " + roff(option.value) + "\n";
            page += roff(option.meaning) + "\n";
        }
        page += ".PP\nExamples:\n.RS\n.nf\n";
        for (const auto& example : lines_of(command.examples)) page += roff(example) + "\n";
        page += ".fi\n.RE\n";
    }
    page += ".SH EXIT STATUS\n"
            ".TP\n.B 0\nThe command did its work; a check run that stopped early is reported, not failed.\n"
            ".TP\n.B 1\n.B call:\nthe member raised an error;\n.B report \\-\\-strict:\na machine could not be "
            "read.\n"
            ".TP\n.B 2\nA usage mistake, input that cannot be read, or output that cannot be written.\n"
            ".SH FILES\n"
            ".TP\n.I NAME.machine\nA machine profile: the facts of one PC in sections of KEY = VALUE lines.\n"
            ".TP\n.I NAME.reg\nThe registry keys the checks read, as Windows' registry editor exports them.\n"
            ".TP\n.I page.html\nA course page; its <object> element's <param>s load the control.\n"
            ".SH EXAMPLES\n"
            ".nf\n"
            "prestova check \\-\\-machine pc.machine \\-\\-page course.html\n"
            "prestova report \\-\\-page course.html machines/ \\-\\-format html \\-\\-output fleet.html\n"
            "prestova.exe snapshot \\-\\-output student\\-pc\n"
            ".fi\n"
            ".SH SEE ALSO\n"
            "The README in /usr/share/doc/prestova.\n";
    return page;
}

std::string bash_completion()
{
    std::string commands, values, options, arguments;
    for (const CommandDoc& command : command_docs()) {
        commands += (commands.empty() ? "" : " ") + command.name;
        std::vector<std::string> names;
        for (const OptionDoc& option : command.options) {
            if (option.positional) {
                const std::string complete = command.name == "help"
                                                 ? "COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))"
                                             : option.value == "MACHINE|FOLDER" ? "_prestova_files .machine"
                                                                                : "COMPREPLY=()";
                arguments += "    " + command.name + ") " + complete + " ;;\n";
                continue;
            }
            names.push_back(option.name);
            if (!option.value.empty())
                values +=
                    "    " + command.name + ":" + option.name + ") " + value_completion(option.value) + "; return ;;\n";
        }
        options += "    " + command.name + ") words=\"" + join(names) + "\" ;;\n";
    }
    return "# bash completion for prestova, written by `prestova generate bash-completion`\n"
           "_prestova_files() {  # EXTENSION: folders, and files ending in it\n"
           "  local IFS=$'\\n'\n"
           "  COMPREPLY=($(compgen -d -- \"$cur\") $(compgen -f -X \"!*$1\" -- \"$cur\"))\n"
           "}\n"
           "_prestova() {\n"
           "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command=${COMP_WORDS[1]}\n"
           "  local commands=\"" +
           commands +
           "\" words=\"\"\n"
           "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
           "    COMPREPLY=($(compgen -W \"$commands --help --version\" -- \"$cur\"))\n"
           "    return\n"
           "  fi\n"
           "  case \"$command:$prev\" in\n" +
           values +
           "  esac\n"
           "  case \"$command\" in\n" +
           options +
           "  esac\n"
           "  if [[ $cur == -* ]]; then\n"
           "    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
           "    return\n"
           "  fi\n"
           "  case \"$command\" in\n" +
           arguments +
           "  esac\n"
           "}\n"
           "complete -o filenames -F _prestova prestova prestova.exe\n";
}

}  // namespace prestova

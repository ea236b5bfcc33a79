#include "apps/prestova/check_options.hpp"

#include "session/machine.hpp"
#include "apps/prestova/option_scanner.hpp"
#include "core/input_quote.hpp"
#include "host/download_links.hpp"

namespace prestova {

namespace {

OutputFormat parse_format(const std::string& name)
{
    if (name == "text") return OutputFormat::Text;
    if (name == "json") return OutputFormat::Json;
    if (name == "svg") return OutputFormat::Svg;
    if (name == "html") return OutputFormat::Html;
    throw UsageError("unknown format " + quote_input(name) + " (use text, json, svg or html)");
}

}  // namespace

CheckOptions parse_check_options(const std::vector<std::string>& args)
{
    CheckOptions o;
    bool have_machine = false;
    OptionScanner options(args);
    while (options.next()) {
        const std::string& flag = options.flag();
        auto value = [&] { return options.value(); };
        if (flag == "--machine") {
            o.machine = value();
            have_machine = true;
        } else if (flag == "--page") o.page = value();
        else if (flag == "--param") o.params.push_back(options.name_value());
        else if (flag == "--init" && !options.has_inline_value()) o.init = true;
        else if (flag == "--runs") o.runs = options.whole_value(1, 1000);
        else if (flag == "--format") o.format = parse_format(value());
        else if (flag == "--output") o.output = value();
        else if (flag == "--click") o.clicks.push_back(value());
        else throw UsageError("unknown option " + quote_input(options.given()));
    }
    // Without a profile the machine is this PC, which only Windows has.
    if (have_machine && o.machine.empty()) throw UsageError("--machine needs a file name");
    if (!have_machine && !this_pc_supported())
        throw UsageError("check needs --machine FILE (only prestova.exe on Windows checks this PC)");
    for (const auto& name : o.clicks) {
        const auto id = find_control(name);
        if (!id || !address_of(*id))
            throw UsageError(
                "--click: " + quote_input(name) +
                " is not a link (acrolink, flashlink, reallink, ziplink1, ziplink2, javalink, explorerLink)");
    }
    return o;
}

}  // namespace prestova

#include "apps/prestova/report_options.hpp"

#include "apps/prestova/option_scanner.hpp"
#include "core/input_quote.hpp"

namespace prestova {

namespace {

ReportFormat parse_report_format(const std::string& name)
{
    if (name == "csv") return ReportFormat::Csv;
    if (name == "jsonl") return ReportFormat::Jsonl;
    if (name == "html") return ReportFormat::Html;
    throw UsageError("unknown report format " + quote_input(name) + " (use csv, jsonl or html)");
}

}  // namespace

ReportOptions parse_report_options(const std::vector<std::string>& args)
{
    ReportOptions o;
    OptionScanner options(args);
    while (options.next()) {
        const std::string& flag = options.flag();
        auto value = [&] { return options.value(); };
        if (flag.rfind("--", 0) != 0) {
            if (flag.empty()) throw UsageError("an empty machine path");
            o.machines.push_back(flag);
        } else if (flag == "--page") o.pages.push_back(value());
        else if (flag == "--param") o.params.push_back(options.name_value());
        else if (flag == "--format") o.format = parse_report_format(value());
        else if (flag == "--output") o.output = value();
        else if (flag == "--jobs") o.jobs = static_cast<unsigned>(options.whole_value(1, 256));
        else if (flag == "--panels") o.panels = value();
        else if (flag == "--strict" && !options.has_inline_value()) o.strict = true;
        else throw UsageError("unknown option " + quote_input(options.given()));
    }
    if (o.machines.empty()) throw UsageError("report needs at least one machine file or folder");
    if (o.panels && o.format != ReportFormat::Html) throw UsageError("--panels goes with --format html");
    return o;
}

}  // namespace prestova

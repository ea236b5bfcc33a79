#pragma once
// The options of `prestova report`, parsed from the command line.
#include "apps/prestova/check_options.hpp"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

enum class ReportFormat { Csv, Jsonl, Html };

struct ReportOptions {
    std::vector<std::string> pages;                           // none: the bag's defaults
    std::vector<std::pair<std::string, std::string>> params;  // NAME=VALUE for every page
    std::vector<std::string> machines;                        // .machine files and folders
    ReportFormat format = ReportFormat::Csv;
    std::optional<std::string> output;
    unsigned jobs = 0;                  // 0: one per core
    std::optional<std::string> panels;  // html: panel pictures as files there
    bool strict = false;                // exit 1 when a machine could not be read
};

}  // namespace prestova

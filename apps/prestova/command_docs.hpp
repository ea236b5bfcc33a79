#pragma once
// The manual page and the bash completion, written from the commands'
// declaration so that neither can fall behind the options.
#include <string>
#include <string_view>

namespace prestova {

// prestova.1, one section per command, in man(7) markup.
std::string manual_page(std::string_view version);

// A bash completion script: commands, options, --format values, link names
// and files by extension.
std::string bash_completion();

}  // namespace prestova

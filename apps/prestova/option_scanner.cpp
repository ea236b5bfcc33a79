#include "apps/prestova/option_scanner.hpp"

#include "core/input_quote.hpp"

#include <charconv>

namespace prestova {

bool OptionScanner::next()
{
    if (started_) ++index_;
    started_ = true;
    if (index_ >= args_.size()) return false;
    flag_ = args_[index_];
    inline_value_.reset();
    if (const auto eq = flag_.find('='); flag_.rfind("--", 0) == 0 && eq != std::string::npos) {
        inline_value_ = flag_.substr(eq + 1);
        flag_ = flag_.substr(0, eq);
    }
    return true;
}

std::string OptionScanner::value()
{
    if (inline_value_) return *inline_value_;
    if (index_ + 1 >= args_.size()) throw UsageError(flag_ + " needs a value");
    return args_[++index_];
}

int OptionScanner::whole_value(int min, int max)
{
    const std::string text = value();
    int n = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || ptr != text.data() + text.size() || n < min || n > max)
        throw UsageError(flag_ + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
                         ", not " + quote_input(text));
    return n;
}

std::pair<std::string, std::string> OptionScanner::name_value()
{
    const std::string text = value();
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError(flag_ + " takes NAME=VALUE, not " + quote_input(text));
    return {text.substr(0, eq), text.substr(eq + 1)};
}

}  // namespace prestova

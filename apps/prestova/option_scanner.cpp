#include "apps/prestova/option_scanner.hpp"

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

} // namespace prestova

// The report's progress bar: drawn only on a terminal with something to
// count, then with the count, and cleared at the end so the summary line
// starts clean.
#include "apps/prestova/progress_bar.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace prestova;

namespace {

TEST(ProgressBar, ShowsDoneOutOfTotalOnATerminalAndClearsItsLine)
{
    for (const auto& [total, terminal] : {std::pair<std::size_t, bool>{10, false}, {0, true}}) {
        std::ostringstream err;
        ProgressBar bar(err, total, terminal);
        bar.update(total / 2);
        bar.update(total);
        bar.finish();
        EXPECT_EQ(err.str(), "") << total;
    }
    std::ostringstream err;
    ProgressBar bar(err, 4, true);
    bar.update(1);
    bar.update(4);  // the last one is always drawn
    const std::string shown = err.str();
    EXPECT_EQ(shown.rfind("\r[", 0), 0u);
    EXPECT_NE(shown.find("] 1/4 machines"), std::string::npos) << shown;
    EXPECT_NE(shown.find("[##############################] 4/4 machines"), std::string::npos) << shown;
    bar.finish();
    EXPECT_EQ(err.str().substr(shown.size()), "\r\x1b[K");
}

}  // namespace

// The report's progress bar: drawn only when asked (a terminal), and then
// with the count, and cleared at the end so the summary line starts clean.
#include "apps/prestova/progress_bar.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace prestova;

namespace {

TEST(ProgressBar, SilentWhenStandardErrorIsNotATerminal)
{
    std::ostringstream err;
    ProgressBar bar(err, 10, false);
    bar.update(5);
    bar.update(10);
    bar.finish();
    EXPECT_EQ(err.str(), "");
}

TEST(ProgressBar, ShowsDoneOutOfTotalAndClearsItsLine)
{
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

TEST(ProgressBar, NothingToShowForAnEmptyReport)
{
    std::ostringstream err;
    ProgressBar bar(err, 0, true);
    bar.update(0);
    bar.finish();
    EXPECT_EQ(err.str(), "");
}

}  // namespace

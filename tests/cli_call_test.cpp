// `prestova call` and `prestova check --click` on the bundled machines.
#include "cli_support.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace prestova;

namespace {

using prestova::testing::cli;
using prestova::testing::kSource;
using Result = prestova::testing::CliResult;

const std::string kXp = kSource + "/profiles/xp-laptop-2005.machine";
const std::string kWin98 = kSource + "/profiles/win98-desktop.machine";
const std::string kPage = kSource + "/pages/sample.html";

struct CallCase {
    std::vector<std::string> args;  // after "call"; the machine is added
    int code;
    std::string out;
};

class Call : public ::testing::TestWithParam<CallCase> {};

TEST_P(Call, InvokesOneMemberThroughTheMemberTable)
{
    std::vector<std::string> args = {"call"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    args.insert(args.end(), {"--machine", kXp, "--page", kPage});
    const Result r = cli(args);
    EXPECT_EQ(r.code, GetParam().code) << r.err;
    if (GetParam().code == 2) EXPECT_NE(r.err.find(GetParam().out), std::string::npos) << r.err;
    else if (GetParam().code == 1) EXPECT_NE(r.err.find(GetParam().out), std::string::npos) << r.err;
    else EXPECT_EQ(r.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Members, Call,
    ::testing::Values(CallCase{{"getVersion"}, 0, "9 (Long)\n"},
                      CallCase{{"DeviceColors", "hdc"}, 0, "4294967296 (Single)\nhDC = 6699 (Long)\n"},
                      CallCase{{"DeviceColors", "0"}, 0, "1 (Single)\nhDC = 0 (Long)\n"},
                      CallCase{{"GetDiskSpace", "C:"}, 0, "4e+10 (Double)\nsDrive = C: (String)\n"},
                      CallCase{{"GetDiskSpace", "D:"}, 0, "0 (Double)\nsDrive = D: (String)\n"},
                      CallCase{{"CutLangType", "4.79 (en)"}, 0, "4.79 (String)\nNumber = 4.79 (String)\n"},
                      CallCase{{"CutLangType", ""}, 0, " (Empty)\nNumber =  (String)\n"},
                      CallCase{{"CutDecimal", "6.0.2800.1106", "1"},
                               0,
                               "6.0 (String)\nNumber = 6.0.2800.1106 (String)\nByPlace = 1 (Byte)\n"},
                      CallCase{{"MemoryRec"}, 0, "256 (String)\n"},
                      CallCase{{"reccolordepth"}, 0, "16777216 (String)\n"},
                      CallCase{{"MemoryRec", "512"}, 0, "MemoryRec = 512 (String)\n"},
                      CallCase{{"CutLangType", "(en)"}, 1, "raised error 5"},
                      CallCase{{"CutLangType", "null:"}, 1, "raised error 94: Invalid use of Null"},
                      CallCase{{"CutDecimal", "1.5", "255"}, 1, "ByPlace = 255 (Byte)"},
                      CallCase{{"CutDecimal", "1.5", "255"}, 1, "raised error 6"},
                      CallCase{{"CutDecimal", "1.5", "256"}, 2, "argument 2"},
                      CallCase{{"DeviceColors", "screen"}, 2, "argument 1"},
                      CallCase{{"CutDecimal", "1.5"}, 2, "takes 2 arguments, not 1"},
                      CallCase{{"getVersion", "x"}, 2, "takes 0 arguments"},
                      CallCase{{"Frobnicate"}, 2, "'Frobnicate' is not a member"},
                      CallCase{{"MemoryRec", "1", "2"}, 2, "takes 1 argument, not 2"}));

// Every type a script can store goes in and comes back as written.
INSTANTIATE_TEST_SUITE_P(
    TypedValues, Call,
    ::testing::Values(CallCase{{"IEVersion", "empty:"}, 0, "IEVersion =  (Empty)\n"},
                      CallCase{{"IEVersion", "null:"}, 0, "IEVersion = Null (Null)\n"},
                      CallCase{{"IEVersion", "i2:-5"}, 0, "IEVersion = -5 (Integer)\n"},
                      CallCase{{"IEVersion", "i4:70000"}, 0, "IEVersion = 70000 (Long)\n"},
                      CallCase{{"IEVersion", "r4:0.1"}, 0, "IEVersion = 0.1 (Single)\n"},
                      CallCase{
                          {"IEVersion", "r8:0.30000000000000004"}, 0, "IEVersion = 0.30000000000000004 (Double)\n"},
                      CallCase{{"IEVersion", "cy:1234.5"}, 0, "IEVersion = 1234.5 (Currency)\n"},
                      CallCase{{"IEVersion", "date:2009-07-04"}, 0, "IEVersion = 7/4/2009 (Date)\n"},
                      CallCase{{"IEVersion", "date:40000.5"}, 0, "IEVersion = 7/6/2009 12:00:00 PM (Date)\n"},
                      CallCase{{"IEVersion", "str:null:"}, 0, "IEVersion = null: (String)\n"},
                      CallCase{{"IEVersion", "http://example.com/"}, 0, "IEVersion = http://example.com/ (String)\n"},
                      CallCase{{"IEVersion", "bool:false"}, 0, "IEVersion = False (Boolean)\n"},
                      CallCase{{"IEVersion", "error:-2147352572"}, 0, "IEVersion = Error -2147352572 (Error)\n"},
                      CallCase{{"IEVersion", "dec:-1.50"}, 0, "IEVersion = -1.5 (Decimal)\n"},
                      CallCase{{"IEVersion", "ui1:200"}, 0, "IEVersion = 200 (Byte)\n"},
                      CallCase{{"IEVersion", "i2:40000"}, 2, "i2: takes a whole number from -32768 to 32767"},
                      CallCase{{"IEVersion", "date:2009-02-29"}, 2, "date: takes"},
                      CallCase{{"IEVersion", "cy:1.23456"}, 2, "cy: takes an amount with at most four decimals"}));

// An argument that does not convert is reported in one line, without the usage.
TEST(Call, AConversionErrorIsOneLine)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"CutDecimal", "1.5", "256"}, {"DeviceColors", "\x1b[2Jscreen"}, {"MemoryRec", "ui1:256"}}) {
        std::vector<std::string> call = {"call"};
        call.insert(call.end(), args.begin(), args.end());
        call.insert(call.end(), {"--machine", kXp});
        const Result r = cli(call);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.find("usage"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    }
    EXPECT_EQ(cli({"call", "CutDecimal", "1.5", "256", "--machine", kXp}).err,
              "prestova: CutDecimal: argument 2: Overflow: 256 does not fit\n");
    EXPECT_EQ(cli({"call", "DeviceColors", "caf\xC3\xA9", "--machine", kXp}).err,
              "prestova: DeviceColors: argument 1: Type mismatch: 'caf\xC3\xA9' is not a number\n");
}

TEST(Call, TheVersionFollowsTheMachine)
{
    const Result r = cli({"call", "getVersion", "--machine", kWin98});
    EXPECT_EQ(r.out, "4 (Long)\n");
    EXPECT_EQ(cli({"call", "--machine", kXp}).code, 2);
    EXPECT_EQ(cli({"call", "getVersion", "--machine", kXp, "--format", "json"}).code, 2);
}

TEST(Click, ReportsWhatTheShellWasAskedToStart)
{
    const Result r = cli(
        {"check", "--machine", kXp, "--page", kPage, "--click", "javalink", "--click", "ziplink1", "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"link\": \"javalink\""), std::string::npos) << r.out.substr(r.out.size() - 600);
    EXPECT_NE(r.out.find("\"parameters\": \"http://www.java.com/en/download/\""), std::string::npos);
    EXPECT_NE(r.out.find("\"file\": \"C:\\\\Program Files\\\\Internet Explorer\\\\iexplore.exe\""), std::string::npos);
    EXPECT_NE(r.out.find("\"parameters\": \"http://downloads.marvanta.example/justzipit.exe\""), std::string::npos);
    EXPECT_NE(r.out.find("\"result\": 42"), std::string::npos);
}

TEST(Click, AnUnsafeAddressIsNotOpened)
{
    const Result r =
        cli({"check", "--machine", kXp, "--page", kPage, "--param", "JavaURL=-kiosk", "--click", "javalink"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("javalink (address refused, nothing opened)"), std::string::npos);
    const Result json = cli({"check", "--machine", kXp, "--page", kPage, "--param", "JavaURL=-kiosk", "--click",
                             "javalink", "--format", "json"});
    EXPECT_NE(json.out.find("{\"link\": \"javalink\", \"file\": \"\", \"parameters\": \"\", \"result\": 2, "
                            "\"refused\": \"address refused, nothing opened\"}"),
              std::string::npos)
        << json.out;
}

TEST(Click, OnlyLinksCanBeClicked)
{
    const Result r = cli({"check", "--machine", kXp, "--click", "Label28"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("'Label28' is not a link"), std::string::npos);
}

}  // namespace

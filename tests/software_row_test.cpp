// The software row end to end: plug-ins, zip application, Java and the
// row's verdict, from a machine's registry and creatable objects.
#include "control_support.hpp"
#include "software_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
namespace sw = prestova::testing::software;
using enum ControlId;

namespace {

constexpr const char* kAllFlash = "ShockwaveFlash.ShockwaveFlash.1, ShockwaveFlash.ShockwaveFlash.7";

struct Software {
    std::string registry;
    std::string creatable = kAllFlash;
    Params page;
};

TestControl* make(const Software& s)
{
    MachineFacts facts;
    facts.registry = s.registry;
    MachineProfile profile =
        machine_profile(facts.machine_text() + "[objects]\ncreatable = " + s.creatable + "\n", facts.reg_text());
    auto* t = new TestControl(std::move(profile));
    t->load(with(full_page(), s.page));
    return t;
}

std::string everything() { return sw::acrobat() + sw::flash() + sw::real("6.0.12.1040") + sw::zip() + sw::java("1.6"); }

std::vector<std::string> lines(const std::string& caption)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= caption.size(); ++i)
        if (i == caption.size() || caption[i] == '\r') {
            out.push_back(caption.substr(start, i - start));
            start = i + 1;
        }
    return out;
}

TEST(SoftwareRow, AMachineWithEverythingListsFiveProductsAndIsGood)
{
    std::unique_ptr<TestControl> t(make({everything(), kAllFlash, {{"JavaVersion", "1.6"}}}));
    const RunReport report = t->control.show();
    ASSERT_FALSE(report.stopped);
    EXPECT_EQ(t->caption(Label28),
              "Adobe Acrobat Reader is installed.\rMacromedia Flash Player version 7 is installed.\r"
              "RealPlayer installed.\r 'WinZip' zip application is installed.\r"
              "Java Runtime Environment 1.6 detected.");
    EXPECT_TRUE(t->visible(softgood));
    EXPECT_FALSE(t->visible(softok));
    EXPECT_EQ(t->caption(Label30), "All required software is installed on your system.");
    for (ControlId link : {acrolink, flashlink, reallink, ziplink1, ziplink2, javalink}) EXPECT_FALSE(t->visible(link));
}

struct ProductCase {
    std::string registry;
    std::string creatable;
    Params page;
    std::size_t line;  // which line of Label28
    std::string text;
    std::vector<ControlId> links;
};

class SoftwareProducts : public ::testing::TestWithParam<ProductCase> {};

TEST_P(SoftwareProducts, AMissingOrOldProductShowsItsLineAndLink)
{
    const auto& c = GetParam();
    std::unique_ptr<TestControl> t(make({c.registry, c.creatable, with({{"JavaVersion", "1.6"}}, c.page)}));
    ASSERT_FALSE(t->control.show().stopped);
    const auto list = lines(t->caption(Label28));
    ASSERT_EQ(list.size(), 5u) << t->caption(Label28);
    EXPECT_EQ(list[c.line], c.text);
    const bool missing = !c.links.empty();
    for (ControlId link : {acrolink, flashlink, reallink, ziplink1, ziplink2, javalink}) {
        const bool expected = std::find(c.links.begin(), c.links.end(), link) != c.links.end();
        EXPECT_EQ(t->visible(link), expected) << design(link).name;
    }
    EXPECT_EQ(t->visible(softok), missing);
    EXPECT_EQ(t->visible(softgood), !missing);
    EXPECT_EQ(t->caption(Label30), missing ? "Some required software was undetected on your system. Please click the "
                                             "links on the right to download the software."
                                           : "All required software is installed on your system.");
}

const std::string kNoAcrobat = sw::flash() + sw::real("6.0.12.1040") + sw::zip() + sw::java("1.6");
const std::string kNoFlash = sw::acrobat() + sw::real("6.0.12.1040") + sw::zip() + sw::java("1.6");
std::string with_real(const char* v) { return sw::acrobat() + sw::flash() + sw::real(v) + sw::zip() + sw::java("1.6"); }
std::string with_java(const char* v)
{
    return sw::acrobat() + sw::flash() + sw::real("6.0.12.1040") + sw::zip() + sw::java(v);
}
std::string with_zip(const std::string& zip)
{
    return sw::acrobat() + sw::flash() + sw::real("6.0.12.1040") + zip + sw::java("1.6");
}
const std::string kNoJava = sw::acrobat() + sw::flash() + sw::real("6.0.12.1040") + sw::zip();

INSTANTIATE_TEST_SUITE_P(
    Products, SoftwareProducts,
    ::testing::Values(
        ProductCase{kNoAcrobat, kAllFlash, {}, 0, "Adobe Acrobat Reader is not installed.", {acrolink}},
        ProductCase{sw::acrobat("AcroExch.Document", false) + kNoAcrobat,
                    kAllFlash,
                    {},
                    0,
                    "Adobe Acrobat Reader is not installed.",
                    {acrolink}},
        ProductCase{sw::acrobat("AcroExch.Document.7") + kNoAcrobat,
                    kAllFlash,
                    {},
                    0,
                    "Adobe Acrobat Reader is not installed.",
                    {acrolink}},
        ProductCase{kNoFlash, kAllFlash, {}, 1, "Macromedia Flash is not installed.", {flashlink}},
        ProductCase{everything(),
                    "ShockwaveFlash.ShockwaveFlash.6",
                    {},
                    1,
                    "Macromedia Flash needs upgrade to version 7.",
                    {flashlink}},
        ProductCase{everything(),
                    "ShockwaveFlash.ShockwaveFlash.7, ShockwaveFlash.ShockwaveFlash.9",
                    {},
                    1,
                    "Macromedia Flash Player version 9 is installed.",
                    {}},
        ProductCase{everything(), "", {}, 1, "Macromedia Flash needs upgrade to version 7.", {flashlink}},
        ProductCase{with_real("6.0"), kAllFlash, {}, 2, "RealPlayer not installed or need update.", {reallink}},
        ProductCase{with_real("10.0.0.305"), kAllFlash, {}, 2, "RealPlayer installed.", {}},
        ProductCase{with_real("5.0"), kAllFlash, {}, 2, "RealPlayer not installed or need update.", {reallink}},
        ProductCase{sw::acrobat() + sw::flash() + sw::zip() + sw::java("1.6"),
                    kAllFlash,
                    {},
                    2,
                    "RealPlayer not installed or need update.",
                    {reallink}},
        ProductCase{with_zip(""),
                    kAllFlash,
                    {{"Zip1", "JustZIPit"}, {"Zip2", "WinZip"}},
                    3,
                    "No zip application is installed.",
                    {ziplink1, ziplink2}},
        ProductCase{with_zip(sw::zip("")), kAllFlash, {}, 3, "No zip application is installed.", {ziplink1, ziplink2}},
        ProductCase{
            with_zip(sw::zip("  7-Zip.zip  ")), kAllFlash, {}, 3, " '7-Zip.zip' zip application is installed.", {}},
        ProductCase{with_java("1.4"),
                    kAllFlash,
                    {},
                    4,
                    "Java Runtime Environment 1.4 detected but version 1.6 is required.",
                    {javalink}},
        ProductCase{kNoJava, kAllFlash, {}, 4, "Java Runtime Environment not detected.", {javalink}},
        ProductCase{with_java("1.6"),
                    kAllFlash,
                    {{"JavaVersion", "9.8"}},
                    4,
                    "Java Runtime Environment 1.6 detected but version 9.8 is required.",
                    {javalink}},
        // A runtime newer than required meets the requirement.
        ProductCase{with_java("1.7"), kAllFlash, {}, 4, "Java Runtime Environment 1.7 detected.", {}},
        ProductCase{with_java("1.10"), kAllFlash, {}, 4, "Java Runtime Environment 1.10 detected.", {}},
        ProductCase{with_java("1.6.0"), kAllFlash, {}, 4, "Java Runtime Environment 1.6 detected.", {}}));

TEST(SoftwareRow, ZipLinksTakeTheirCaptionsFromThePage)
{
    std::unique_ptr<TestControl> t(make({with_zip(""), kAllFlash, {{"Zip1", "Get 7-Zip"}, {"Zip2", ""}}}));
    t->control.show();
    EXPECT_EQ(t->caption(ziplink1), "Get 7-Zip");
    EXPECT_EQ(t->caption(ziplink2), "");
    EXPECT_TRUE(t->visible(ziplink2));
}

TEST(SoftwareRow, ASecondShowRebuildsTheListAndKeepsLinksAndIcons)
{
    std::unique_ptr<TestControl> t(make({kNoJava, kAllFlash, {{"JavaVersion", "1.6"}}}));
    t->control.show();
    EXPECT_TRUE(t->visible(javalink));
    EXPECT_TRUE(t->visible(softok));
    t->control.put(Prop::JavaVersion, Variant("No"));  // now the registry's marker matches
    t->control.show();
    EXPECT_EQ(lines(t->caption(Label28)).size(), 5u);
    EXPECT_EQ(lines(t->caption(Label28))[4], "Java Runtime Environment No detected.");
    EXPECT_TRUE(t->visible(javalink));  // never hidden
    EXPECT_TRUE(t->visible(softok));
    EXPECT_TRUE(t->visible(softgood));
}

}  // namespace

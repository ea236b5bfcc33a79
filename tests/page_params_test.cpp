#include "session/page_params.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace prestova;

namespace {

TEST(PageParams, ReadsTheParamsOfTheControlsObject)
{
    const char* page = R"(<html><body>
        <object id="movie" data="intro.swf"><param name="quality" value="high"></object>
        <!-- <object classid="Prestova"><param name="MemoryMin" value="1"></object> -->
        <OBJECT ID=Prestova1 CLASSID="clsid:A1FBA071-3B84-4CEF-8C26-D107981C15E2" codebase="prestova.cab">
          <PARAM NAME="MemoryMin" VALUE="128">
          <param name='Zip1' value='Just &amp; ZIP &lt;it&gt;'>
          <param name=OSRec value=Windows&#32;XP>
          <param name="IEURL" value="http://x.example/?a=1&amp;b=&quot;2&quot;" />
          <param name="Zip2" value="Caf&#xE9; &eacute;">
          <param name="JavaURL">
        </OBJECT></body></html>)";
    // The first object names no control and the commented one is ignored; the
    // control's object is found by its id.
    const PageParams params = read_page_params(page, "page.html");
    const PageParams expected = {{"MemoryMin", "128"},         {"Zip1", "Just & ZIP <it>"},
                                 {"OSRec", "Windows XP"},      {"IEURL", "http://x.example/?a=1&b=\"2\""},
                                 {"Zip2", "Caf\xE9 &eacute;"}, {"JavaURL", ""}};
    EXPECT_EQ(params, expected);
}

TEST(PageParams, FallsBackToTheFirstObjectWithParams)
{
    const PageParams params =
        read_page_params("<object></object><object classid='clsid:0'><param name=a value=1></object>", "p.html");
    EXPECT_EQ(params, (PageParams{{"a", "1"}}));
}

TEST(PageParams, APageWithoutAnObjectIsRefused)
{
    try {
        read_page_params("<html><param name=a value=1></html>", "empty.html");
        FAIL();
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "empty.html: the page has no <object> element");
    }
}

TEST(PageParams, EntityDecoding)
{
    EXPECT_EQ(decode_html_entities("a&amp;b&#65;&#x42;&unknown;&"), "a&bAB&unknown;&");
    EXPECT_EQ(decode_html_entities("&#0;&#xFFFFFFFF;"), "\xEF\xBF\xBD&#xFFFFFFFF;");
    EXPECT_EQ(decode_html_entities("&nbsp;"), "\xC2\xA0");
}

struct Reference {
    const char* text;
    const char* decoded;
};

class ReferenceLength : public ::testing::TestWithParam<Reference> {};

// The ';' is looked for at most ten characters on, so "&#x010FFFF;" is the
// longest reference that decodes.
TEST_P(ReferenceLength, IsBounded) { EXPECT_EQ(decode_html_entities(GetParam().text), GetParam().decoded); }

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceLength,
                         ::testing::Values(Reference{"&#x010FFFF;", "\xF4\x8F\xBF\xBF"},
                                           Reference{"&#x0010FFFF;", "&#x0010FFFF;"}, Reference{"&#00000065;", "A"},
                                           Reference{"&#000000065;", "&#000000065;"}, Reference{"&&&amp;", "&&&"},
                                           Reference{"&amp&lt;", "&amp<"},
                                           Reference{"&abcdefghij;&lt;", "&abcdefghij;<"},
                                           Reference{"&#;&#x;&", "&#;&#x;&"}));

// Both would take many seconds were each '&' to look for its ';' through
// the rest of the page, or each <param> through the names before it.
TEST(PageParams, ManyAmpersandsWithoutSemicolons)
{
    const std::string amps(4 * 1024 * 1024, '&');
    const std::string page = "<object classid=Prestova><param name=Zip1 value=\"" + amps + "\"></object>";
    const PageParams params = read_page_params(page, "amps.html");
    ASSERT_EQ(params.size(), 1u);
    EXPECT_EQ(params[0].second, amps);
}

TEST(PageParams, ManyDistinctParams)
{
    constexpr int kParams = 200000;
    std::string page = "<object classid=Prestova>";
    for (int i = 0; i < kParams; ++i) page += "<param name=p" + std::to_string(i) + " value=" + std::to_string(i) + ">";
    page += "</object>";
    const PageParams params = read_page_params(page, "many.html");
    ASSERT_EQ(params.size(), static_cast<std::size_t>(kParams));
    EXPECT_EQ(params.back(), (std::pair<std::string, std::string>{"p199999", "199999"}));
}

// Only the params a filter accepts are kept; which object is read does not
// change with the filter.
TEST(PageParams, FilterKeepsOnlyAcceptedNamesFromTheSameObject)
{
    const auto starts_with_z = [](std::string_view name) { return !name.empty() && name[0] == 'Z'; };
    const std::string page = "<object><param name=a value=1><param name=Zip1 value=7z></object>"
                             "<object><param name=Zip2 value=no></object>"
                             "<object><param name=only value=x></object>";
    EXPECT_EQ(read_page_params(page, "f.html", starts_with_z), (PageParams{{"Zip1", "7z"}}));
    EXPECT_EQ(read_page_params("<object><param name=a value=1></object><object><param name=Zip2 value=no></object>",
                               "f.html", starts_with_z),
              PageParams{});
}

TEST(PageParams, TruncatedMarkupDoesNotCrash)
{
    EXPECT_NO_THROW(read_page_params("<object><param name=\"a", "t.html"));
    EXPECT_NO_THROW(read_page_params("<object><param name=a value='x", "t.html"));
    EXPECT_EQ(read_page_params("<object><param name=a value=b", "t.html"), (PageParams{{"a", "b"}}));
}

}  // namespace

#include "apps/prestova/page_params.hpp"

#include <gtest/gtest.h>

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
    const PageParams expected = {{"MemoryMin", "128"},
                                 {"Zip1", "Just & ZIP <it>"},
                                 {"OSRec", "Windows XP"},
                                 {"IEURL", "http://x.example/?a=1&b=\"2\""},
                                 {"Zip2", "Caf\xE9 &eacute;"},
                                 {"JavaURL", ""}};
    EXPECT_EQ(params, expected);
}

TEST(PageParams, FallsBackToTheFirstObjectWithParams)
{
    const PageParams params = read_page_params(
        "<object></object><object classid='clsid:0'><param name=a value=1></object>", "p.html");
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

TEST(PageParams, TruncatedMarkupDoesNotCrash)
{
    EXPECT_NO_THROW(read_page_params("<object><param name=\"a", "t.html"));
    EXPECT_NO_THROW(read_page_params("<object><param name=a value='x", "t.html"));
    EXPECT_EQ(read_page_params("<object><param name=a value=b", "t.html"), (PageParams{{"a", "b"}}));
}

} // namespace

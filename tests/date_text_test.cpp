// Automation dates as the host shows them (calendar, rounding, which parts
// are shown, every picture field) and read from ISO 8601 text.
#include "core/date_text.hpp"
#include "core/script_error.hpp"
#include "script_error_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

using namespace prestova;

namespace {

using prestova::testing::error_of;

constexpr double kSecond = 1.0 / 86400;

Locale with_pictures(std::string short_date, std::string time_format)
{
    Locale locale;
    locale.short_date = std::move(short_date);
    locale.time_format = std::move(time_format);
    return locale;
}

struct DateCase {
    double serial;
    const char* text;
};

void PrintTo(const DateCase& c, std::ostream* os) { *os << c.serial << " -> \"" << c.text << '"'; }

class DateTextUnitedStates : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTextUnitedStates, ShowsTheDateAsTheHostDoes)
{
    EXPECT_EQ(date_text(GetParam().serial, Locale{}), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Calendar, DateTextUnitedStates,
                         ::testing::Values(DateCase{0, "12:00:00 AM"}, DateCase{1, "12/31/1899"},
                                           DateCase{2, "1/1/1900"},
                                           // No 1900 leap day: the day after 28 February is 1 March.
                                           DateCase{60, "2/28/1900"}, DateCase{61, "3/1/1900"},
                                           DateCase{36526, "1/1/2000"}, DateCase{36585, "2/29/2000"},
                                           DateCase{36586, "3/1/2000"}, DateCase{40000, "7/6/2009"},
                                           DateCase{-1, "12/29/1899"}, DateCase{-366, "12/29/1898"},
                                           DateCase{-657434, "1/1/0100"}, DateCase{2958465, "12/31/9999"}));

INSTANTIATE_TEST_SUITE_P(
    TimeOfDay, DateTextUnitedStates,
    ::testing::Values(DateCase{40000.5, "7/6/2009 12:00:00 PM"}, DateCase{0.5, "12:00:00 PM"},
                      DateCase{40000 + 1.0 / 48, "7/6/2009 12:30:00 AM"},
                      DateCase{40000 + 13.0 / 24, "7/6/2009 1:00:00 PM"},
                      DateCase{40000 + 23 * 3600 * kSecond + 59 * 60 * kSecond + 59 * kSecond, "7/6/2009 11:59:59 PM"},
                      // A negative serial's fraction counts forward from its day's midnight.
                      DateCase{-1.25, "12/29/1899 6:00:00 AM"}, DateCase{-0.25, "6:00:00 AM"},
                      DateCase{-657434.5, "1/1/0100 12:00:00 PM"}, DateCase{2958465.99999, "12/31/9999 11:59:59 PM"}));

INSTANTIATE_TEST_SUITE_P(RoundedToTheSecond, DateTextUnitedStates,
                         ::testing::Values(DateCase{40000 + 1.4 * kSecond, "7/6/2009 12:00:01 AM"},
                                           DateCase{40000 + 0.4 * kSecond, "7/6/2009"},
                                           DateCase{40000 + 86399.6 * kSecond, "7/7/2009"},
                                           DateCase{0.4 * kSecond, "12:00:00 AM"},
                                           DateCase{0.6 * kSecond, "12:00:01 AM"},
                                           DateCase{1 - 0.4 * kSecond, "12/31/1899"},
                                           // 1899-12-29 23:59:59.6 is the next midnight, day 0: a time.
                                           DateCase{-2 + 0.4 * kSecond, "12:00:00 AM"}));

struct PictureCase {
    const char* short_date;
    const char* time_format;
    double serial;
    const char* text;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.short_date << " + " << c.time_format; }

class DateTextPictures : public ::testing::TestWithParam<PictureCase> {};

TEST_P(DateTextPictures, ShowEachFieldAsWindowsDoes)
{
    const auto& c = GetParam();
    EXPECT_EQ(date_text(c.serial, with_pictures(c.short_date, c.time_format)), c.text);
}

// 2009-07-06 09:05:07, a Monday, and 2009-11-23 21:45:00.
constexpr double kMorning = 40000 + (9 * 3600 + 5 * 60 + 7) * kSecond;
constexpr double kEvening = 40140 + (21 * 3600 + 45 * 60) * kSecond;

INSTANTIATE_TEST_SUITE_P(Fields, DateTextPictures,
                         ::testing::Values(PictureCase{"dd/MM/yyyy", "HH:mm:ss", kMorning, "06/07/2009 09:05:07"},
                                           PictureCase{"d.M.yy", "H:m:s", kMorning, "6.7.09 9:5:7"},
                                           PictureCase{"dd/MM/yyyy", "HH:mm:ss", kEvening, "23/11/2009 21:45:00"},
                                           PictureCase{"dddd, MMMM d, yyyy", "hh:mm tt", kMorning,
                                                       "Monday, July 6, 2009 09:05 AM"},
                                           PictureCase{"ddd d MMM", "h:mm t", kEvening, "Mon 23 Nov 9:45 P"},
                                           PictureCase{"y|yy|yyy|yyyyy", "hh", 2958465.5, "99|99|9999|9999 12"},
                                           PictureCase{"y/yy/yyyy", "HH", -657434.5, "0/00/0100 12"},
                                           PictureCase{"ddddd MMMMM", "ssss", 36526 + kSecond, "Saturday January 01"},
                                           PictureCase{"yyyy-MM-dd", "HH:mm", 60, "1900-02-28"},
                                           PictureCase{"M/d/yyyy", "H:mm", 0.75, "18:00"}));

INSTANTIATE_TEST_SUITE_P(
    Literals, DateTextPictures,
    ::testing::Values(PictureCase{"d 'de' MMMM 'de' yyyy", "H'h'mm", kMorning, "6 de July de 2009 9h05"},
                      PictureCase{"'dd' d", "h 'o''clock' tt", 40000.5, "dd 6 12 o'clock PM"},
                      PictureCase{"yyyy''MM", "'mm", kMorning, "2009'07 mm"},  // an unclosed quote runs to the end
                      PictureCase{"yyyy.MM.dd", "HH' h 'mm", kMorning, "2009.07.06 09 h 05"},
                      PictureCase{"DD YYYY", "[SS]", kMorning, "DD YYYY [SS]"}));

TEST(DateText, RefusesWhatIsNoDate)
{
    const double refused[] = {-657435,
                              -657435.5,
                              2958466,
                              2958465.999995,  // rounds into the year 10000
                              1e300,
                              -1e300,
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    for (const double serial : refused)
        EXPECT_EQ(error_of([&] { (void)date_text(serial, Locale{}); }), ErrorCode::InvalidArgument) << serial;
    try {
        (void)date_text(2958466, Locale{});
    } catch (const ScriptError& e) {
        EXPECT_STREQ(e.what(), "the date serial 2958466 is not a date from 0100-01-01 to 9999-12-31");
    }
}

struct IsoCase {
    const char* text;
    double serial;
    const char* shown;  // in English (United States)
};

void PrintTo(const IsoCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class IsoDate : public ::testing::TestWithParam<IsoCase> {};

TEST_P(IsoDate, ReadsToTheSerialThatShowsIt)
{
    const auto& c = GetParam();
    const std::optional<double> serial = parse_iso_date(c.text);
    ASSERT_TRUE(serial);
    EXPECT_DOUBLE_EQ(*serial, c.serial);
    EXPECT_EQ(date_text(*serial, Locale{}), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, IsoDate,
    ::testing::Values(IsoCase{"2009-07-06", 40000, "7/6/2009"},
                      IsoCase{"2009-07-06T12:00", 40000.5, "7/6/2009 12:00:00 PM"},
                      IsoCase{"2009-07-06 12:00:00", 40000.5, "7/6/2009 12:00:00 PM"},
                      IsoCase{"2009-07-06T09:05:07", kMorning, "7/6/2009 9:05:07 AM"},
                      IsoCase{"1899-12-30", 0, "12:00:00 AM"}, IsoCase{"1899-12-30T18:00", 0.75, "6:00:00 PM"},
                      IsoCase{"1899-12-29T06:00:00", -1.25, "12/29/1899 6:00:00 AM"},
                      IsoCase{"1900-03-01", 61, "3/1/1900"}, IsoCase{"2000-02-29", 36585, "2/29/2000"},
                      IsoCase{"0100-01-01", -657434, "1/1/0100"},
                      IsoCase{"0100-01-01 23:59:59", -657434 - 86399 * kSecond, "1/1/0100 11:59:59 PM"},
                      IsoCase{"9999-12-31T23:59:59", 2958465 + 86399 * kSecond, "12/31/9999 11:59:59 PM"}));

TEST(IsoDate, RefusesAnythingElse)
{
    const char* const refused[] = {"",
                                   "2009-02-29",  // not a leap year
                                   "1900-02-29",  // nor is 1900
                                   "2009-04-31",
                                   "2009-13-01",
                                   "2009-00-10",
                                   "2009-07-00",
                                   "2009-7-4",
                                   "09-07-04",
                                   "0099-12-31",
                                   "10000-01-01",
                                   "2009/07/04",
                                   "+009-07-04",
                                   " 2009-07-04",
                                   "2009-07-04 ",
                                   "2009-07-04x",
                                   "2009-07-04T",
                                   "2009-07-04T12",
                                   "2009-07-04t12:00",
                                   "2009-07-04T12:00:00Z",
                                   "2009-07-04T12:00:00.5",
                                   "2009-07-04T1:00:00",
                                   "2009-07-04T24:00",
                                   "2009-07-04T12:60",
                                   "2009-07-04T12:00:60",
                                   "2009-07-04T12-00-00",
                                   "2009-07-04\t12:00"};
    for (const char* text : refused) EXPECT_FALSE(parse_iso_date(text)) << '"' << text << '"';
}

// Days shown as yyyy-MM-dd read back to themselves, in order: the calendar
// and its inverse agree on every day of the leap rules' turns (1600, 1900,
// 2000) and on every week's Monday across the range.
TEST(IsoDate, DaysReadBackFromTheirText)
{
    const Locale iso = with_pictures("yyyy-MM-dd", "HH:mm:ss");
    const auto read_back = [&](double first, double last, double step) {
        std::string previous;
        for (double day = first; day <= last; day += step) {
            if (day == 0) continue;  // day 0 shows as a time of day
            const std::string text = date_text(day, iso);
            const std::optional<double> back = parse_iso_date(text);
            ASSERT_TRUE(back) << text;
            ASSERT_EQ(*back, day) << text;
            ASSERT_LT(previous, text);
            previous = text;
        }
    };
    for (const char* year : {"1596", "1896", "1996"}) {
        const double first = *parse_iso_date(std::string(year) + "-01-01");
        read_back(first, first + 9 * 366, 1);
    }
    read_back(kFirstDateSerial + 3, kLastDateSerial, 7);  // 0100-01-04 was a Monday
    EXPECT_EQ(date_text(kFirstDateSerial + 3, with_pictures("dddd", "")), "Monday");
}

}  // namespace

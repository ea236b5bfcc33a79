#include "core/date_text.hpp"

#include "core/script_error.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace prestova {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                          "May",       "June",     "July",     "August",
                                                          "September", "October",  "November", "December"};

// Days from 0000-03-01 to a date of year 0 or later: counting years from
// March puts the leap day at the end of each year, so whole 400-year eras
// and a day-of-year formula do the rest.
constexpr std::int64_t days_from_march_of_year_zero(int year, int month, int day)
{
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int year_of_era = y - era * 400;
    const int day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return std::int64_t{era} * 146097 + day_of_era;
}

constexpr std::int64_t kDayZero = days_from_march_of_year_zero(1899, 12, 30);

bool is_leap_year(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int days_in_month(int year, int month)
{
    constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap_year(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// A date serial taken apart, rounded to the second.
struct Moment {
    std::int64_t day;  // from 1899-12-30
    int year;
    int month;  // 1 to 12
    int day_of_month;
    int weekday;  // 0 is Sunday
    int hour;
    int minute;
    int second;
};

[[noreturn]] void out_of_range(double serial)
{
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), serial).ptr;
    throw ScriptError(ErrorCode::InvalidArgument, std::string("the date serial ")
                                                      .append(text.data(), end)
                                                      .append(" is not a date from 0100-01-01 to 9999-12-31"));
}

Moment moment_of(double serial)
{
    // Whole days either side of the range may still name a day inside it
    // (-657434.5 is noon of 0100-01-01); NaN fails both comparisons.
    if (!(serial > kFirstDateSerial - 1 && serial < kLastDateSerial + 1)) out_of_range(serial);
    const double whole = std::trunc(serial);
    const auto time = static_cast<std::int64_t>(std::llround(std::fabs(serial - whole) * kSecondsPerDay));
    const std::int64_t seconds = static_cast<std::int64_t>(whole) * kSecondsPerDay + time;
    // Floor division: the rounded time may carry into the next day.
    const std::int64_t day =
        seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    if (day > static_cast<std::int64_t>(kLastDateSerial)) out_of_range(serial);
    const auto second_of_day = static_cast<int>(seconds - day * kSecondsPerDay);

    // Back from days since 0000-03-01 to the calendar, the inverse of
    // days_from_march_of_year_zero.
    const std::int64_t z = day + kDayZero;
    const auto era = static_cast<int>(z / 146097);
    const auto day_of_era = static_cast<int>(z - std::int64_t{era} * 146097);
    const int year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const int day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const int month_from_march = (5 * day_of_year + 2) / 153;
    const int month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;

    Moment m{};
    m.day = day;
    m.year = era * 400 + year_of_era + (month <= 2 ? 1 : 0);
    m.month = month;
    m.day_of_month = day_of_year - (153 * month_from_march + 2) / 5 + 1;
    m.weekday = static_cast<int>(((day % 7) + 7 + 6) % 7);  // 1899-12-30 was a Saturday
    m.hour = second_of_day / 3600;
    m.minute = second_of_day / 60 % 60;
    m.second = second_of_day % 60;
    return m;
}

std::string digits(int value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

int twelve_hour(const Moment& m) { return m.hour % 12 == 0 ? 12 : m.hour % 12; }

// One row for each run of a picture letter. A run takes the row of its
// length, else the next longer row, else the longest ("yyy" is "yyyy").
struct PictureField {
    char letter;
    std::size_t run;
    std::string (*show)(const Moment&);
};

constexpr PictureField kPictureFields[] = {
    {'d', 1, [](const Moment& m) { return digits(m.day_of_month, 1); }},
    {'d', 2, [](const Moment& m) { return digits(m.day_of_month, 2); }},
    {'d', 3, [](const Moment& m) { return std::string(kDayNames[static_cast<std::size_t>(m.weekday)].substr(0, 3)); }},
    {'d', 4, [](const Moment& m) { return std::string(kDayNames[static_cast<std::size_t>(m.weekday)]); }},
    {'M', 1, [](const Moment& m) { return digits(m.month, 1); }},
    {'M', 2, [](const Moment& m) { return digits(m.month, 2); }},
    {'M', 3,
     [](const Moment& m) { return std::string(kMonthNames[static_cast<std::size_t>(m.month - 1)].substr(0, 3)); }},
    {'M', 4, [](const Moment& m) { return std::string(kMonthNames[static_cast<std::size_t>(m.month - 1)]); }},
    {'y', 1, [](const Moment& m) { return digits(m.year % 100, 1); }},
    {'y', 2, [](const Moment& m) { return digits(m.year % 100, 2); }},
    {'y', 4, [](const Moment& m) { return digits(m.year, 4); }},
    {'h', 1, [](const Moment& m) { return digits(twelve_hour(m), 1); }},
    {'h', 2, [](const Moment& m) { return digits(twelve_hour(m), 2); }},
    {'H', 1, [](const Moment& m) { return digits(m.hour, 1); }},
    {'H', 2, [](const Moment& m) { return digits(m.hour, 2); }},
    {'m', 1, [](const Moment& m) { return digits(m.minute, 1); }},
    {'m', 2, [](const Moment& m) { return digits(m.minute, 2); }},
    {'s', 1, [](const Moment& m) { return digits(m.second, 1); }},
    {'s', 2, [](const Moment& m) { return digits(m.second, 2); }},
    {'t', 1, [](const Moment& m) { return std::string(m.hour < 12 ? "A" : "P"); }},
    {'t', 2, [](const Moment& m) { return std::string(m.hour < 12 ? "AM" : "PM"); }},
};

// The row for a run of `letter`, or nullptr when the letter is no field.
const PictureField* field_for(char letter, std::size_t run)
{
    const PictureField* chosen = nullptr;
    for (const auto& field : kPictureFields) {
        if (field.letter != letter) continue;
        chosen = &field;  // rows run from short to long: the longest so far
        if (field.run >= run) break;
    }
    return chosen;
}

std::string show_picture(std::string_view picture, const Moment& m)
{
    std::string out;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'' && i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += c;  // '' is a quote, inside quoted text or not
            i += 2;
            continue;
        }
        if (c == '\'') {
            // Quoted text runs to the closing quote, or to the end.
            for (++i; i < picture.size(); ++i) {
                if (picture[i] != '\'') out += picture[i];
                else if (i + 1 < picture.size() && picture[i + 1] == '\'') out += picture[i++];
                else break;
            }
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        if (const PictureField* field = field_for(c, run)) {
            out += field->show(m);
            i += run;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// Two or four digits at `at`, nothing else.
std::optional<int> number_at(std::string_view text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string date_text(double serial, const Locale& locale)
{
    const Moment m = moment_of(serial);
    const bool midnight = m.hour == 0 && m.minute == 0 && m.second == 0;
    // Day 0 is no date a user meant: a time typed alone is stored on it.
    if (m.day == 0) return show_picture(locale.time_format, m);
    if (midnight) return show_picture(locale.short_date, m);
    return show_picture(locale.short_date, m).append(" ").append(show_picture(locale.time_format, m));
}

std::optional<double> parse_iso_date(std::string_view text)
{
    constexpr std::size_t kDate = 10, kDateHourMinute = 16, kDateTime = 19;
    if (text.size() != kDate && text.size() != kDateHourMinute && text.size() != kDateTime) return std::nullopt;
    if (text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto year = number_at(text, 0, 4), month = number_at(text, 5, 2), day = number_at(text, 8, 2);
    if (!year || !month || !day || *year < 100 || *month < 1 || *month > 12 || *day < 1 ||
        *day > days_in_month(*year, *month))
        return std::nullopt;
    std::optional<int> hour = 0, minute = 0, second = 0;
    if (text.size() > kDate) {
        if ((text[10] != 'T' && text[10] != ' ') || text[13] != ':') return std::nullopt;
        hour = number_at(text, 11, 2), minute = number_at(text, 14, 2);
    }
    if (text.size() == kDateTime) {
        if (text[16] != ':') return std::nullopt;
        second = number_at(text, 17, 2);
    }
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) return std::nullopt;
    const auto whole = static_cast<double>(days_from_march_of_year_zero(*year, *month, *day) - kDayZero);
    const double time = (*hour * 3600 + *minute * 60 + *second) / static_cast<double>(kSecondsPerDay);
    // Before 1899-12-30 the time still runs forward from the day's midnight.
    return whole >= 0 ? whole + time : whole - time;
}

}  // namespace prestova

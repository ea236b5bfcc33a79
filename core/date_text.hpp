#pragma once
// Automation dates: a count of days from 1899-12-30, its fraction the time of
// day. For a negative count the fraction still runs forward from the midnight
// that begins the day its whole part names: -1.25 is 1899-12-29 06:00. The
// calendar is the Gregorian one throughout (1900 is no leap year).
#include "core/locale.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace prestova {

// The whole parts of the first and last days a date can name: 0100-01-01
// and 9999-12-31.
inline constexpr double kFirstDateSerial = -657434.0;
inline constexpr double kLastDateSerial = 2958465.0;

// The date as the scripting host shows a Date turned into text, under the
// locale's pictures: rounded to the nearest second, then the date in
// short_date and the time in time_format with one blank between them; the
// time alone on 1899-12-30 (so serial 0 is 12:00:00 AM in English (United
// States)), else the date alone when the time is midnight.
// Pictures are Windows' date and time pictures:
//   d dd ddd dddd  day, two-digit day, English day name abbreviated and full
//   M MM MMM MMMM  month, two-digit month, English month name abbreviated and full
//   y yy yyyy      year in its century, as two digits, as four (yyy, yyyyy: four)
//   h hh  H HH     hour of 1 to 12, of 0 to 23; doubled: two digits
//   m mm  s ss     minute, second; doubled: two digits
//   t tt           A or P, AM or PM
// Text in single quotes is shown as it is ('' is one quote); any other
// character stands for itself.
// Throws ScriptError(InvalidArgument) for a serial outside 0100-01-01 to
// 9999-12-31 23:59:59 (after rounding), NaN or an infinity.
std::string date_text(double serial, const Locale& locale);

// "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (a blank may
// stand for the T) as a date serial: years 100 to 9999, days that are in
// their month, a 24-hour clock. nullopt for any other text.
std::optional<double> parse_iso_date(std::string_view text);

}  // namespace prestova

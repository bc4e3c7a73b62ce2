// The host's Format for a number read as a date: the number counts days from 30 December 1899,
// its fraction the time of day (for a negative number, the fraction's size).
//
// Placeholders, letters in either case:
//   d dd            day of the month        ddd dddd    weekday name     ddddd dddddd  the date
//   w               weekday, Sunday 1       ww          week of the year, the week of 1 January first
//   m mm            month (minutes right after an hour)   mmm mmmm  month name
//   q               quarter                 y           day of the year
//   yy yyyy         year in two or four digits
//   h hh  n nn  s ss   hours, minutes, seconds    ttttt  the time   c  date and time
//   AM/PM am/pm A/P a/p AMPM   twelve-hour clock with its marker
//   / :             the date and time separators
//   "text" and \c   literal text; any other character stands for itself
// Named formats: "General Date", "Long Date", "Medium Date", "Short Date", "Long Time",
// "Medium Time", "Short Time".
#include "automation/DateFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::detail {

namespace {

constexpr std::array<const char*, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

struct DateParts {
    int64_t serialDay;                        // whole days from 30 December 1899
    int year, month, day, dayOfYear, weekday; // weekday 0 = Sunday
    int hour, minute, second;
};

// Days from 1 January 1970 to the civil date, and back (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr int64_t kEpochOffset = 25569; // 1 January 1970 as a day number from 30 December 1899

// Dates run from 1 January 100 to 31 December 9999; anything else is an overflow.
DateParts partsOf(double value) {
    if (!(value >= -657434.0 && value < 2958466.0)) raise(err::Overflow);
    const double whole = std::trunc(value);
    int64_t seconds = static_cast<int64_t>(std::llround(std::fabs(value - whole) * 86400.0));
    int64_t day = static_cast<int64_t>(whole);
    if (seconds >= 86400) { // rounds up to the next midnight
        seconds -= 86400;
        day += value < 0 ? -1 : 1;
    }
    DateParts p{};
    p.serialDay = day;
    civilFromDays(day - kEpochOffset, p.year, p.month, p.day);
    p.dayOfYear = static_cast<int>(day - kEpochOffset - daysFromCivil(p.year, 1, 1)) + 1;
    p.weekday = static_cast<int>(((day - kEpochOffset + 4) % 7 + 7) % 7); // 1 January 1970 was a Thursday
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

std::string number(int v, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, v);
    return buf;
}

// Week of the year with Sunday first and the week holding 1 January as week 1.
int weekOfYear(const DateParts& p) {
    const int firstWeekday = ((p.weekday - (p.dayOfYear - 1)) % 7 + 7) % 7;
    return (p.dayOfYear - 1 + firstWeekday) / 7 + 1;
}

std::string shortDate(const DateParts& p) {
    return std::to_string(p.month) + "/" + std::to_string(p.day) + "/" + number(p.year, 4);
}
std::string longDate(const DateParts& p) {
    return std::string(kDays[p.weekday]) + ", " + kMonths[p.month - 1] + " " + std::to_string(p.day) + ", " +
           number(p.year, 4);
}
std::string longTime(const DateParts& p) {
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    return std::to_string(h12) + ":" + number(p.minute, 2) + ":" + number(p.second, 2) +
           (p.hour < 12 ? " AM" : " PM");
}
std::string generalDate(const DateParts& p) {
    const bool time = p.hour || p.minute || p.second;
    if (p.serialDay == 0 && time) return longTime(p);
    return time ? shortDate(p) + " " + longTime(p) : shortDate(p);
}

// How many times c repeats from `at` on, case ignored.
size_t runOf(std::string_view f, size_t at) {
    size_t n = 1;
    while (at + n < f.size() && std::tolower(static_cast<unsigned char>(f[at + n])) ==
                                    std::tolower(static_cast<unsigned char>(f[at])))
        ++n;
    return n;
}

// The twelve-hour marker of the format, if any: its text for the morning and the afternoon.
const char* const kMarkers[][3] = {
    {"AM/PM", "AM", "PM"}, {"am/pm", "am", "pm"}, {"A/P", "A", "P"}, {"a/p", "a", "p"}, {"AMPM", "AM", "PM"}};

bool hasMarker(std::string_view f) {
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '"') {
            i = f.find('"', i + 1);
            if (i == std::string_view::npos) break;
            continue;
        }
        if (f[i] == '\\') {
            ++i;
            continue;
        }
        for (const auto& m : kMarkers)
            if (f.compare(i, std::string_view(m[0]).size(), m[0]) == 0) return true;
    }
    return false;
}

} // namespace

bool isDateFormat(std::string_view f) {
    for (size_t i = 0; i < f.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
        if (f[i] == '"') {
            i = f.find('"', i + 1);
            if (i == std::string_view::npos) return false;
            continue;
        }
        if (f[i] == '\\') {
            ++i;
            continue;
        }
        if (c == '0' || c == '#') return false; // a number's placeholders
        if (c == 'd' || c == 'w' || c == 'm' || c == 'q' || c == 'y' || c == 'h' || c == 'n' || c == 's' ||
            c == 'c' || c == 't')
            return true;
    }
    return false;
}

std::optional<std::string> namedDateFormat(double value, std::string_view name) {
    static const char* const kNames[] = {"General Date", "Long Date",   "Medium Date", "Short Date",
                                         "Long Time",    "Medium Time", "Short Time"};
    size_t which = std::size(kNames);
    for (size_t i = 0; i < std::size(kNames); ++i)
        if (namesEqual(name, kNames[i])) which = i;
    if (which == std::size(kNames)) return std::nullopt;
    const DateParts p = partsOf(value);
    switch (which) {
    case 0:
        return generalDate(p);
    case 1:
        return longDate(p);
    case 2:
        return number(p.day, 2) + "-" + std::string(kMonths[p.month - 1]).substr(0, 3) + "-" +
               number(p.year % 100, 2);
    case 3:
        return shortDate(p);
    case 4:
        return longTime(p);
    case 5: {
        const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
        return number(h12, 2) + ":" + number(p.minute, 2) + (p.hour < 12 ? " AM" : " PM");
    }
    default:
        return number(p.hour, 2) + ":" + number(p.minute, 2);
    }
}

std::string formatDate(double value, std::string_view f) {
    const DateParts p = partsOf(value);
    const bool twelveHour = hasMarker(f);
    std::string out;
    bool afterHour = false; // an 'm' right after an hour is minutes
    for (size_t i = 0; i < f.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
        if (f[i] == '"') {
            const size_t end = f.find('"', i + 1);
            out += f.substr(i + 1, (end == std::string_view::npos ? f.size() : end) - i - 1);
            i = end == std::string_view::npos ? f.size() : end + 1;
            continue;
        }
        if (f[i] == '\\') {
            if (i + 1 < f.size()) out += f[i + 1];
            i += 2;
            continue;
        }
        bool marker = false;
        for (const auto& m : kMarkers) {
            if (f.compare(i, std::string_view(m[0]).size(), m[0]) == 0) {
                out += p.hour < 12 ? m[1] : m[2];
                i += std::string_view(m[0]).size();
                marker = true;
                break;
            }
        }
        if (marker) continue;
        const size_t n = runOf(f, i);
        const int hour = twelveHour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
        size_t used = n;
        bool hourToken = false;
        switch (c) {
        case 'd':
            if (n >= 6)
                out += longDate(p), used = 6;
            else if (n == 5)
                out += shortDate(p);
            else if (n == 4)
                out += kDays[p.weekday];
            else if (n == 3)
                out += std::string(kDays[p.weekday]).substr(0, 3);
            else
                out += number(p.day, static_cast<int>(n));
            break;
        case 'w':
            if (n >= 2)
                out += std::to_string(weekOfYear(p)), used = 2;
            else
                out += std::to_string(p.weekday + 1);
            break;
        case 'm':
            if (afterHour && n <= 2)
                out += number(p.minute, static_cast<int>(n));
            else if (n >= 4)
                out += kMonths[p.month - 1], used = 4;
            else if (n == 3)
                out += std::string(kMonths[p.month - 1]).substr(0, 3);
            else
                out += number(p.month, static_cast<int>(n));
            break;
        case 'q':
            out += std::to_string((p.month - 1) / 3 + 1), used = 1;
            break;
        case 'y':
            if (n >= 4)
                out += number(p.year, 4), used = 4;
            else if (n >= 2)
                out += number(p.year % 100, 2), used = 2;
            else
                out += std::to_string(p.dayOfYear);
            break;
        case 'h':
            out += number(hour, n >= 2 ? 2 : 1), used = std::min<size_t>(n, 2), hourToken = true;
            break;
        case 'n':
            out += number(p.minute, n >= 2 ? 2 : 1), used = std::min<size_t>(n, 2);
            break;
        case 's':
            out += number(p.second, n >= 2 ? 2 : 1), used = std::min<size_t>(n, 2);
            break;
        case 'c':
            out += generalDate(p), used = 1;
            break;
        case 't':
            if (n >= 5)
                out += longTime(p), used = 5;
            else
                out += f.substr(i, n);
            break;
        default:
            out += f.substr(i, n);
            break;
        }
        if (hourToken)
            afterHour = true;
        else if (c != ':' && c != ' ')
            afterHour = false;
        i += used;
    }
    return out;
}

} // namespace tavrin::detail

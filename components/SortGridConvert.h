// Text conversions used to detect and compare sort keys, driven by a format
// settings record (the user's locale by default, a fixed one in tests).
//
// Accepted syntax (leading and trailing blanks allowed, nothing else):
//  number     [+|-] digits [sep [digits]] | [+|-] sep digits, then optionally
//             e|E [+|-] digits; sep is DecimalSeparator. No "nan", "inf", hex
//             or thousands separators; values beyond the double range fail.
//  time       h:mm[:ss[.zzz]] with an optional AM/PM text after it (h 1..12
//             then), or h AM/PM; h 0..23, mm and ss 0..59. The value is the
//             fraction of a day.
//  date-time  date, date followed by blanks and a time, or a time alone. A
//             date has three numbers in DateOrder separated by DateSeparator;
//             years of one or two digits fall into 1950..2049. The value is
//             days since 1899-12-30 plus the time fraction.
#pragma once

#include <QLocale>

#include <optional>
#include <string>
#include <string_view>

enum class TDateOrder { doMDY, doDMY, doYMD };

struct TFormatSettings {
    char DecimalSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    TDateOrder DateOrder = TDateOrder::doMDY;
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    // Locale of the alphabetic comparison.
    QLocale CollationLocale = QLocale(QLocale::English, QLocale::UnitedStates);

    // The settings of the user's locale.
    static TFormatSettings System();
};

std::optional<double> StrToFloat(std::string_view text, const TFormatSettings& fs);
std::optional<double> StrToTime(std::string_view text, const TFormatSettings& fs);
std::optional<double> StrToDateTime(std::string_view text, const TFormatSettings& fs);

// The framework's FormatDateTime: a date and time written by a format of
// its codes, which differ from Qt's.
//
//  d dd ddd dddd   day, two-digit day, short and long day name
//  m mm mmm mmmm   month, two-digit month, short and long month name; m and
//                  mm right after an hour code (h, hh) mean minutes
//  yy yyyy         two- and four-digit year
//  h hh            hour (12-hour clock when the format holds am/pm or a/p)
//  n nn            minute;  s ss  second;  z zzz  millisecond
//  am/pm a/p       the half of the day, in the case written
//  /  :            the date and the time separator
//  "text" 'text'   literal text; any other character stands for itself
// Letter codes are case-insensitive; names follow the locale given.
#pragma once

#include <QChar>
#include <QDateTime>
#include <QLocale>
#include <QString>

struct TDateTimeNames {
    QLocale Locale = QLocale::system();
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
};

QString FormatDateTime(const QString& format, const QDateTime& when,
                       const TDateTimeNames& names = TDateTimeNames());

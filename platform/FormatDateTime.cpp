#include "platform/FormatDateTime.h"

namespace {

// How many times c repeats at pos (case-insensitive), at most max.
int RunLength(const QString& f, int pos, QChar c, int max)
{
    int n = 0;
    while (pos + n < f.size() && n < max && f.at(pos + n).toLower() == c)
        ++n;
    return n;
}

bool StartsWithCI(const QString& f, int pos, QLatin1StringView what)
{
    return f.mid(pos, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

QString Padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool HasHalfDay(const QString& f)
{
    return f.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
           f.contains(QLatin1String("a/p"), Qt::CaseInsensitive);
}

} // namespace

QString FormatDateTime(const QString& format, const QDateTime& when, const TDateTimeNames& names)
{
    const QDate date = when.date();
    const QTime time = when.time();
    const bool twelve = HasHalfDay(format);
    QString out;
    bool afterHour = false; // the last code was an hour: m means minutes
    int i = 0;
    while (i < format.size()) {
        const QChar ch = format.at(i);
        const QChar lc = ch.toLower();
        if (ch == QLatin1Char('"') || ch == QLatin1Char('\'')) {
            const int end = format.indexOf(ch, i + 1);
            const int stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = end < 0 ? stop : stop + 1;
            continue;
        }
        if (StartsWithCI(format, i, QLatin1StringView("am/pm"))) {
            const bool upper = ch.isUpper();
            const QString half = time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            out += upper ? half.toUpper() : half;
            i += 5;
            continue;
        }
        if (StartsWithCI(format, i, QLatin1StringView("a/p"))) {
            const QString half = time.hour() < 12 ? QStringLiteral("a") : QStringLiteral("p");
            out += ch.isUpper() ? half.toUpper() : half;
            i += 3;
            continue;
        }
        int n = 0;
        if (lc == QLatin1Char('d')) {
            n = RunLength(format, i, lc, 4);
            if (n == 1)
                out += QString::number(date.day());
            else if (n == 2)
                out += Padded(date.day(), 2);
            else
                out += names.Locale.dayName(date.dayOfWeek(),
                                            n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            afterHour = false;
        } else if (lc == QLatin1Char('m')) {
            n = RunLength(format, i, lc, 4);
            if (afterHour && n <= 2)
                out += n == 1 ? QString::number(time.minute()) : Padded(time.minute(), 2);
            else if (n == 1)
                out += QString::number(date.month());
            else if (n == 2)
                out += Padded(date.month(), 2);
            else
                out += names.Locale.monthName(date.month(),
                                              n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            afterHour = false;
        } else if (lc == QLatin1Char('y')) {
            n = RunLength(format, i, lc, 4);
            out += n <= 2 ? Padded(date.year() % 100, 2) : QString::number(date.year());
            afterHour = false;
        } else if (lc == QLatin1Char('h')) {
            n = RunLength(format, i, lc, 2);
            int hour = time.hour();
            if (twelve) {
                hour %= 12;
                if (hour == 0) hour = 12;
            }
            out += n == 1 ? QString::number(hour) : Padded(hour, 2);
            afterHour = true;
        } else if (lc == QLatin1Char('n')) {
            n = RunLength(format, i, lc, 2);
            out += n == 1 ? QString::number(time.minute()) : Padded(time.minute(), 2);
            afterHour = false;
        } else if (lc == QLatin1Char('s')) {
            n = RunLength(format, i, lc, 2);
            out += n == 1 ? QString::number(time.second()) : Padded(time.second(), 2);
            afterHour = false;
        } else if (lc == QLatin1Char('z')) {
            n = RunLength(format, i, lc, 3);
            out += n == 3 ? Padded(time.msec(), 3) : QString::number(time.msec());
            afterHour = false;
        } else if (ch == QLatin1Char('/')) {
            n = 1;
            out += names.DateSeparator;
        } else if (ch == QLatin1Char(':')) {
            // A separator keeps an hour's meaning for the m after it (h:mm).
            n = 1;
            out += names.TimeSeparator;
            i += n;
            continue;
        } else {
            n = 1;
            out += ch;
        }
        i += n;
    }
    return out;
}

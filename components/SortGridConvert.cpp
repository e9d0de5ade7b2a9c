#include "components/SortGridConvert.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads up to maxDigits digits; false when there is none.
bool ReadNumber(std::string_view& s, int maxDigits, int& value, int& digits)
{
    value = 0;
    digits = 0;
    while (!s.empty() && IsDigit(s.front()) && digits < maxDigits) {
        value = value * 10 + (s.front() - '0');
        ++digits;
        s.remove_prefix(1);
    }
    return digits > 0;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (prefix.empty() || s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(s[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Days from 1899-12-30 to y-m-d (proleptic Gregorian).
std::int64_t DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569; // 25569: 1899-12-30 to 1970-01-01
}

int DaysInMonth(int y, int m)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

// A time at the start of s; s is advanced past it.
std::optional<double> ScanTime(std::string_view& s, const TFormatSettings& fs)
{
    int h = 0, n = 0, sec = 0, ms = 0, digits = 0;
    if (!ReadNumber(s, 2, h, digits)) return std::nullopt;
    bool hasMinutes = false;
    if (!s.empty() && s.front() == fs.TimeSeparator) {
        s.remove_prefix(1);
        if (!ReadNumber(s, 2, n, digits)) return std::nullopt;
        hasMinutes = true;
        if (!s.empty() && s.front() == fs.TimeSeparator) {
            s.remove_prefix(1);
            if (!ReadNumber(s, 2, sec, digits)) return std::nullopt;
            if (!s.empty() && s.front() == '.') {
                s.remove_prefix(1);
                if (!ReadNumber(s, 3, ms, digits)) return std::nullopt;
            }
        }
    }
    std::string_view rest = s;
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    int pm = -1;
    if (StartsWithNoCase(rest, fs.TimeAMString)) {
        pm = 0;
        rest.remove_prefix(fs.TimeAMString.size());
    } else if (StartsWithNoCase(rest, fs.TimePMString)) {
        pm = 1;
        rest.remove_prefix(fs.TimePMString.size());
    }
    if (pm >= 0) {
        if (h < 1 || h > 12) return std::nullopt;
        h = h % 12 + (pm == 1 ? 12 : 0);
        s = rest;
    } else if (!hasMinutes) {
        return std::nullopt;
    }
    if (h > 23 || n > 59 || sec > 59) return std::nullopt;
    return (h * 3600000.0 + n * 60000.0 + sec * 1000.0 + ms) / 86400000.0;
}

// A date at the start of s; s is advanced past it.
std::optional<double> ScanDate(std::string_view& s, const TFormatSettings& fs)
{
    int v[3] = {0, 0, 0};
    int len[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (s.empty() || s.front() != fs.DateSeparator) return std::nullopt;
            s.remove_prefix(1);
        }
        if (!ReadNumber(s, 4, v[i], len[i])) return std::nullopt;
    }
    int y = 0, m = 0, d = 0, ylen = 0;
    switch (fs.DateOrder) {
    case TDateOrder::doMDY:
        m = v[0];
        d = v[1];
        y = v[2];
        ylen = len[2];
        break;
    case TDateOrder::doDMY:
        d = v[0];
        m = v[1];
        y = v[2];
        ylen = len[2];
        break;
    case TDateOrder::doYMD:
        y = v[0];
        m = v[1];
        d = v[2];
        ylen = len[0];
        break;
    }
    if (ylen <= 2) y += y < 50 ? 2000 : 1900;
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return std::nullopt;
    return static_cast<double>(DaysFromCivil(y, m, d));
}

} // namespace

TFormatSettings TFormatSettings::System()
{
    TFormatSettings fs;
    const QLocale loc = QLocale::system();
    fs.CollationLocale = loc;
    const QString dp = loc.decimalPoint();
    if (dp.size() == 1 && dp.at(0).unicode() < 128)
        fs.DecimalSeparator = static_cast<char>(dp.at(0).unicode());
    const QString df = loc.dateFormat(QLocale::ShortFormat);
    const qsizetype di = df.indexOf(QLatin1Char('d'));
    const qsizetype mi = df.indexOf(QLatin1Char('M'));
    const qsizetype yi = df.indexOf(QLatin1Char('y'));
    if (di >= 0 && mi >= 0 && yi >= 0) {
        if (yi < mi && mi < di)
            fs.DateOrder = TDateOrder::doYMD;
        else if (di < mi)
            fs.DateOrder = TDateOrder::doDMY;
        else
            fs.DateOrder = TDateOrder::doMDY;
    }
    for (QChar c : df)
        if (!c.isLetter() && c.unicode() < 128) {
            fs.DateSeparator = static_cast<char>(c.unicode());
            break;
        }
    const QString tf = loc.timeFormat(QLocale::ShortFormat);
    for (QChar c : tf)
        if (!c.isLetter() && c.unicode() < 128 && c != QLatin1Char(' ')) {
            fs.TimeSeparator = static_cast<char>(c.unicode());
            break;
        }
    if (!loc.amText().isEmpty()) fs.TimeAMString = loc.amText().toStdString();
    if (!loc.pmText().isEmpty()) fs.TimePMString = loc.pmText().toStdString();
    return fs;
}

std::optional<double> StrToFloat(std::string_view text, const TFormatSettings& fs)
{
    std::string_view s = Trim(text);
    std::string buf;
    buf.reserve(s.size());
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') buf.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        buf.push_back(s[i++]);
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == fs.DecimalSeparator) {
        buf.push_back('.');
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            buf.push_back(s[i++]);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        buf.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) buf.push_back(s[i++]);
        int expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            buf.push_back(s[i++]);
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    if (buf.back() == '.') buf.push_back('0');
    double value = 0;
    const auto res = std::from_chars(buf.data(), buf.data() + buf.size(), value);
    if (res.ec != std::errc() || res.ptr != buf.data() + buf.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> StrToTime(std::string_view text, const TFormatSettings& fs)
{
    std::string_view s = Trim(text);
    const auto t = ScanTime(s, fs);
    if (!t || !Trim(s).empty()) return std::nullopt;
    return t;
}

std::optional<double> StrToDateTime(std::string_view text, const TFormatSettings& fs)
{
    std::string_view s = Trim(text);
    if (s.empty()) return std::nullopt;
    std::string_view probe = s;
    if (const auto d = ScanDate(probe, fs)) {
        if (probe.empty()) return d;
        if (!IsBlank(probe.front())) return std::nullopt;
        probe = Trim(probe);
        const auto t = ScanTime(probe, fs);
        if (!t || !probe.empty()) return std::nullopt;
        return *d + *t;
    }
    return StrToTime(s, fs);
}

// Key conversions of the sort: strict numbers, times and dates in a fixed format.
#include "components/SortGridConvert.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct ConvCase {
    const char* name;
    std::string text;
    std::optional<double> expected;
};

TFormatSettings Us()
{
    TFormatSettings fs;
    fs.DecimalSeparator = '.';
    fs.DateSeparator = '/';
    fs.TimeSeparator = ':';
    fs.DateOrder = TDateOrder::doMDY;
    return fs;
}

void Check(const std::vector<ConvCase>& cases,
           std::optional<double> (*conv)(std::string_view, const TFormatSettings&),
           const TFormatSettings& fs)
{
    for (const ConvCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = conv(c.text, fs);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << "text '" << c.text << "'";
        if (got) {
            EXPECT_NEAR(*got, *c.expected, 1e-9);
        }
    }
}

TEST(Convert, NumbersAreStrict)
{
    Check({{"integer", "42", 42.0},
           {"negative with blanks", "  -1.5 ", -1.5},
           {"exponent", "2.5e2", 250.0},
           {"trailing separator", "1.", 1.0},
           {"leading separator", ".5", 0.5},
           {"nan is no number", "nan", std::nullopt},
           {"inf is no number", "inf", std::nullopt},
           {"infinity is no number", "-Infinity", std::nullopt},
           {"hex is no number", "0x10", std::nullopt},
           {"foreign separator", "1,5", std::nullopt},
           {"thousands separator", "1,000", std::nullopt},
           {"empty", "", std::nullopt},
           {"sign alone", "-", std::nullopt},
           {"exponent without digits", "1e", std::nullopt},
           {"overflow", "1e999", std::nullopt},
           {"trailing junk", "12abc", std::nullopt}},
          StrToFloat, Us());
}

TEST(Convert, DecimalCommaFollowsTheSettings)
{
    TFormatSettings fs = Us();
    fs.DecimalSeparator = ',';
    Check({{"comma", "1,5", 1.5}, {"point refused", "1.5", std::nullopt}}, StrToFloat, fs);
}

TEST(Convert, Times)
{
    Check({{"hours and minutes", "9:15", 9.25 / 24},
           {"seconds", "10:30:15", (10 * 3600 + 30 * 60 + 15) / 86400.0},
           {"pm", "9 PM", 21.0 / 24},
           {"am with minutes", "12:30 am", 0.5 / 24},
           {"hour 24", "24:00", std::nullopt},
           {"minute 60", "9:60", std::nullopt},
           {"bare hour", "9", std::nullopt},
           {"13 pm", "13:00 PM", std::nullopt},
           {"text", "abc", std::nullopt},
           {"empty", "", std::nullopt}},
          StrToTime, Us());
}

TEST(Convert, DateTimes)
{
    Check({{"date", "12/31/1999", 36525.0},
           {"two-digit year", "1/1/00", 36526.0},
           {"date and time", "12/31/1999 12:00", 36525.5},
           {"time alone", "9:15", 9.25 / 24},
           {"no leap day", "2/29/2001", std::nullopt},
           {"leap day", "2/29/2000", 36585.0},
           {"month 13", "13/1/2000", std::nullopt},
           {"day and month only", "1/2", std::nullopt},
           {"pgn date", "1999.12.31", std::nullopt}},
          StrToDateTime, Us());
    TFormatSettings dmy = Us();
    dmy.DateOrder = TDateOrder::doDMY;
    dmy.DateSeparator = '.';
    Check(
        {{"day first", "31.12.1999", 36525.0}, {"month first refused", "12.31.1999", std::nullopt}},
        StrToDateTime, dmy);
}

} // namespace

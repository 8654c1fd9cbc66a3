#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/number_rules.h"
#include "platform/runtime_error.h"

using platform::NumberFormat;
using platform::parseNumber;
using platform::writeDecimal;
using platform::writeGeneral;

using namespace std::literals;

namespace {

const NumberFormat russian = NumberFormat::russian();
const NumberFormat english = NumberFormat::english();

struct Accepted {
    const char16_t* text;
    double value;
};

TEST(NumberTest, AcceptsTheNumberFormsUnderRussianSettings)
{
    const Accepted cases[] = {
        {u"1,5", 1.5},
        {u"-2", -2.0},
        {u"  -2  ", -2.0},
        {u"\t3\t", 3.0},
        {u"+4", 4.0},
        {u"1E3", 1000.0},
        {u"1e3", 1000.0},
        {u"1,5E-3", 0.0015},
        {u"2E+2", 200.0},
        {u",5", 0.5},
        {u"5,", 5.0},
        {u"1\u00A0234,5", 1234.5},
        {u"1 234,5", 1234.5},
        {u"1\u202F234", 1234.0},
        {u"12 345 678", 12345678.0},
        {u"\u00A07\u00A0", 7.0},
        {u"0,1", 0.1},
        {u"1,7976931348623157E308", 1.7976931348623157E308},
        {u"4,9E-324", 4.9E-324},
        {u"1E-999", 0.0},
        {u"000123", 123.0},
    };
    for (const auto& [text, value] : cases) {
        const auto parsed = parseNumber(text, russian);
        ASSERT_TRUE(parsed.has_value()) << std::u16string(text).size();
        EXPECT_EQ(*parsed, value);
    }
}

TEST(NumberTest, RefusesWhatIsNoNumberUnderRussianSettings)
{
    const std::u16string_view refused[] = {
        u""sv, u"   "sv, u"\t"sv, u"1.5"sv, u"1,2,3"sv, u","sv, u"-"sv, u"+"sv, u"--1"sv, u"+-1"sv, u"1e"sv, u"1E+"sv, u"E5"sv,
        u"1E999"sv, u"-1E999"sv, u"nan"sv, u"inf"sv, u"Infinity"sv, u"0x10"sv, u"&H10"sv, u"(5)"sv, u"5-"sv, u"1 2"sv,
        u"12 34,5"sv, u"1,5 E3"sv, u"1 234,5 6"sv, u"\u2212" u"5"sv, u"\u0661"sv, u"\uFF15"sv, u"5\u200F"sv, u"5\0" u"5"sv,
        u"\xD800" u"5"sv, u"1,5,"sv, u"1E5,5"sv, u"1E5.5"sv, u"$5"sv,
    };
    for (std::size_t k = 0; k < std::size(refused); ++k)
        EXPECT_FALSE(parseNumber(refused[k], russian).has_value()) << "row " << k;
}

TEST(NumberTest, FollowsEnglishSettings)
{
    EXPECT_EQ(parseNumber(u"1.5", english), 1.5);
    EXPECT_EQ(parseNumber(u"1,234.5", english), 1234.5);
    EXPECT_EQ(parseNumber(u"1,234,567", english), 1234567.0);
    EXPECT_FALSE(parseNumber(u"1,5", english).has_value());  // no silent 15
    EXPECT_FALSE(parseNumber(u"1 234", english).has_value());
    EXPECT_FALSE(parseNumber(u"1.234.5", english).has_value());
    EXPECT_FALSE(parseNumber(u"1,23", english).has_value());
}

TEST(NumberTest, ConvertsToTheNearestDouble)
{
    EXPECT_EQ(parseNumber(u"0,1", russian), 0.1);
    EXPECT_EQ(parseNumber(u"2,2250738585072011E-308", russian), 2.2250738585072011E-308);
    // 2^53 + 1 lies halfway: ties to even.
    EXPECT_EQ(parseNumber(u"9007199254740993", russian), 9007199254740992.0);
    EXPECT_EQ(parseNumber(u"1,7976931348623158E308", russian), std::numeric_limits<double>::max());
    EXPECT_FALSE(parseNumber(u"1,7976931348623159E308", russian).has_value());
    const auto negativeZero = parseNumber(u"-1E-400", russian);
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_TRUE(*negativeZero == 0.0 && std::signbit(*negativeZero));
}

TEST(NumberTest, LongTextsAreDecidedWithoutLoss)
{
    const std::u16string digits(100000, u'7');
    EXPECT_FALSE(parseNumber(digits, russian).has_value());  // far beyond the double range
    EXPECT_EQ(parseNumber(u"0," + std::u16string(400, u'0') + u"1E+401", russian), 1.0);
    EXPECT_EQ(parseNumber(u"1E-99999999999999999999", russian), 0.0);
    EXPECT_FALSE(parseNumber(u"1E99999999999999999999", russian).has_value());
}

struct Written {
    double value;
    const char16_t* text;
};

TEST(NumberWriting, GeneralRuleExamples)
{
    const Written cases[] = {
        {2.0, u"2"},
        {-0.5, u"-0,5"},
        {1.0 / 3.0, u"0,333333333333333"},
        {0.0001, u"0,0001"},
        {0.00001, u"1E-05"},
        {1.5E20, u"1,5E+20"},
        {0.0, u"0"},
        {-0.0, u"0"},
        {0.9999999999999998, u"1"},
        {123456789012345.0, u"123456789012345"},
        {999999999999999.4, u"999999999999999"},
        {1E15, u"1E+15"},
        {-2.5E-100, u"-2,5E-100"},
        {1.7976931348623157E308, u"1,79769313486232E+308"},
        {4.9E-324, u"4,94065645841247E-324"},
        {0.00009999999999999999, u"0,0001"},
        {1E+100, u"1E+100"},
        {1234.5, u"1234,5"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(writeGeneral(value, russian), std::u16string(text)) << value;
    EXPECT_EQ(writeGeneral(-0.5, english), u"-0.5");
}

TEST(NumberWriting, DecimalRuleExamples)
{
    const Written cases[] = {
        {0.0, u"0"},
        {2.5, u"2,5"},
        {1.5E-10, u"0,00000000015"},
        {1.0 / 3.0, u"0,333333333333333"},
        {0.6, u"0,6"},
        {100.0, u"100"},
        {1.2345678901234567E20, u"123456789012346000000"},
        {1E-28, u"0,0000000000000000000000000001"},
        {1.23456789012345E-20, u"0,0000000000000000000123456789"},
        {1E-29, u"0"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(writeDecimal(value, russian), std::u16string(text)) << value;
    EXPECT_EQ(writeDecimal(2.5, english), u"2.5");
}

TEST(NumberWriting, DecimalRuleShowsTheWorkedExampleFigure)
{
    // The error figure of 3 X1 + 4 X2 = 7, X1 + 2 X2 = 3 as the solver leaves it.
    const double x2 = 0.9999999999999998;
    const double s1 = 3.0 * 1.0 + 4.0 * x2;
    const double s2 = 1.0 * 1.0 + 2.0 * x2;
    const double figure = std::fabs((s1 - 7.0) / s1) * 100.0 + std::fabs((s2 - 3.0) / s2) * 100.0;
    EXPECT_EQ(writeDecimal(figure, russian), u"0,000000000000027491236800242");
}

TEST(NumberWriting, DecimalRuleOverflowsBeyondTheDecimalRange)
{
    EXPECT_EQ(writeDecimal(7.92281625142643E28, russian), u"79228162514264300000000000000");
    EXPECT_THROW(writeDecimal(7.92281625142644E28, russian), platform::RuntimeError);
    EXPECT_THROW(writeDecimal(1E29, russian), platform::RuntimeError);
}

TEST(NumberWriting, GeneralTextParsesBackToTheRoundedValue)
{
    const double values[] = {1.0 / 3.0, -2.0 / 7.0, 1E-05, 123456.789, 6.02214076E23, 1E-300, 0.1};
    for (double value : values) {
        const auto back = parseNumber(writeGeneral(value, russian), russian);
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back, value, std::fabs(value) * 1E-14);
    }
}

}  // namespace

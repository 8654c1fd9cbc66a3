#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/number_rules.h"
#include "support/hostile_texts.h"

namespace {

// The same double, bit for bit: -0 is not 0 here.
bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void checkAll(const platform::NumberFormat& format, std::optional<double> HostileText::*expected)
{
    for (const HostileText& row : hostileTexts()) {
        const auto parsed = platform::parseNumber(row.text, format);
        const auto& wanted = row.*expected;
        EXPECT_EQ(parsed.has_value(), wanted.has_value()) << row.name;
        if (parsed && wanted) {
            EXPECT_TRUE(sameDouble(*parsed, *wanted)) << row.name << ": " << *parsed << " != " << *wanted;
            EXPECT_TRUE(std::isfinite(*parsed)) << row.name;
        }
    }
}

TEST(HostileTexts, TableIsLargeAndNamed)
{
    EXPECT_GE(hostileTexts().size(), 100u);
}

TEST(HostileTexts, UnderRussianSettings)
{
    checkAll(platform::NumberFormat::russian(), &HostileText::russian);
}

TEST(HostileTexts, UnderEnglishSettings)
{
    checkAll(platform::NumberFormat::english(), &HostileText::english);
}

}  // namespace

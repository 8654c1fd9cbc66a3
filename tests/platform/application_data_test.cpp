#include <gtest/gtest.h>

#include "platform/application_data.h"

TEST(ApplicationData, TitleAndVersionText)
{
    EXPECT_EQ(platform::applicationTitle(), "Реализация метода вращений");
    EXPECT_EQ(platform::versionMajor(), 2);
    EXPECT_EQ(platform::versionMinor(), 3);
    EXPECT_EQ(platform::versionRevision(), 28);
    EXPECT_EQ(platform::versionText(), "Version 2.3.28");
}

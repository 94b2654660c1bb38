#include "component/Guid.h"
#include "component/HResult.h"

#include <gtest/gtest.h>

using namespace component;

TEST(Guid, TextAndParseAgree)
{
    constexpr Guid id = guid("{779055ef-D8BE-11D2-B532-00104B9A3597}");
    EXPECT_EQ(id.data1, 0x779055EFu);
    EXPECT_EQ(id.data2, 0xD8BEu);
    EXPECT_EQ(id.data3, 0x11D2u);
    EXPECT_EQ(id.data4[0], 0xB5);
    EXPECT_EQ(id.data4[7], 0x97);
    EXPECT_EQ(id.text(), "{779055EF-D8BE-11D2-B532-00104B9A3597}");
    EXPECT_EQ(Guid::parse(id.text()), id);
    EXPECT_EQ(Guid::parse("{779055ef-d8be-11d2-b532-00104b9a3597}"), id);
}

TEST(Guid, MalformedTextsAreRefused)
{
    for (const char* text : {"", "{}", "779055EF-D8BE-11D2-B532-00104B9A3597",
                             "{779055EF-D8BE-11D2-B532-00104B9A359}", "{779055EF-D8BE-11D2-B532-00104B9A35970}",
                             "{779055EF+D8BE-11D2-B532-00104B9A3597}", "{779055EG-D8BE-11D2-B532-00104B9A3597}",
                             "{779055EF-D8BE-11D2-B53200-104B9A3597}"})
        EXPECT_FALSE(Guid::parse(text).has_value()) << text;
}

TEST(HResult, StatusesBecomeSystemFailures)
{
    EXPECT_EQ(resultFromStatus(0), S_OK);
    EXPECT_EQ(static_cast<std::uint32_t>(resultFromStatus(5)), 0x80070005u);
    EXPECT_EQ(static_cast<std::uint32_t>(resultFromStatus(1016)), 0x800703F8u);
    EXPECT_TRUE(failed(resultFromStatus(2)));
    EXPECT_TRUE(succeeded(S_FALSE));
}

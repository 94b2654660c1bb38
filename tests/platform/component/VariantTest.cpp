#include "component/Variant.h"

#include <gtest/gtest.h>

#include <limits>

using namespace component;

TEST(Variant, NumbersAndBooleansConvertAmongThemselves)
{
    std::int32_t whole = 0;
    EXPECT_TRUE(Variant(true).to(whole));
    EXPECT_EQ(whole, -1);
    EXPECT_TRUE(Variant(2.5).to(whole));
    EXPECT_EQ(whole, 2) << "half to even";
    EXPECT_TRUE(Variant(-3.5).to(whole));
    EXPECT_EQ(whole, -4);
    EXPECT_FALSE(Variant(3e9).to(whole));
    EXPECT_FALSE(Variant(std::numeric_limits<double>::quiet_NaN()).to(whole));
    EXPECT_TRUE(Variant(Variant::Currency{-25000}).to(whole));
    EXPECT_EQ(whole, -2) << "-2.5 half to even";

    std::int64_t currency = 0;
    EXPECT_TRUE(Variant(std::int32_t{7}).to(currency));
    EXPECT_EQ(currency, 70000);
    EXPECT_TRUE(Variant(1.23456).to(currency));
    EXPECT_EQ(currency, 12346);

    double real = 0;
    EXPECT_TRUE(Variant(Variant::Currency{12345}).to(real));
    EXPECT_DOUBLE_EQ(real, 1.2345);

    std::uint32_t bits = 0;
    EXPECT_TRUE(Variant(static_cast<std::int32_t>(0x80000001u)).to(bits));
    EXPECT_EQ(bits, 0x80000001u);

    bool flag = false;
    EXPECT_TRUE(Variant(0.5).to(flag));
    EXPECT_TRUE(flag);
}

TEST(Variant, TextsConvertOnlyToTexts)
{
    std::string text;
    double real = 0;
    bool flag = false;
    EXPECT_TRUE(Variant("1.5").to(text));
    EXPECT_EQ(text, "1.5");
    EXPECT_FALSE(Variant("1.5").to(real));
    EXPECT_FALSE(Variant("1").to(flag));
    EXPECT_FALSE(Variant(1.5).to(text));
    EXPECT_FALSE(Variant().to(real));
}

TEST(Variant, ListsBecomeArraysOfTexts)
{
    const Variant list = toVariant(std::vector<std::string>{"A", "B"});
    ASSERT_EQ(list.kind(), Variant::Kind::Array);
    ASSERT_EQ(list.array().size(), 2u);
    EXPECT_EQ(list.array()[1].text(), "B");
    EXPECT_EQ(toVariant(std::int64_t{5}).kind(), Variant::Kind::Currency);
}

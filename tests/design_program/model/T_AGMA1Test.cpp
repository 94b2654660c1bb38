#include "model/T_AGMA1.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace cindrel::model {
namespace {

using Getter = std::string (T_AGMA1::*)(std::int32_t) const;
using Setter = void (T_AGMA1::*)(std::int32_t, const std::string&);

struct MemberFactor {
    const char* name;
    Getter get;
    Setter set;
    const char* defaultText;
};

const MemberFactor memberFactors[] = {
    {"Kb", &T_AGMA1::Kb, &T_AGMA1::Kb, "1.0*"}, {"Yn", &T_AGMA1::Yn, &T_AGMA1::Yn, "1.0*"},
    {"Zn", &T_AGMA1::Zn, &T_AGMA1::Zn, "1.0*"}, {"SF", &T_AGMA1::SF, &T_AGMA1::SF, "1.0"},
    {"Sh", &T_AGMA1::Sh, &T_AGMA1::Sh, "1.0"},  {"Ch", &T_AGMA1::Ch, &T_AGMA1::Ch, "1.0"},
};

using testsupport::errorNumberOf;

TEST(T_AGMA1, PairFactorDefaultsAndMarkedTextsComeBackUnchanged) {
    T_AGMA1 factors;
    EXPECT_EQ(factors.Ko(), "1.0");
    EXPECT_EQ(factors.Kv(), "1.0*");
    EXPECT_EQ(factors.Ks(), "1.0");
    EXPECT_EQ(factors.Km(), "1.0*");
    EXPECT_EQ(factors.Kt(), "1.0");
    EXPECT_EQ(factors.Kr(), "1.0");
    EXPECT_EQ(factors.Cf(), "1.0");
    factors.Ko("1.25*");
    factors.Kv("");
    factors.Ks("abc");
    factors.Km("1.3");
    factors.Kt("1.1");
    factors.Kr("1.5*");
    factors.Cf("0.9");
    EXPECT_EQ(factors.Ko(), "1.25*");
    EXPECT_EQ(factors.Kv(), "");
    EXPECT_EQ(factors.Ks(), "abc");
    EXPECT_EQ(factors.Km(), "1.3");
    EXPECT_EQ(factors.Kt(), "1.1");
    EXPECT_EQ(factors.Kr(), "1.5*");
    EXPECT_EQ(factors.Cf(), "0.9");
}

class T_AGMA1PerMember : public ::testing::TestWithParam<MemberFactor> {};

TEST_P(T_AGMA1PerMember, DefaultsAndEachMemberApart) {
    const MemberFactor f = GetParam();
    T_AGMA1 factors;
    EXPECT_EQ((factors.*f.get)(0), f.defaultText);
    EXPECT_EQ((factors.*f.get)(1), f.defaultText);
    (factors.*f.set)(1, "1.25*");
    EXPECT_EQ((factors.*f.get)(1), "1.25*");
    EXPECT_EQ((factors.*f.get)(0), f.defaultText);
}

TEST_P(T_AGMA1PerMember, IndexOutsidePinionAndGearIsASubscriptErrorAndStoresNothing) {
    const MemberFactor f = GetParam();
    T_AGMA1 factors;
    for (const std::int32_t index : {2, -1}) {
        EXPECT_EQ(errorNumberOf([&] { (factors.*f.get)(index); }), runtime::SubscriptOutOfRange);
        EXPECT_EQ(errorNumberOf([&] { (factors.*f.set)(index, "9"); }), runtime::SubscriptOutOfRange);
    }
    EXPECT_EQ((factors.*f.get)(0), f.defaultText);
    EXPECT_EQ((factors.*f.get)(1), f.defaultText);
}

INSTANTIATE_TEST_SUITE_P(Factors, T_AGMA1PerMember, ::testing::ValuesIn(memberFactors),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace cindrel::model

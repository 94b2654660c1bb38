#include "dialogs/FileFilter.h"

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

TEST(FileFilter, ParsesDescriptionAndPatternPairs) {
    const std::vector<FileFilterEntry> expected = {
        {QStringLiteral("A (*.a)"), {QStringLiteral("*.a")}},
        {QStringLiteral("B"), {QStringLiteral("*.b"), QStringLiteral("*.c")}},
    };
    EXPECT_EQ(parseFileFilter(QStringLiteral("A (*.a)|*.a|B|*.b;*.c")), expected);
}

struct QtFilterCase {
    const char* filter;
    QStringList expected;
};

void PrintTo(const QtFilterCase& c, std::ostream* os) { *os << '"' << c.filter << '"'; }

class QtFilters : public ::testing::TestWithParam<QtFilterCase> {};

TEST_P(QtFilters, AreWrittenInQtForm) {
    EXPECT_EQ(qtNameFilters(QString::fromUtf8(GetParam().filter)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtFilters,
    ::testing::Values(
        QtFilterCase{"A (*.a)|*.a|B|*.b;*.c", {"A (*.a)", "B (*.b *.c)"}},
        QtFilterCase{"Cindrel files (*.cnd)|*.cnd", {"Cindrel files (*.cnd)"}},
        QtFilterCase{"Vantrope File, *.VPX|*.VPX", {"Vantrope File, *.VPX (*.VPX)"}},
        QtFilterCase{"Text files|*.txt|All files|*.*", {"Text files (*.txt)", "All files (*.*)"}},
        // Patterns already shown with ";" in the description are not repeated.
        QtFilterCase{"Pictures (*.png;*.jpg)|*.png; *.jpg", {"Pictures (*.png;*.jpg)"}},
        // A description that shows other patterns gets the real ones after it.
        QtFilterCase{"Old (*.x)|*.y", {"Old (*.x) (*.y)"}},
        // A lone description matches everything; empty pairs and pieces vanish.
        QtFilterCase{"Anything", {"Anything (*)"}},
        QtFilterCase{"A|*.a||", {"A (*.a)"}},
        QtFilterCase{"|*.a", {"*.a (*.a)"}},
        QtFilterCase{"", {}}),
    [](const ::testing::TestParamInfo<QtFilterCase>& info) { return "Case" + std::to_string(info.index); });

} // namespace

#include "printing/RichText.h"
#include "printing/TableFormat.h"

#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

namespace {

using namespace printing;

struct FormatCase {
    const char* format;
    std::vector<TableColumn> columns;
};

TEST(TableFormat, ColumnsTakeTheirAlignmentAndWidthInTwips)
{
    const std::vector<FormatCase> cases = {
        {"<+8900", {{Alignment::Left, 8900}}},
        {">+1400|^+7500", {{Alignment::Right, 1400}, {Alignment::Centre, 7500}}},
        {">+1400|^+1500|^+1500|<+4500",
         {{Alignment::Right, 1400}, {Alignment::Centre, 1500}, {Alignment::Centre, 1500}, {Alignment::Left, 4500}}},
        {"1000| > 2000 ", {{Alignment::Left, 1000}, {Alignment::Right, 2000}}},
    };
    for (const auto& [format, columns] : cases)
        EXPECT_EQ(parseTableFormat(QString::fromLatin1(format)), columns) << format;
}

TEST(TableFormat, AFormatThatCannotBeReadIsRefusedWithInvalidValue)
{
    for (const char* format : {"", "   ", ">+1400||<+100", "^+", "<+abc", ">+0", "<+-100", "<+99999999999", "x+100",
                               ">+1400|^+15.5"})
        EXPECT_EQ(testsupport::errorNumberOf([&] { parseTableFormat(QString::fromLatin1(format)); }), 380) << format;
}

TEST(TableFormat, HeaderRowsEndAtSemicolonsAndBodyRowsAtLineBreaks)
{
    const auto header = parseTableHeader(QStringLiteral("{\\b Variable}|{\\b Pinion}|{\\b Gear}|{\\b Description};"));
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0], (QStringList{"{\\b Variable}", "{\\b Pinion}", "{\\b Gear}", "{\\b Description}"}));
    EXPECT_TRUE(parseTableHeader(QString()).empty());
    EXPECT_EQ(parseTableHeader(QStringLiteral("a|b;c|d;")).size(), 2u);

    // A description may hold a semicolon; it stays in its cell.
    const auto body = parseTableBody(QStringLiteral("N|12|40|Teeth; pinion first\r\nm|3|3|Module\r\n"));
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(body[0][3], QStringLiteral("Teeth; pinion first"));
    EXPECT_EQ(body[1], (QStringList{"m", "3", "3", "Module"}));
    EXPECT_TRUE(parseTableBody(QString()).empty());
}

struct RunCase {
    const char* text;
    // Runs as text, bold, italic, underline, points.
    std::vector<std::tuple<QString, bool, bool, bool, double>> runs;
};

TEST(RichText, GroupsChangeTheStyleOnlyForTheirText)
{
    const std::vector<RunCase> cases = {
        {"plain text", {{"plain text", false, false, false, 10}}},
        {"{\\b Variable}", {{"Variable", true, false, false, 10}}},
        {"{\\b\\fs24 Main Inputs}", {{"Main Inputs", true, false, false, 12}}},
        {"{\\b\\fs24\\ul NOTES:}", {{"NOTES:", true, false, true, 12}}},
        {"{\\b\\i N}|12", {{"N", true, true, false, 10}, {"|12", false, false, false, 10}}},
        {"a{\\b b{\\i c}d}e",
         {{"a", false, false, false, 10}, {"b", true, false, false, 10}, {"c", true, true, false, 10},
          {"d", true, false, false, 10}, {"e", false, false, false, 10}}},
        // Only the first blank after the control words belongs to them.
        {"{\\b  two}", {{" two", true, false, false, 10}}},
        {"{\\b bold \\b0 plain}", {{"bold ", true, false, false, 10}, {"plain", false, false, false, 10}}},
        // Escapes, braces that open no group and a stray closing brace are text.
        {"\\{x\\} {y} z}", {{"{x} {y} z}", false, false, false, 10}}},
        // An unclosed group runs to the end; an unknown word and a size of nothing are dropped.
        {"{\\b\\zzz12\\fs0 open", {{"open", true, false, false, 10}}},
        {"{\\fs99999999 huge}", {{"huge", false, false, false, 500}}},
        {"", {}},
    };
    TextStyle base;
    for (const RunCase& c : cases) {
        const auto runs = parseRichText(QString::fromLatin1(c.text), base);
        ASSERT_EQ(runs.size(), c.runs.size()) << c.text;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const auto& [text, bold, italic, underline, points] = c.runs[i];
            EXPECT_EQ(runs[i].text, text) << c.text;
            EXPECT_EQ(runs[i].style.bold, bold) << c.text;
            EXPECT_EQ(runs[i].style.italic, italic) << c.text;
            EXPECT_EQ(runs[i].style.underline, underline) << c.text;
            EXPECT_EQ(runs[i].style.points, points) << c.text;
        }
    }
}

TEST(RichText, TheGroupKeepsTheColourAndFontOfTheTextAroundIt)
{
    TextStyle base;
    base.family = QStringLiteral("DejaVu Serif");
    base.color = QColor(255, 0, 0);
    const auto runs = parseRichText(QStringLiteral("{\\b red}"), base);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].style.color, QColor(255, 0, 0));
    EXPECT_EQ(runs[0].style.family, base.family);
}

} // namespace

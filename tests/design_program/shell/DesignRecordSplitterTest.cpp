#include "shell/T_colData.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using cindrel::shell::DesignRecord;
using cindrel::shell::DesignRecordSplitter;

namespace {

struct Split {
    std::string key;
    std::string value;
    bool quoted = false;
    std::size_t fields = 0;
    friend bool operator==(const Split&, const Split&) = default;
};

std::ostream& operator<<(std::ostream& out, const Split& split)
{
    return out << "{" << split.key << "|" << split.value << "|" << (split.quoted ? "quoted" : "bare") << "|"
               << split.fields << "}";
}

struct Splitting {
    std::vector<Split> records;
    bool cut = false;
};

Splitting split(const std::string& text)
{
    const QString decoded = QString::fromStdString(text);
    DesignRecordSplitter splitter(decoded);
    Splitting result;
    while (!splitter.atEnd()) {
        const DesignRecord record = splitter.next();
        result.records.push_back({record.key.toStdString(), record.value.toStdString(), record.valueQuoted,
                                  record.fields});
    }
    result.cut = splitter.endsInsideRecord();
    return result;
}

// The record rules read literally, one search per field from where it
// starts: a model for short texts.
std::vector<Split> modelSplit(const std::string& text)
{
    const auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    const std::size_t n = text.size();
    std::vector<Split> records;
    std::size_t i = 0;
    for (;;) {
        while (i < n && lineEnd(text[i]))
            ++i;
        if (i >= n)
            return records;
        Split record;
        for (;;) {
            while (i < n && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            std::string field;
            bool quoted = false;
            if (i < n && text[i] == '"') {
                quoted = true;
                const std::size_t start = i + 1;
                const std::size_t close = text.find('"', start);
                std::size_t end = start;
                while (end < n && !lineEnd(text[end]))
                    ++end;
                const bool closes = close != std::string::npos &&
                                    (close < end || close + 1 == n || text[close + 1] == ',' || lineEnd(text[close + 1]));
                field = text.substr(start, (closes ? close : end) - start);
                i = closes ? close + 1 : end;
            } else {
                const std::size_t start = i;
                while (i < n && text[i] != ',' && !lineEnd(text[i]))
                    ++i;
                field = text.substr(start, i - start);
                field.erase(0, field.find_first_not_of(" \t"));
                field.erase(field.find_last_not_of(" \t") + 1);
            }
            while (i < n && text[i] != ',' && !lineEnd(text[i]))
                ++i;
            if (record.fields == 0)
                record.key = field;
            if (record.fields == 1) {
                record.value = field;
                record.quoted = quoted;
            }
            ++record.fields;
            if (i >= n || lineEnd(text[i]))
                break;
            ++i;
        }
        records.push_back(record);
    }
}

TEST(DesignRecordSplitter, SplitsRecordsAsTheFormatReadsThem)
{
    struct Case {
        const char* what;
        std::string text;
        std::vector<Split> records;
    };
    const std::vector<Case> cases = {
        {"quoted and bare values", "\"k\",\"v\"\r\n\"c\",1\r\n", {{"k", "v", true, 2}, {"c", "1", false, 2}}},
        {"a comma inside quotes", "\"k\",\"a,b\"\r\n", {{"k", "a,b", true, 2}}},
        {"a doubled quote ends the value", "\"k\",\"a\"\"b\"\r\n", {{"k", "a", true, 2}}},
        {"bare fields are trimmed", " k\t,  v w  \r\n", {{"k", "v w", false, 2}}},
        {"what follows a closing quote is dropped", "\"k\"x , \"v\"  y,z\r\n", {{"k", "v", true, 3}}},
        {"LF, CR and blank lines", "a,b\n\r\nc,d\re,f", {{"a", "b", false, 2}, {"c", "d", false, 2}, {"e", "f", false, 2}}},
        {"a quote closing on a later line spans it", "\"n\",\"one\r\ntwo\"\r\n\"k\",\"v\"",
         {{"n", "one\r\ntwo", true, 2}, {"k", "v", true, 2}}},
        {"a quote never closed ends with its line", "\"k\",\"26\r\n\"c\",\"1\"\r\n",
         {{"k", "26", true, 2}, {"c", "1", true, 2}}},
        {"a line ending in an opening quote", "\"k\",\"\r\n\"c\",\"1\"\r\n", {{"k", "", true, 2}, {"c", "1", true, 2}}},
        {"a quote at the very end closes", "\"k\",\"2\r\n\"", {{"k", "2\r\n", true, 2}}},
        {"a trailing comma is an empty field", "\"k\",\"v\",\r\n", {{"k", "v", true, 3}}},
        {"a key alone", "\"k\"\r\n", {{"k", "", false, 1}}},
        {"nothing", "\r\n\r\n", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(split(c.text).records, c.records) << c.what;
        EXPECT_EQ(modelSplit(c.text), c.records) << c.what << " (the model)";
    }
}

// A file that ends inside its last record was cut short; one whose last
// record is whole, with or without its line end, was not.
TEST(DesignRecordSplitter, TellsATextThatEndsInsideARecord)
{
    struct Case {
        std::string text;
        bool cut;
    };
    const Case cases[] = {
        {"\"a\",\"1\"\r\n\"k\",\"2", true},
        {"\"k\",\"2\r\n", true},
        {"\"k\",\"2\r\n\r\n", true},
        {"\"k\",\"v\",\"abc", true},
        {"\"frmMain_txt", true},
        {"\"k\",", true},
        {"\"k\"", true},
        {"\"k\",\"v\"", false},
        {"\"k\",\"v\"\r\n", false},
        {"\"k\",\"\"", false},
        {"\"k\",0", false},
        {"\"k\",\"v\",", false},
        {"\"k\",\r\n", false},
        {"\"k\",\"2\r\nx,y\r\n", false},
        {"\"k\",\"2\r\n\"", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(split(c.text).cut, c.cut) << c.text;
}

// Texts made mostly of the format's own characters, of every length up to a
// few hundred: each is split as the rules, read one field at a time, split it.
TEST(DesignRecordSplitter, AgreesWithTheRulesOnRandomTexts)
{
    const std::string alphabet = "\"\"\",,,\r\n\n  \tab";
    std::mt19937 random(34);
    for (int round = 0; round < 4000; ++round) {
        std::string text(static_cast<std::size_t>(round % 300), ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        ASSERT_EQ(split(text).records, modelSplit(text)) << '[' << text << ']';
    }
}

// Lines of hundreds of thousands of fields, and a value over as many lines,
// read whole, with the records after them.
TEST(DesignRecordSplitter, ReadsLongLinesWhole)
{
    constexpr std::size_t Repeats = 200000;
    std::string quoted;
    std::string bare;
    std::string notes;
    for (std::size_t i = 0; i < Repeats; ++i) {
        quoted += "\"frmMain_txtPARad\",\"v\",";
        bare += "frmMain_txtPARad,v,";
        notes += "line\r\n";
    }
    const std::string after = "\r\n\"k\",\"w\"\r\n";
    EXPECT_EQ(split(quoted + after).records,
              (std::vector<Split>{{"frmMain_txtPARad", "v", true, 2 * Repeats + 1}, {"k", "w", true, 2}}));
    EXPECT_EQ(split(bare + after).records,
              (std::vector<Split>{{"frmMain_txtPARad", "v", false, 2 * Repeats + 1}, {"k", "w", true, 2}}));
    EXPECT_EQ(split("\"frmMain_lblRunNotes\",\"" + notes + "\"" + after).records,
              (std::vector<Split>{{"frmMain_lblRunNotes", notes, true, 2}, {"k", "w", true, 2}}));
    // Quotes that close nothing, on one line, to the end of the text.
    std::string unclosed = "\"frmMain_txtPARad\",\"";
    for (std::size_t i = 0; i < Repeats; ++i)
        unclosed += "a\"b";
    const Splitting read = split(unclosed);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0].value, "a");
    EXPECT_EQ(read.records[0].fields, 2u);
}

} // namespace

#pragma once

// Results tables written out cell by cell and compared with golden files.

#include "support/FileText.h"

#include "results/ResultTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cindrel::sequence::testing {

inline std::string goldenPath(const std::string& name)
{
    return std::string(GEARSUITE_TEST_DATA) + "/design_program/sequence/" + name;
}

// Compares with the golden file; GEARSUITE_UPDATE_GOLDEN=1 rewrites it instead.
inline void expectGolden(const std::string& name, const std::string& actual)
{
    const std::string path = goldenPath(name);
    if (std::getenv("GEARSUITE_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(actual, testsupport::fileText(path)) << name;
}

// A cell with its kind, so that a number stored as itself, its text and a label differ.
inline std::string describe(const results::Cell& cell)
{
    struct Visitor {
        std::string operator()(std::monostate) const { return "empty"; }
        std::string operator()(const std::string& text) const { return "\"" + text + "\""; }
        std::string operator()(std::int16_t number) const { return "int16 " + std::to_string(number); }
        std::string operator()(double number) const { return "double " + results::cellText(number, nullptr); }
        std::string operator()(const results::LabelRef& label) const
        {
            return "label " + label.name + (label.index < 0 ? "" : "(" + std::to_string(label.index) + ")");
        }
    };
    return std::visit(Visitor{}, cell);
}

// Every cell of every row, one row a line, the columns joined by " | ".
inline std::string describe(const results::ResultTable& table)
{
    std::string text;
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < results::ResultRow::ColumnCount; ++column)
            text += (column == 0 ? "" : " | ") + describe(table.at(row, column));
        text += '\n';
    }
    return text;
}

// The keys of the rows, in order.
inline std::vector<std::string> keysOf(const results::ResultTable& table)
{
    std::vector<std::string> keys;
    for (int row = 0; row < table.rowCount(); ++row)
        keys.push_back(results::cellText(table.at(row, results::ResultRow::Key), nullptr));
    return keys;
}

// A cell of the row with the key (its occurrence-th such row) as text.
inline std::string cellOfKey(const results::ResultTable& table, std::string_view key, int column, int occurrence = 0)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        if (results::cellText(table.at(row, results::ResultRow::Key), nullptr) == key && occurrence-- == 0)
            return results::cellText(table.at(row, column), nullptr);
    }
    return "<no row " + std::string(key) + ">";
}

} // namespace cindrel::sequence::testing

#pragma once

#include "results/ResultTable.h"

#include "runtime/ErrorReporter.h"
#include "runtime/ResumeNext.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace cindrel::results {

// One run of the results-table builder: the settings it reads once, the table
// it builds and its row counter, and the error trap under which every
// statement runs. A statement that raises a run-time error is reported once
// ("StateNavigator", "GetString") and skipped; the run goes on with the next.
//
//   TableRun run(settings.DecimalPrecision2(0), runLog);
//   run.readRadiusForm([&] { return settings.DiamRad(); });
//   run.readHelical([&] { return Oset.Psi(); });
//   run.size(8);
//   run.setRow(-1);
//   run.nextRow();
//   run.pairRow("Rb", [&] { return run.format(run.radius(pinion.Rb(), lf)); }, ..., ...);
class TableRun {
public:
    // The number format pattern has been read by the caller: an error there is
    // the caller's, not the run's.
    TableRun(std::string numberFormat, runtime::ErrorReporter& reporter);

    // The radius form from the diameter-or-radius setting: 2 shows diameters,
    // 1, any other value or a failed read radii.
    void readRadiusForm(const std::function<std::int32_t()>& diamRad);
    // The helical flag: the helix angle is not exactly 0. False when the read fails.
    void readHelical(const std::function<double()>& helixAngle);

    const std::string& numberFormat() const { return numberFormat_; }
    std::int16_t radiusFactor() const { return radiusFactor_; }
    // " (radius)" or " (diameter)", with its leading blank.
    const std::string& radiusSuffix() const { return radiusSuffix_; }
    bool helical() const { return helical_; }

    // Runs one statement; false when it raised (and was reported).
    template <typename Step>
    bool statement(Step&& step) { return next_(std::forward<Step>(step)); }

    // The condition of an If: a condition that raises is reported and counts
    // as holding, so the run goes on inside its Then branch.
    template <typename Predicate>
    bool condition(Predicate&& predicate)
    {
        bool holds = true;
        next_([&] { holds = static_cast<bool>(predicate()); });
        return holds;
    }

    // Sizes the table to rows 0 to lastRow, every cell empty (a statement).
    void size(int lastRow);
    // The row counter (each a statement; the increment overflows at 32767).
    void setRow(int row);
    void nextRow();
    int row() const { return row_; }

    // Writes one cell of the current row (a statement). The value is a cell
    // value (a text, a 16-bit integer, a double, a label; a 32-bit integer is
    // kept as a double) or a function giving one, called inside the statement
    // so that its errors are trapped too. A double must be finite.
    template <typename Value>
    void cell(int column, Value&& value)
    {
        next_([&] { store(column, evaluate(std::forward<Value>(value))); });
    }
    // Copies a cell of the current row into another (a statement).
    void copyCell(int from, int to);

    // The common rows, eight statements each in column order; masks 0.
    // A pair row: separate pinion and gear values.
    template <typename Key, typename Pinion, typename Gear, typename Description>
    void pairRow(Key&& key, Pinion&& pinion, Gear&& gear, Description&& description)
    {
        cell(ResultRow::Key, std::forward<Key>(key));
        cell(ResultRow::PinionValue, std::forward<Pinion>(pinion));
        cell(ResultRow::GearValue, std::forward<Gear>(gear));
        cell(ResultRow::Description, std::forward<Description>(description));
        kindAndMasks(RowKindPair);
    }
    // A set-value row: one value of the pair, copied into the gear column.
    template <typename Key, typename Value, typename Description>
    void setValueRow(Key&& key, Value&& value, Description&& description)
    {
        cell(ResultRow::Key, std::forward<Key>(key));
        cell(ResultRow::PinionValue, std::forward<Value>(value));
        copyCell(ResultRow::PinionValue, ResultRow::GearValue);
        cell(ResultRow::Description, std::forward<Description>(description));
        kindAndMasks(RowKindSetValue);
    }
    // A text row: one text copied into the gear and description columns.
    template <typename Key, typename Text>
    void textRow(Key&& key, Text&& text)
    {
        cell(ResultRow::Key, std::forward<Key>(key));
        cell(ResultRow::PinionValue, std::forward<Text>(text));
        copyCell(ResultRow::PinionValue, ResultRow::GearValue);
        copyCell(ResultRow::PinionValue, ResultRow::Description);
        kindAndMasks(RowKindText);
    }

    // Format(value, number format); Overflow for a value that is not finite.
    std::string format(double value) const;
    // Format(value, pattern) with a literal pattern.
    static std::string format(double value, std::string_view pattern);
    // A radius in display units in the run's radius form: value × lengthFactor × radius factor.
    double radius(double value, double lengthFactor) const;

    // Statements that raised so far.
    int errorCount() const { return next_.errorCount(); }

    // The table built, if the run sized one.
    bool hasTable() const { return table_.has_value(); }
    const ResultTable& table() const;
    ResultTable takeTable();

private:
    template <typename Value>
    static Cell evaluate(Value&& value)
    {
        if constexpr (std::invocable<Value>)
            return toCell(std::forward<Value>(value)());
        else
            return toCell(std::forward<Value>(value));
    }
    template <typename T>
    static Cell toCell(T&& value)
    {
        using Plain = std::remove_cvref_t<T>;
        if constexpr (std::is_same_v<Plain, Cell> || std::is_same_v<Plain, std::string> ||
                      std::is_same_v<Plain, std::int16_t> || std::is_same_v<Plain, double> ||
                      std::is_same_v<Plain, LabelRef>)
            return Cell(std::forward<T>(value));
        else if constexpr (std::is_same_v<Plain, std::int32_t>)
            return Cell(static_cast<double>(value)); // a whole number stored as itself ("20")
        else if constexpr (std::is_convertible_v<T, std::string_view>)
            return Cell(std::string(std::string_view(value)));
        else
            static_assert(sizeof(T) == 0, "a cell holds a text, a 16-bit integer, a double or a label");
    }
    void store(int column, Cell value);
    void kindAndMasks(std::int16_t kind);

    runtime::ResumeNext next_;
    std::string numberFormat_;
    std::int16_t radiusFactor_ = 1;
    std::string radiusSuffix_ = " (radius)";
    bool helical_ = false;
    std::optional<ResultTable> table_;
    int row_ = 0;
};

} // namespace cindrel::results

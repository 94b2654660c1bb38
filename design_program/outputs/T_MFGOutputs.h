#pragma once

#include "outputs/MfgHost.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cindrel::model {
class T_Set;
}

namespace cindrel::outputs {

// The manufacturing data table of the current gear pair: one row per
// quantity a gear shop needs, with the pinion's and the gear's value as
// display text. The window hands the shop inputs to the setters and calls
// MakeNewArray; the grid, the printout and the copy command then read
// MFGArray. Every index is 0 for the pinion and 1 for the gear; any other
// raises the subscript error.
class T_MFGOutputs {
public:
    // Cells: description with its unit label, pinion value, gear value,
    // layout index ("0" two values, "3" one value for the pair).
    using Row = std::array<std::string, 4>;
    using Table = std::vector<Row>;

    T_MFGOutputs(model::T_Set& pair, MfgHost& host);

    // The six tolerance texts of both members from the pair, Quality and
    // TTK_Code, through the metric tolerance class when the metric box is ticked.
    void GetTolerances();
    // Builds the table from the model and the fields, puts it on the
    // clipboard and shows the pin and span diagnostics in the run log.
    // Raises the model's or the clipboard's runtime error; the clipboard and
    // the run log are written only once every row is built.
    Table NewMFGArray();
    // Builds the table and keeps it. A build that fails is reported to the
    // error handler and returns false: the previous table, the clipboard and
    // the run log stay as they were.
    bool MakeNewArray();
    // Why the last MakeNewArray failed; empty after one that built the table.
    const std::string& lastFailure() const { return lastFailure_; }

    // Nothing until the first successful build.
    const std::optional<Table>& MFGArray() const { return MFGArray_; }

    // The window's edit panel. TIF is an allowance in inches, PinDiam a pin
    // diameter in inches.
    void TIF(int index, double value);
    void PinDiam(int index, double value);
    void Quality(int index, double value);
    void TTK_Code(int index, const std::string& value);
    // The position in the decimal-places list; the table shows one more
    // decimal than that (position 0 is "1"). Overflow for the largest value.
    void Decimals(std::int32_t listPosition);
    std::int32_t Decimals() const { return decimals_; }
    void TeethSpanned(int index, std::int16_t value);
    std::int16_t TeethSpanned(int index) const;
    void PrintMFGNotes(bool value) { printMFGNotes_ = value; }
    bool PrintMFGNotes() const { return printMFGNotes_; }
    void HelixHand(int index, const std::string& value);

    // The build's clipboard text: every row as "c0, c1, c2, c3" and CR LF.
    static std::string clipboardText(const Table& table);
    // The copy command's text: "Description, Pinion, Gear", then each row as
    // "c0,c1,c2" after a CR LF, with no CR LF at the end.
    static std::string copyText(const Table& table);

    // Replaces the clipboard with copyText of the kept table. False, with the
    // clipboard untouched, when there is no table yet or the clipboard
    // refused (that failure goes to the error handler).
    bool Array2ClipBoard();

    // Decimals beyond this are refused with InvalidProcedureCall: no table
    // needs them, and a huge count would only make huge texts.
    static constexpr std::int32_t MostDecimals = 15;

private:
    static std::size_t member(int index);
    std::string formatted(double value) const;

    model::T_Set& pair_;
    MfgHost& host_;

    std::array<double, 2> TIF_{};
    std::array<std::int16_t, 2> TeethSpanned_{};
    std::array<double, 2> PinDiam_{};
    std::array<double, 2> Quality_{};
    std::array<std::string, 2> TTK_Code_;
    std::array<std::string, 2> HelixHand_;
    std::int32_t decimals_ = 0;
    bool printMFGNotes_ = false;

    std::array<std::string, 2> RadialRunout_;
    std::array<std::string, 2> PitchVariation_;
    std::array<std::string, 2> ProfileTolerance_;
    std::array<std::string, 2> ToothAlignment_;
    std::array<std::string, 2> TotalComposite_;
    std::array<std::string, 2> Tooth2ToothComposite_;

    std::optional<Table> MFGArray_;
    std::string lastFailure_;
};

} // namespace cindrel::outputs

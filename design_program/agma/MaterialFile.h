#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A user material table file: four free header lines, then one row per line,
// fields separated by commas, no quoting. The file is checked whole; a file
// with any fault is left out, never half taken.
namespace cindrel::agma {

// Limits of what a user table may hold.
inline constexpr std::size_t MaterialFileByteLimit = 1024 * 1024; // a file must be smaller
inline constexpr std::size_t MaterialFieldLimit = 100;           // fields of one row, at most
inline constexpr int MaterialRowLimit = 32767;                  // last row of the whole table

// The rows of an accepted file, stored under their ids (0 to n - 1), with the
// fields as the file gives them; parents still count within the file.
struct MaterialFileRows {
    std::vector<std::vector<std::string>> rows;
};

// Why a file was left out. line is the 1-based line of the file (header and
// empty lines counted), 0 when the fault is the file's as a whole.
struct LeftOutFile {
    std::string name;
    int line = 0;
    std::string reason;
    int errorNumber = 0; // the run-time error number the run log shows
};

// The fields of one row: every comma separates two fields, no quoting.
std::vector<std::string> splitMaterialFields(std::string_view row);

// Checks the bytes of one file whose rows would begin at table row firstRow.
// Line ends CR, LF or CR LF; UTF-8, else Latin-1 (the rows come back UTF-8).
std::variant<MaterialFileRows, LeftOutFile> parseMaterialFile(const std::string& name, std::string_view bytes,
                                                              int firstRow);

} // namespace cindrel::agma

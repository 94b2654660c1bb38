#pragma once

#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;

// Copying what can still be read out of a damaged store. Internal to the store.
namespace registry::detail {

// Key and value names compared without regard to ASCII letter case.
std::string foldCase(std::string_view name);

// A file URI that opens the file read-only as it stands ("immutable"):
// every byte outside the plain set escaped, so that "?", "#" and "%" in
// folder names stay part of the path.
std::string immutableUri(const std::filesystem::path& file);

struct RescueResult {
    // False when not even the store's tables could be found in the file.
    bool readable = false;
    int keptValues = 0;
    // Values whose row, or the row of a key above them, could not be read.
    int lostValues = 0;
};

// Reads every key and value that can still be read from the damaged store
// `damaged`, opened for reading only so that it stays as it is, and adds
// them to the store open in `target`, whose tables must exist: keys keep their
// ids and values their order. Rows are read one by one by their row number,
// so a damaged page or index costs only the rows on it.
RescueResult rescueInto(sqlite3* target, const std::filesystem::path& damaged);

} // namespace registry::detail

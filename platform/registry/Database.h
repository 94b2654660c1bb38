#pragma once

#include "registry/RegistryTypes.h"
#include "registry/Store.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The SQLite side of the store: opening with recovery from a damaged file,
// the schema, cached statements and write transactions. Internal to the store.
//
// Opening waits for other programs within one busy wait (5 s), whatever the
// step that meets their lock. What it ends with, in order of preference:
// - the file, read and written;
// - a damaged file moved aside and a new one in its place, holding every
//   value that could still be read from the damaged one;
// - the file read only (it may not be written, or stayed locked past the
//   wait): saved settings are read, every write fails;
// - an empty store in memory, holding what could be read from a damaged
//   file that could not be moved: its defaults are read, every write fails.
// A write that fails is logged and reported, never taken for kept.
namespace registry::detail {

enum class Sql : std::size_t {
    RootId,
    InsertRoot,
    ChildKey,
    KeyExists,
    InsertKey,
    HasSubKey,
    SelectValue,
    UpsertValue,
    DeleteValue,
    DeleteKeyValues,
    DeleteKeyRow,
    EnumKey,
    EnumValue,
    DeleteTreeValues,
    DeleteTreeKeys,
    DeleteBelowKeys,
    DeleteBelowValues,
    Begin,
    Commit,
    Rollback,
    Count
};

class Database {
public:
    Database(std::filesystem::path file, Logger logger);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::filesystem::path& file() const { return file_; }
    // True when writes are refused: the file could only be opened for
    // reading, or not at all (temporary()).
    bool readOnly() const { return readOnly_; }
    // True when the store lives in memory for this run, every write refused.
    bool temporary() const { return temporary_; }
    sqlite3_stmt* statement(Sql sql) const { return statements_[static_cast<std::size_t>(sql)]; }
    int changes() const;

    // Logs an SQLite failure and gives the status callers see.
    Status failure(int sqliteCode, std::string_view what);

    // Runs `work` inside one write transaction unless one is already open.
    // A store that refuses writes logs the refusal and returns its status
    // (5 for a file that may only be read, 1016 otherwise) without running it.
    Status write(const std::function<Status()>& work);
    // Runs `work` in one transaction even in a temporary store: for laying
    // out the store itself (its roots), never for what callers write.
    Status setUp(const std::function<Status()>& work);

    void log(std::string_view message) const;

    // How long one statement waits for another program's lock, and until
    // when (while opening, one wait covers every step).
    struct BusyWait {
        std::chrono::steady_clock::time_point start;
        std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    };

private:
    enum class Mode { ReadWrite, ReadOnly, Immutable, Temporary };

    bool open(const std::filesystem::path& target, Mode mode = Mode::ReadWrite);
    bool openForReading();
    // Runs SQL while opening, again and again while another program's lock
    // stands in the way (some lock conflicts fail at once, without the busy
    // wait), until the opening's wait is over; the first column of the rows
    // it returns is appended to `rows`.
    int runWhileOpening(const char* sql, std::string* rows = nullptr);
    // SQLITE_OK when the tables that exist have our columns, SQLITE_CORRUPT
    // when they have others, or the error that kept them from being read.
    int checkShape();
    bool looksDamaged(int sqliteCode) const;
    bool isLocked(int sqliteCode) const;
    // The path the damaged file now has, or none when it could not be moved.
    std::optional<std::filesystem::path> moveAside();
    // Copies what can be read from `damaged` into the open store; the text
    // for the log ("kept 3 values, lost 1").
    std::string rescueFrom(const std::filesystem::path& damaged);
    void refuseWrites(Status status, std::string reason);
    void close();

    std::filesystem::path file_;
    Logger logger_;
    sqlite3* db_ = nullptr;
    std::array<sqlite3_stmt*, static_cast<std::size_t>(Sql::Count)> statements_{};
    bool readOnly_ = false;
    bool temporary_ = false;
    Status refusal_ = 0;
    std::string refusalReason_;
    int transactionDepth_ = 0;
    int openFailureCode_ = 0;
    BusyWait busyWait_;
};

// A cached statement in use: bound, stepped, and reset when it goes out of scope.
class Query {
public:
    Query(Database& database, Sql sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(int index, std::int64_t number);
    Query& bind(int index, std::string_view text);
    Query& bindBlob(int index, std::span<const std::uint8_t> bytes);

    // SQLITE_ROW, SQLITE_DONE or an SQLite error code.
    int step();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;

private:
    sqlite3_stmt* statement_;
};

} // namespace registry::detail

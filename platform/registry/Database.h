#pragma once

#include "registry/RegistryTypes.h"
#include "registry/Store.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The SQLite side of the store: opening with recovery from a damaged file,
// the schema, cached statements and write transactions. Internal to the store.
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
    // True when the file could only be opened for reading: writes then fail with 5.
    bool readOnly() const { return readOnly_; }
    sqlite3_stmt* statement(Sql sql) const { return statements_[static_cast<std::size_t>(sql)]; }
    int changes() const;

    // Logs an SQLite failure and gives the status callers see.
    Status failure(int sqliteCode, std::string_view what);

    // Runs `work` inside one write transaction unless one is already open.
    Status write(const std::function<Status()>& work);

    void log(std::string_view message) const;

private:
    enum class Mode { ReadWrite, ReadOnly, Immutable };

    bool open(const std::filesystem::path& target, Mode mode = Mode::ReadWrite);
    bool openForReading();
    bool looksDamaged(int sqliteCode) const;
    void moveAside();
    void close();

    std::filesystem::path file_;
    Logger logger_;
    sqlite3* db_ = nullptr;
    std::array<sqlite3_stmt*, static_cast<std::size_t>(Sql::Count)> statements_{};
    bool readOnly_ = false;
    int transactionDepth_ = 0;
    int openFailureCode_ = 0;
    std::chrono::steady_clock::time_point busyStart_;
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

#include "registry/Database.h"

#include <sqlite3.h>

#include <cctype>
#include <chrono>
#include <ctime>
#include <iostream>
#include <system_error>
#include <thread>

namespace registry::detail {

namespace {

constexpr auto BusyTimeout = std::chrono::seconds(5);

// Waits for another program's write in short steps (SQLite's own timeout
// sleeps in steps of up to 100 ms, which makes two busy writers crawl).
int waitWhileBusy(void* context, int attempt)
{
    auto& start = *static_cast<std::chrono::steady_clock::time_point*>(context);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        start = now;
    if (now - start >= BusyTimeout)
        return 0;
    std::this_thread::sleep_for(std::chrono::microseconds(attempt < 20 ? 50 : 1000));
    return 1;
}

constexpr const char* Schema = R"sql(
CREATE TABLE IF NOT EXISTS registry_keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER NOT NULL,
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    UNIQUE(parent, folded));
CREATE TABLE IF NOT EXISTS registry_values(
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    key_id INTEGER NOT NULL,
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key_id, folded));
)sql";

// Ids are never reused (AUTOINCREMENT), so a handle to a deleted key can never
// reach a key created later under the same path.
constexpr const char* SubtreeOf = "WITH RECURSIVE subtree(id) AS (SELECT ?1 UNION ALL "
                                  "SELECT k.id FROM registry_keys k JOIN subtree s ON k.parent = s.id) ";
constexpr const char* BelowOf = "WITH RECURSIVE subtree(id) AS (SELECT id FROM registry_keys WHERE parent = ?1 "
                                "UNION ALL SELECT k.id FROM registry_keys k JOIN subtree s ON k.parent = s.id) ";

std::string statementText(Sql sql)
{
    switch (sql) {
    case Sql::RootId: return "SELECT id FROM registry_keys WHERE parent = 0 AND folded = ?1";
    case Sql::InsertRoot: return "INSERT OR IGNORE INTO registry_keys(parent, name, folded) VALUES (0, ?1, ?2)";
    case Sql::ChildKey: return "SELECT id FROM registry_keys WHERE parent = ?1 AND folded = ?2";
    case Sql::KeyExists: return "SELECT 1 FROM registry_keys WHERE id = ?1";
    case Sql::InsertKey: return "INSERT INTO registry_keys(parent, name, folded) VALUES (?1, ?2, ?3)";
    case Sql::HasSubKey: return "SELECT 1 FROM registry_keys WHERE parent = ?1 LIMIT 1";
    case Sql::SelectValue: return "SELECT type, data FROM registry_values WHERE key_id = ?1 AND folded = ?2";
    case Sql::UpsertValue:
        return "INSERT INTO registry_values(key_id, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
               "ON CONFLICT(key_id, folded) DO UPDATE SET type = excluded.type, data = excluded.data";
    case Sql::DeleteValue: return "DELETE FROM registry_values WHERE key_id = ?1 AND folded = ?2";
    case Sql::DeleteKeyValues: return "DELETE FROM registry_values WHERE key_id = ?1";
    case Sql::DeleteKeyRow: return "DELETE FROM registry_keys WHERE id = ?1";
    case Sql::EnumKey: return "SELECT name FROM registry_keys WHERE parent = ?1 ORDER BY id LIMIT 1 OFFSET ?2";
    case Sql::EnumValue:
        return "SELECT name, type, data FROM registry_values WHERE key_id = ?1 ORDER BY seq LIMIT 1 OFFSET ?2";
    case Sql::DeleteTreeValues:
        return std::string(SubtreeOf) + "DELETE FROM registry_values WHERE key_id IN subtree";
    case Sql::DeleteTreeKeys: return std::string(SubtreeOf) + "DELETE FROM registry_keys WHERE id IN subtree";
    case Sql::DeleteBelowKeys: return std::string(BelowOf) + "DELETE FROM registry_keys WHERE id IN subtree";
    case Sql::DeleteBelowValues:
        return std::string(BelowOf) + "DELETE FROM registry_values WHERE key_id IN subtree OR key_id = ?1";
    case Sql::Begin: return "BEGIN IMMEDIATE";
    case Sql::Commit: return "COMMIT";
    case Sql::Rollback: return "ROLLBACK";
    case Sql::Count: break;
    }
    return {};
}

std::string timestamp()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

bool refusesWriting(int sqliteCode)
{
    return sqliteCode == SQLITE_READONLY || sqliteCode == SQLITE_CANTOPEN || sqliteCode == SQLITE_PERM ||
           sqliteCode == SQLITE_AUTH;
}

// A file URI for the path, every byte outside the plain set escaped, so that
// "?", "#" and "%" in folder names stay part of the path.
std::string immutableUri(const std::filesystem::path& file)
{
    std::error_code error;
    const std::string path = std::filesystem::absolute(file, error).string();
    static const char* digits = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri.push_back(static_cast<char>(c));
            continue;
        }
        uri.push_back('%');
        uri.push_back(digits[c >> 4]);
        uri.push_back(digits[c & 0xF]);
    }
    return uri + "?immutable=1";
}

} // namespace

Database::Database(std::filesystem::path file, Logger logger)
    : file_(std::move(file)), logger_(std::move(logger))
{
    std::error_code error;
    if (file_.has_parent_path())
        std::filesystem::create_directories(file_.parent_path(), error);
    if (open(file_))
        return;
    if (looksDamaged(openFailureCode_)) {
        moveAside();
        if (open(file_))
            return;
    } else if (refusesWriting(openFailureCode_) && openForReading()) {
        // The saved settings still count; only changes cannot be kept.
        log("registry: " + file_.string() + " is read-only; saved settings are read, changes are not kept");
        return;
    }
    // Settings must not stop the program: go on with a store that lives for this run only.
    log("registry: cannot use " + file_.string() + "; settings are kept for this run only");
    open(":memory:");
}

bool Database::openForReading()
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_, error))
        return false;
    // A database in a folder we cannot write has no shared-memory file to read
    // through; as nobody can change it from here, it is read as it stands.
    return open(file_, Mode::ReadOnly) || open(file_, Mode::Immutable);
}

Database::~Database()
{
    close();
}

void Database::close()
{
    for (sqlite3_stmt*& statement : statements_) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool Database::looksDamaged(int sqliteCode) const
{
    return sqliteCode == SQLITE_NOTADB || sqliteCode == SQLITE_CORRUPT;
}

bool Database::open(const std::filesystem::path& target, Mode mode)
{
    close();
    openFailureCode_ = SQLITE_OK;
    readOnly_ = mode != Mode::ReadWrite;
    auto fail = [this](int code, std::string_view what) {
        openFailureCode_ = code;
        const char* message = db_ && sqlite3_errcode(db_) != SQLITE_OK ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        log("registry: " + std::string(what) + " " + file_.string() + ": " + message);
        close();
        return false;
    };

    const std::string name = mode == Mode::Immutable ? immutableUri(target) : target.string();
    const int flags = mode == Mode::ReadWrite ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                      : mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                               : SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    int code = sqlite3_open_v2(name.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK)
        return fail(code, "cannot open");
    sqlite3_busy_handler(db_, waitWhileBusy, &busyStart_);
    sqlite3_extended_result_codes(db_, 0);

    // SQLite quietly opens a file it may not write for reading only.
    const bool writable = mode == Mode::ReadWrite && sqlite3_db_readonly(db_, "main") == 0;
    if (writable) {
        code = sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
        if (code != SQLITE_OK)
            return fail(code, "cannot open");
    }

    std::string checkResult;
    code = sqlite3_exec(
        db_, "PRAGMA quick_check",
        [](void* result, int, char** values, char**) {
            if (values[0])
                static_cast<std::string*>(result)->append(values[0]);
            return 0;
        },
        &checkResult, nullptr);
    if (code != SQLITE_OK)
        return fail(code, "cannot check");
    if (checkResult != "ok")
        return fail(SQLITE_CORRUPT, "damaged database (" + checkResult + ")");
    // Checked only now, so that a damaged file we may not write is still moved aside.
    if (mode == Mode::ReadWrite && !writable)
        return fail(SQLITE_READONLY, "cannot write");

    if (mode == Mode::ReadWrite) {
        code = sqlite3_exec(db_, Schema, nullptr, nullptr, nullptr);
        if (code != SQLITE_OK)
            return fail(code, "cannot prepare the tables of");
    }

    for (std::size_t i = 0; i < statements_.size(); ++i) {
        const std::string text = statementText(static_cast<Sql>(i));
        code = sqlite3_prepare_v3(db_, text.c_str(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT,
                                  &statements_[i], nullptr);
        // A database of ours whose tables do not have our shape is of no use to us.
        if (code != SQLITE_OK)
            return fail(code == SQLITE_ERROR && mode == Mode::ReadWrite ? SQLITE_CORRUPT : code,
                        "unexpected tables in");
    }
    return true;
}

void Database::moveAside()
{
    std::filesystem::path aside = file_;
    aside += ".damaged-" + timestamp();
    std::error_code error;
    for (int attempt = 1; std::filesystem::exists(aside, error); ++attempt) {
        aside = file_;
        aside += ".damaged-" + timestamp() + "-" + std::to_string(attempt);
    }
    std::filesystem::rename(file_, aside, error);
    if (error) {
        log("registry: cannot move the damaged database " + file_.string() + " aside: " + error.message());
        return;
    }
    // The journal files belong to the damaged database, not to the new one.
    for (const char* suffix : {"-wal", "-shm"}) {
        std::filesystem::path journal = file_;
        journal += suffix;
        std::filesystem::path journalAside = aside;
        journalAside += suffix;
        if (std::filesystem::exists(journal, error))
            std::filesystem::rename(journal, journalAside, error);
    }
    log("registry: the database " + file_.string() + " was damaged; moved it to " + aside.string() +
        " and started a new one");
}

void Database::log(std::string_view message) const
{
    if (logger_) {
        logger_(message);
        return;
    }
    std::cerr << message << '\n';
}

int Database::changes() const
{
    return db_ ? sqlite3_changes(db_) : 0;
}

Status Database::failure(int sqliteCode, std::string_view what)
{
    const char* message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(sqliteCode);
    log("registry: " + std::string(what) + " failed in " + file_.string() + ": " + message);
    switch (sqliteCode) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return status::AccessDenied;
    default:
        return status::IoFailed;
    }
}

Status Database::write(const std::function<Status()>& work)
{
    if (transactionDepth_ > 0)
        return work();

    {
        Query begin(*this, Sql::Begin);
        const int code = begin.step();
        if (code != SQLITE_DONE)
            return failure(code, "starting a write");
    }
    ++transactionDepth_;
    Status result = status::IoFailed;
    try {
        result = work();
    } catch (...) {
        --transactionDepth_;
        Query rollback(*this, Sql::Rollback);
        rollback.step();
        throw;
    }
    --transactionDepth_;

    if (result != status::Success) {
        Query rollback(*this, Sql::Rollback);
        rollback.step();
        return result;
    }
    Query commit(*this, Sql::Commit);
    const int code = commit.step();
    if (code == SQLITE_DONE)
        return status::Success;
    const Status failed = failure(code, "committing a write");
    Query rollback(*this, Sql::Rollback);
    rollback.step();
    return failed;
}

Query::Query(Database& database, Sql sql) : statement_(database.statement(sql))
{
}

Query::~Query()
{
    if (!statement_)
        return;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

Query& Query::bind(int index, std::int64_t number)
{
    sqlite3_bind_int64(statement_, index, number);
    return *this;
}

Query& Query::bind(int index, std::string_view text)
{
    sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

Query& Query::bindBlob(int index, std::span<const std::uint8_t> bytes)
{
    // A zero-length blob must still be a blob, not NULL.
    static const std::uint8_t nothing = 0;
    sqlite3_bind_blob64(statement_, index, bytes.empty() ? &nothing : bytes.data(), bytes.size(),
                        SQLITE_TRANSIENT);
    return *this;
}

int Query::step()
{
    if (!statement_)
        return SQLITE_ERROR;
    return sqlite3_step(statement_);
}

std::int64_t Query::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

std::string Query::text(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::string(bytes, static_cast<std::size_t>(size)) : std::string();
}

std::vector<std::uint8_t> Query::blob(int column) const
{
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>();
}

} // namespace registry::detail

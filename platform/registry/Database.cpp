#include "registry/Database.h"

#include "registry/Rescue.h"
#include "runtime/ScopeExit.h"

#include <sqlite3.h>

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
    auto& wait = *static_cast<Database::BusyWait*>(context);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        wait.start = now;
    if (now - wait.start >= BusyTimeout || now >= wait.deadline)
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

std::string writeFailureText(int sqliteCode)
{
    return sqliteCode == SQLITE_FULL ? std::string("the disk is full") : std::string(sqlite3_errstr(sqliteCode));
}

} // namespace

Database::Database(std::filesystem::path file, Logger logger)
    : file_(std::move(file)), logger_(std::move(logger))
{
    std::error_code error;
    if (file_.has_parent_path())
        std::filesystem::create_directories(file_.parent_path(), error);
    busyWait_.deadline = std::chrono::steady_clock::now() + BusyTimeout;
    auto endOfOpening = runtime::onScopeExit([this] { busyWait_.deadline = std::chrono::steady_clock::time_point::max(); });

    if (open(file_))
        return;
    // Where the values of a damaged file can still be read from, when no new file could take them.
    std::optional<std::filesystem::path> rescueSource;
    if (looksDamaged(openFailureCode_)) {
        const std::optional<std::filesystem::path> aside = moveAside();
        if (aside && open(file_)) {
            log("registry: the database " + file_.string() + " was damaged; moved it to " + aside->string() +
                ", started a new one and " + rescueFrom(*aside));
            return;
        }
        rescueSource = aside ? *aside : file_;
    } else if (const int cause = openFailureCode_; openForReading()) {
        // The saved settings still count; only changes cannot be kept.
        if (refusesWriting(cause)) {
            log("registry: " + file_.string() + " is read-only; saved settings are read, changes are not kept");
            refuseWrites(status::AccessDenied, file_.string() + " is read-only");
        } else if (isLocked(cause)) {
            log("registry: " + file_.string() + " stayed locked by another program; saved settings are read, "
                "changes are not kept");
            refuseWrites(status::IoFailed, file_.string() + " stayed locked by another program");
        } else {
            // A full disk (or another write error) must not cost the settings already saved.
            const std::string reason = file_.string() + " cannot be written (" + writeFailureText(cause) + ")";
            log("registry: " + reason + "; saved settings are read, changes are not kept");
            refuseWrites(status::IoFailed, reason);
        }
        return;
    }
    // Damage found only when reading the file as it stands.
    if (!rescueSource && looksDamaged(openFailureCode_))
        rescueSource = file_;
    // Settings must not stop the program: go on with the defaults, and with
    // what a damaged file that could not be replaced still holds.
    open(":memory:", Mode::Temporary);
    const std::string rescued = rescueSource ? "; " + rescueFrom(*rescueSource) : std::string();
    log("registry: cannot use " + file_.string() + "; defaults are read and changes are not kept" + rescued);
    refuseWrites(status::IoFailed, file_.string() + " cannot be used");
}

void Database::refuseWrites(Status status, std::string reason)
{
    readOnly_ = true;
    refusal_ = status;
    refusalReason_ = std::move(reason);
}

bool Database::openForReading()
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_, error))
        return false;
    // A database in a folder we cannot write has no shared-memory file to read
    // through; as nobody can change it from here, it is read as it stands.
    return open(file_, Mode::ReadOnly) || (!isLocked(openFailureCode_) && open(file_, Mode::Immutable));
}

std::string Database::rescueFrom(const std::filesystem::path& damaged)
{
    const RescueResult rescued = rescueInto(db_, damaged);
    if (!rescued.readable)
        return "no values could be read from it";
    return "kept " + std::to_string(rescued.keptValues) + " values, lost " + std::to_string(rescued.lostValues);
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

bool Database::isLocked(int sqliteCode) const
{
    return sqliteCode == SQLITE_BUSY || sqliteCode == SQLITE_LOCKED;
}

int Database::runWhileOpening(const char* sql, std::string* rows)
{
    const auto collect = [](void* context, int, char** values, char**) {
        if (context && values[0])
            static_cast<std::string*>(context)->append(values[0]);
        return 0;
    };
    while (true) {
        if (rows)
            rows->clear();
        const int code = sqlite3_exec(db_, sql, collect, rows, nullptr);
        if (!isLocked(code) || std::chrono::steady_clock::now() >= busyWait_.deadline)
            return code;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool Database::open(const std::filesystem::path& target, Mode mode)
{
    close();
    openFailureCode_ = SQLITE_OK;
    readOnly_ = mode != Mode::ReadWrite;
    temporary_ = mode == Mode::Temporary;
    auto fail = [this](int code, std::string_view what) {
        openFailureCode_ = code;
        const char* message = db_ && sqlite3_errcode(db_) != SQLITE_OK ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        log("registry: " + std::string(what) + " " + file_.string() + ": " + message);
        close();
        return false;
    };

    const bool creates = mode == Mode::ReadWrite || mode == Mode::Temporary;
    const std::string name = mode == Mode::Immutable ? immutableUri(target) : target.string();
    const int flags = creates ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                      : mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                               : SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    int code = sqlite3_open_v2(name.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK)
        return fail(code, "cannot open");
    sqlite3_busy_handler(db_, waitWhileBusy, &busyWait_);
    sqlite3_extended_result_codes(db_, 0);

    // The full check first, before anything is written to the file, so that
    // a damaged file is moved aside as it was found: indexes against their
    // tables and every record, not only the structure of the pages (the
    // store is small: see the benchmark of its opening).
    std::string checkResult;
    code = runWhileOpening("PRAGMA integrity_check", &checkResult);
    if (code != SQLITE_OK)
        return fail(code, "cannot check");
    if (checkResult != "ok")
        return fail(SQLITE_CORRUPT, "damaged database (" + checkResult.substr(0, 200) + ")");
    // A database whose tables do not have our shape is of no use to us.
    code = checkShape();
    if (code != SQLITE_OK)
        return fail(code, "unexpected tables in");

    // SQLite quietly opens a file it may not write for reading only; checked
    // only now, so that a damaged file we may not write is still moved aside.
    const bool writable = mode == Mode::ReadWrite && sqlite3_db_readonly(db_, "main") == 0;
    if (mode == Mode::ReadWrite && !writable)
        return fail(SQLITE_READONLY, "cannot write");
    if (writable) {
        // Another program creating or switching the file at the same moment
        // makes the switch fail at once: it is tried again within the wait.
        code = runWhileOpening("PRAGMA journal_mode=WAL");
        if (code == SQLITE_OK)
            code = runWhileOpening("PRAGMA synchronous=FULL");
        if (code != SQLITE_OK)
            return fail(code, "cannot open");
    }
    if (creates) {
        code = runWhileOpening(Schema);
        if (code != SQLITE_OK)
            return fail(code, "cannot prepare the tables of");
    }

    for (std::size_t i = 0; i < statements_.size(); ++i) {
        const std::string text = statementText(static_cast<Sql>(i));
        code = sqlite3_prepare_v3(db_, text.c_str(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT,
                                  &statements_[i], nullptr);
        if (code != SQLITE_OK)
            return fail(code, "cannot prepare the statements of");
    }
    return true;
}

int Database::checkShape()
{
    const struct {
        const char* table;
        const char* columns;
    } tables[] = {
        {"registry_keys", "SELECT id, parent, name, folded FROM registry_keys LIMIT 0"},
        {"registry_values", "SELECT seq, key_id, name, folded, type, data FROM registry_values LIMIT 0"},
    };
    for (const auto& [table, columns] : tables) {
        std::string found;
        const std::string exists =
            std::string("SELECT name FROM sqlite_master WHERE type = 'table' AND name = '") + table + "'";
        int code = runWhileOpening(exists.c_str(), &found);
        if (code == SQLITE_OK && !found.empty())
            code = runWhileOpening(columns);
        if (code != SQLITE_OK)
            return code == SQLITE_ERROR ? SQLITE_CORRUPT : code;
    }
    return SQLITE_OK;
}

std::optional<std::filesystem::path> Database::moveAside()
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
        return std::nullopt;
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
    return aside;
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
    if (readOnly_) {
        log("registry: a change was not kept: " +
            (refusalReason_.empty() ? file_.string() + " is open for reading only" : refusalReason_));
        return refusal_ != status::Success ? refusal_ : status::AccessDenied;
    }
    return setUp(work);
}

Status Database::setUp(const std::function<Status()>& work)
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
    {
        // An error raised by the work undoes it before it passes on.
        auto undo = runtime::onScopeExit([this] {
            --transactionDepth_;
            Query rollback(*this, Sql::Rollback);
            rollback.step();
        });
        result = work();
        undo.release();
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

#include "registry/Rescue.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace registry::detail {

namespace {

// Row numbers beyond this are not probed: a damaged counter could be anything.
constexpr std::int64_t MostRowsProbed = 1'000'000;
// Longest chain of keys from a root; a longer one is a loop in damaged data.
constexpr int DeepestKey = 512;

class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement_);
            statement_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ready() const { return statement_ != nullptr; }
    sqlite3_stmt* get() const { return statement_; }

    // Steps once with `row` bound to ?1 (when given): SQLITE_ROW, SQLITE_DONE or an error.
    int step(std::optional<std::int64_t> row = std::nullopt)
    {
        if (!statement_)
            return SQLITE_ERROR;
        sqlite3_reset(statement_);
        if (row)
            sqlite3_bind_int64(statement_, 1, *row);
        return sqlite3_step(statement_);
    }

    std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
    bool isText(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_TEXT; }
    bool isInteger(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_INTEGER; }
    std::string text(int column) const
    {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
        const int size = sqlite3_column_bytes(statement_, column);
        return bytes ? std::string(bytes, static_cast<std::size_t>(size)) : std::string();
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

struct KeyRow {
    std::int64_t parent = 0;
    std::string name;
};

struct ValueRow {
    std::int64_t seq = 0;
    std::int64_t keyId = 0;
    std::string name;
    std::int64_t type = 0;
    std::string data;
};

// The largest row number worth probing in a table: what the table's counter,
// its last row and a scan from its start say, whichever of them can be read.
std::int64_t lastRowNumber(sqlite3* db, const std::string& table)
{
    std::int64_t last = 0;
    const std::string counter = "SELECT seq FROM sqlite_sequence WHERE name = '" + table + "'";
    const std::string maximum = "SELECT max(rowid) FROM " + table;
    for (const std::string& sql : {counter, maximum}) {
        Statement query(db, sql.c_str());
        if (query.step() == SQLITE_ROW)
            last = std::max(last, query.integer(0));
    }
    const std::string scan = "SELECT rowid FROM " + table;
    Statement rows(db, scan.c_str());
    if (rows.ready())
        while (sqlite3_step(rows.get()) == SQLITE_ROW)
            last = std::max(last, rows.integer(0));
    return std::min(last, MostRowsProbed);
}

std::map<std::int64_t, KeyRow> readableKeys(sqlite3* db)
{
    std::map<std::int64_t, KeyRow> keys;
    Statement select(db, "SELECT parent, name FROM registry_keys WHERE id = ?1");
    const std::int64_t last = lastRowNumber(db, "registry_keys");
    for (std::int64_t id = 1; id <= last; ++id)
        if (select.step(id) == SQLITE_ROW && select.isInteger(0) && select.isText(1) && !select.text(1).empty())
            keys[id] = {select.integer(0), select.text(1)};
    return keys;
}

// True when the key's chain of parents reaches a root (parent 0) through readable keys.
bool reachesRoot(const std::map<std::int64_t, KeyRow>& keys, std::int64_t id)
{
    for (int depth = 0; depth < DeepestKey; ++depth) {
        const auto found = keys.find(id);
        if (found == keys.end())
            return false;
        if (found->second.parent == 0)
            return true;
        id = found->second.parent;
    }
    return false;
}

// Adds the keys to the target in id order, a parent always before its
// children; a key whose name its parent already has merges with that key.
// Returns the target's id for each old id.
std::map<std::int64_t, std::int64_t> addKeys(sqlite3* target, const std::map<std::int64_t, KeyRow>& keys)
{
    std::map<std::int64_t, std::int64_t> placed;
    Statement existing(target, "SELECT id FROM registry_keys WHERE parent = ?1 AND folded = ?2");
    Statement insert(target, "INSERT INTO registry_keys(id, parent, name, folded) VALUES (?1, ?2, ?3, ?4)");
    // Parents may have larger ids than children only in damaged data: place
    // in rounds until nothing more can be placed.
    for (bool progress = true; progress;) {
        progress = false;
        for (const auto& [id, key] : keys) {
            if (placed.contains(id) || !reachesRoot(keys, id))
                continue;
            std::int64_t parent = 0;
            if (key.parent != 0) {
                const auto parentPlaced = placed.find(key.parent);
                if (parentPlaced == placed.end())
                    continue;
                parent = parentPlaced->second;
            }
            const std::string folded = foldCase(key.name);
            sqlite3_reset(existing.get());
            sqlite3_bind_int64(existing.get(), 1, parent);
            sqlite3_bind_text(existing.get(), 2, folded.c_str(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
            if (sqlite3_step(existing.get()) == SQLITE_ROW) {
                placed[id] = existing.integer(0);
                progress = true;
                continue;
            }
            sqlite3_reset(insert.get());
            sqlite3_bind_int64(insert.get(), 1, id);
            sqlite3_bind_int64(insert.get(), 2, parent);
            sqlite3_bind_text(insert.get(), 3, key.name.c_str(), static_cast<int>(key.name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert.get(), 4, folded.c_str(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
            if (sqlite3_step(insert.get()) == SQLITE_DONE) {
                placed[id] = id;
                progress = true;
            }
        }
    }
    return placed;
}

bool addValue(Statement& upsert, const ValueRow& value, std::int64_t keyId)
{
    sqlite3_stmt* statement = upsert.get();
    const std::string folded = foldCase(value.name);
    sqlite3_reset(statement);
    sqlite3_bind_int64(statement, 1, value.seq);
    sqlite3_bind_int64(statement, 2, keyId);
    sqlite3_bind_text(statement, 3, value.name.c_str(), static_cast<int>(value.name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 4, folded.c_str(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(statement, 5, value.type);
    sqlite3_bind_blob(statement, 6, value.data.data(), static_cast<int>(value.data.size()), SQLITE_TRANSIENT);
    return sqlite3_step(statement) == SQLITE_DONE;
}

} // namespace

std::string foldCase(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

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


RescueResult rescueInto(sqlite3* target, const std::filesystem::path& damaged)
{
    RescueResult result;
    // Read as it stands, creating no file beside it, unless it has a journal
    // of its own whose changes count.
    std::filesystem::path journal = damaged;
    journal += "-wal";
    std::error_code error;
    const bool hasJournal = std::filesystem::exists(journal, error);
    const std::string name = hasJournal ? damaged.string() : immutableUri(damaged);
    const int flags = SQLITE_OPEN_READONLY | (hasJournal ? 0 : SQLITE_OPEN_URI);
    sqlite3* source = nullptr;
    if (sqlite3_open_v2(name.c_str(), &source, flags, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(source);
        return result;
    }
    sqlite3_busy_timeout(source, 1000);
    Statement values(source, "SELECT key_id, name, type, data FROM registry_values WHERE seq = ?1");
    const std::map<std::int64_t, KeyRow> keys = readableKeys(source);
    result.readable = values.ready() && !keys.empty();
    if (!result.readable) {
        sqlite3_close_v2(source);
        return result;
    }

    sqlite3_exec(target, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    const std::map<std::int64_t, std::int64_t> placed = addKeys(target, keys);
    Statement upsert(target, "INSERT INTO registry_values(seq, key_id, name, folded, type, data) "
                             "VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT(key_id, folded) "
                             "DO UPDATE SET type = excluded.type, data = excluded.data");
    const std::int64_t last = lastRowNumber(source, "registry_values");
    for (std::int64_t seq = 1; seq <= last; ++seq) {
        const int code = values.step(seq);
        if (code == SQLITE_DONE)
            continue; // never there, or deleted
        if (code != SQLITE_ROW || !values.isInteger(0) || !values.isText(1) || !values.isInteger(2)) {
            ++result.lostValues;
            continue;
        }
        const ValueRow value{seq, values.integer(0), values.text(1), values.integer(2), values.text(3)};
        const auto key = placed.find(value.keyId);
        if (key != placed.end() && addValue(upsert, value, key->second))
            ++result.keptValues;
        else
            ++result.lostValues;
    }
    sqlite3_exec(target, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close_v2(source);
    return result;
}

} // namespace registry::detail

#include "archive/SqliteDatabase.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "archive/ArchiveError.h"

namespace kadenza {

namespace {

constexpr SqlDialect sqliteDialect{"INTEGER PRIMARY KEY", "BLOB"};

// Another process's write, even the largest file's, ends well within this.
constexpr int busyTimeoutMs = 30000;
constexpr int busyRetryMs = 5;

bool isFullDisk(int systemError) {
    return systemError == ENOSPC || systemError == EFBIG || systemError == EDQUOT;
}

SqlValue fieldOf(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(statement, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(statement, column);
        case SQLITE_TEXT:
            return std::string(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                sqlite3_column_bytes(statement, column));
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
            return SqlBytes{std::string(bytes, bytes + sqlite3_column_bytes(statement, column))};
        }
        default:
            return nullptr;
    }
}

// SQLite takes "$1" for a parameter named "1", looked up by its name at every bind, which
// costs a statement of a thousand parameters a million comparisons; "?1" is numbered. The
// archive's statements hold no "$" in their texts.
std::string numberedParameters(const std::string& sql) {
    std::string numbered = sql;
    for (std::size_t i = 0; i + 1 < numbered.size(); ++i) {
        if (numbered[i] == '$' && std::isdigit(static_cast<unsigned char>(numbered[i + 1]))) {
            numbered[i] = '?';
        }
    }
    return numbered;
}

bool canWrite(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

// The file as a URI that tells the engine nothing changes it: then it needs no -shm beside it.
std::string immutableUri(const std::string& path) {
    std::string uri = "file:";
    for (const char character : std::filesystem::absolute(path).string()) {
        const auto byte = static_cast<unsigned char>(character);
        if (std::isalnum(byte) || std::strchr("/-._~", character) != nullptr) {
            uri += character;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            uri += escaped;
        }
    }
    return uri + "?immutable=1";
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path) : path_(path) {
    open();
    sqlite3_extended_result_codes(connection_.get(), 1);
    sqlite3_busy_timeout(connection_.get(), busyTimeoutMs);
    // The journal mode is a property of the file, set once while it is still empty: a file
    // that holds something else is not written to.
    if (!readOnly_ && run("PRAGMA page_count").front().integer(0) == 0) {
        useWriteAheadLog();
    }
    run("PRAGMA foreign_keys = ON");
}

// A file this user may not write is only read. A reader of a file in the write-ahead log mode
// keeps its shared memory in a -shm file beside it; where the folder takes none either, as on
// a read-only medium, the engine is told the file never changes.
void SqliteDatabase::open() {
    std::string name = path_;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    readOnly_ = ::access(path_.c_str(), F_OK) == 0 && !canWrite(path_);
    if (readOnly_) {
        flags = SQLITE_OPEN_READONLY;
        const std::string folder = std::filesystem::path(path_).parent_path().string();
        if (!canWrite(folder.empty() ? "." : folder)) {
            name = immutableUri(path_);
            flags |= SQLITE_OPEN_URI;
        }
    }
    sqlite3* connection = nullptr;
    const int code = sqlite3_open_v2(name.c_str(), &connection, flags, nullptr);
    connection_.reset(connection);
    if (code != SQLITE_OK) {
        fail(code);
    }
}

// The switch takes the file alone, and the engine does not wait for that as the busy timeout
// says: another program that makes the same new archive at this moment may hold it.
void SqliteDatabase::useWriteAheadLog() {
    int code = SQLITE_BUSY;
    for (int waitedMs = 0; waitedMs <= busyTimeoutMs; waitedMs += busyRetryMs) {
        code =
            sqlite3_exec(connection_.get(), "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
        if ((code & 0xFF) != SQLITE_BUSY) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(busyRetryMs));
    }
    if (code != SQLITE_OK) {
        fail(code);
    }
}

const SqlDialect& SqliteDatabase::dialect() const {
    return sqliteDialect;
}

std::string SqliteDatabase::name() const {
    return path_;
}

std::vector<std::string> SqliteDatabase::tableNames() {
    std::vector<std::string> names;
    for (const SqlRow& row : run("SELECT name FROM sqlite_master WHERE type = 'table'")) {
        names.push_back(row.text(0));
    }
    return names;
}

// IMMEDIATE takes the write lock at once, so two writers queue here instead of one failing
// when it first writes.
void SqliteDatabase::begin() {
    run("BEGIN IMMEDIATE");
}

// Every writer of an SQLite file takes turns with all the others.
void SqliteDatabase::beginExclusive() {
    begin();
}

void SqliteDatabase::commit() {
    run("COMMIT");
}

void SqliteDatabase::rollback() noexcept {
    if (!sqlite3_get_autocommit(connection_.get())) {
        sqlite3_exec(connection_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

std::vector<SqlRow> SqliteDatabase::run(const std::string& sql,
                                        const std::vector<SqlValue>& parameters) {
    sqlite3_stmt* statement = prepared(sql);
    bind(statement, parameters);
    std::vector<SqlRow> rows;
    int code;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        std::vector<SqlValue> fields;
        const int columns = sqlite3_column_count(statement);
        for (int column = 0; column < columns; ++column) {
            fields.push_back(fieldOf(statement, column));
        }
        rows.emplace_back(std::move(fields));
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (code != SQLITE_DONE) {
        fail(code);
    }
    return rows;
}

sqlite3_stmt* SqliteDatabase::prepared(const std::string& sql) {
    const auto found = statements_.find(sql);
    if (found != statements_.end()) {
        return found->second.get();
    }
    const std::string numbered = numberedParameters(sql);
    sqlite3_stmt* statement = nullptr;
    const int code =
        sqlite3_prepare_v3(connection_.get(), numbered.c_str(), static_cast<int>(numbered.size()),
                           SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (code != SQLITE_OK) {
        fail(code);
    }
    statements_.emplace(sql, Statement(statement));
    return statement;
}

// "?2" is the second parameter wherever it stands in the statement.
void SqliteDatabase::bind(sqlite3_stmt* statement, const std::vector<SqlValue>& parameters) {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const int index = static_cast<int>(i + 1);
        const SqlValue& value = parameters[i];
        if (const auto* whole = std::get_if<std::int64_t>(&value)) {
            sqlite3_bind_int64(statement, index, *whole);
        } else if (const auto* real = std::get_if<double>(&value)) {
            sqlite3_bind_double(statement, index, *real);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            sqlite3_bind_text64(statement, index, text->data(), text->size(), SQLITE_STATIC,
                                SQLITE_UTF8);
        } else if (const auto* bytes = std::get_if<SqlBytes>(&value)) {
            sqlite3_bind_blob64(statement, index, bytes->bytes.data(), bytes->bytes.size(),
                                SQLITE_STATIC);
        } else {
            sqlite3_bind_null(statement, index);
        }
    }
}

void SqliteDatabase::fail(int code) const {
    const int systemError = sqlite3_system_errno(connection_.get());
    const std::string reason = sqlite3_errmsg(connection_.get());
    switch (code & 0xFF) {
        case SQLITE_NOTADB:
            throw ArchiveError(ArchiveProblem::notAnArchive,
                               path_ + " is not an archive of inspections");
        case SQLITE_CORRUPT:
            throw ArchiveError(ArchiveProblem::damaged, "The archive " + path_ + " is damaged (" +
                                                            reason + "); it is left as it is");
        case SQLITE_READONLY:
            throw ArchiveError(ArchiveProblem::failed, "The archive " + path_ + " is read-only");
        case SQLITE_FULL:
            throw ArchiveError(ArchiveProblem::full,
                               "Cannot write the archive " + path_ + ": " + std::strerror(ENOSPC));
        case SQLITE_IOERR:
            // A write past a limit on the file's size (EFBIG) comes as a failed write whose
            // errno the engine may have lost by the time it reports it.
            if (isFullDisk(systemError) || code == SQLITE_IOERR_WRITE) {
                throw ArchiveError(ArchiveProblem::full,
                                   "Cannot write the archive " + path_ + ": " +
                                       (systemError == 0 ? reason : std::strerror(systemError)));
            }
            break;
        case SQLITE_CANTOPEN:
            throw ArchiveError(
                ArchiveProblem::failed,
                "Cannot open the archive " + path_ +
                    (systemError == 0 ? "" : ": " + std::string(std::strerror(systemError))));
        default:
            break;
    }
    throw ArchiveError(ArchiveProblem::failed, "The archive " + path_ + " failed: " + reason);
}

}  // namespace kadenza

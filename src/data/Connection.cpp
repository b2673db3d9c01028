#include "Connection.h"

#include "DbError.h"
#include "Format.h"
#include "JetDialect.h"
#include "Schema.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <sqlcipher/sqlite3.h>

namespace {

// year(), month() and day() of stored ISO date text, as Jet has them; null stays null.
void datePart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QDate d = Format::parseDate(QString::fromUtf8(text));
    if (!d.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto part = reinterpret_cast<std::intptr_t>(sqlite3_user_data(ctx));
    sqlite3_result_int(ctx, part == 0 ? d.year() : part == 1 ? d.month() : d.day());
}

void registerFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "year", 1, flags, reinterpret_cast<void*>(0), datePart, nullptr, nullptr);
    sqlite3_create_function(db, "month", 1, flags, reinterpret_cast<void*>(1), datePart, nullptr, nullptr);
    sqlite3_create_function(db, "day", 1, flags, reinterpret_cast<void*>(2), datePart, nullptr, nullptr);
}

} // namespace

QString readableDbError(sqlite3* db, int code) {
    const QString raw = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    const int primary = code & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return QStringLiteral("数据库正被其他程序占用，请稍后再试。");
    if (primary == SQLITE_NOTADB)
        return QStringLiteral("数据库文件无法打开：密码不对，或文件已损坏。");
    if (primary == SQLITE_CANTOPEN)
        return QStringLiteral("数据库文件无法打开：文件不存在或没有权限。");
    if (primary == SQLITE_READONLY)
        return QStringLiteral("数据库文件是只读的，无法保存。");
    if (primary == SQLITE_FULL)
        return QStringLiteral("磁盘已满，无法保存。");
    static const QRegularExpression check(
        QStringLiteral("CHECK constraint failed: (len|date|num)_([a-z]+)(?:_(\\d+))?"));
    const auto m = check.match(raw);
    if (m.hasMatch()) {
        const QString label = Schema::columnLabel(m.captured(2));
        if (m.captured(1) == QLatin1String("len"))
            return QStringLiteral("“%1”的内容超过 %2 个字符，未保存。").arg(label, m.captured(3));
        if (m.captured(1) == QLatin1String("date"))
            return QStringLiteral("“%1”不是有效的日期，未保存。").arg(label);
        return QStringLiteral("“%1”不是有效的数字，未保存。").arg(label);
    }
    return QStringLiteral("数据库错误：") + raw;
}

Connection::Connection() = default;

Connection::~Connection() {
    close();
}

void Connection::open(const QString& path, const QString& key, bool create) {
    close();
    if (!create && !QFileInfo::exists(path))
        throw DbError(QStringLiteral("数据库文件不存在：%1").arg(path));
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_FULLMUTEX;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = readableDbError(db, rc);
        sqlite3_close(db);
        throw DbError(msg);
    }
    m_db = db;
    m_path = path;
    try {
        const QByteArray k = key.toUtf8();
        rc = sqlite3_key(db, k.constData(), int(k.size()));
        if (rc != SQLITE_OK)
            throw DbError(readableDbError(db, rc));
        // Writers of another process wait for each other instead of failing at once.
        sqlite3_busy_timeout(db, 5000);
        // Proves the key: a wrong one fails here, not at some later statement.
        execNative(QStringLiteral("select count(*) from sqlite_master"));
        Statement wal(db, QStringLiteral("pragma journal_mode = wal"));
        wal.step();
        execNative(QStringLiteral("pragma foreign_keys = off"));
        registerFunctions(db);
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

void Connection::close() {
    if (!m_db)
        return;
    finishReaders();
    m_readers.clear();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3* Connection::handle() const {
    if (!m_db)
        throw DbError(QStringLiteral("数据库没有打开，无法执行操作。"));
    return m_db;
}

Statement Connection::prepareNative(const QString& sql) {
    return Statement(handle(), sql);
}

Statement Connection::prepare(const QString& jetSql) {
    return prepareNative(JetDialect::translate(jetSql));
}

int Connection::execNative(const QString& sql, const QVariantMap& params) {
    sqlite3* db = handle();
    finishReaders();
    Statement st(db, sql);
    for (auto it = params.begin(); it != params.end(); ++it)
        st.bind(it.key(), it.value());
    while (st.step()) {
    }
    return sqlite3_changes(db);
}

int Connection::exec(const QString& jetSql, const QVariantMap& params) {
    return execNative(JetDialect::translate(jetSql), params);
}

QVariant Connection::scalar(const QString& jetSql, const QVariantMap& params) {
    Statement st = prepare(jetSql);
    for (auto it = params.begin(); it != params.end(); ++it)
        st.bind(it.key(), it.value());
    return st.step() ? st.value(0) : QVariant();
}

qint64 Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(handle());
}

void Connection::addReader(void* owner, std::function<void()> finish) {
    m_readers[owner] = std::move(finish);
}

void Connection::removeReader(void* owner) {
    m_readers.erase(owner);
}

void Connection::finishReaders() {
    // finish() removes its own entry, so take a copy first.
    const auto readers = m_readers;
    for (const auto& [owner, finish] : readers)
        finish();
}

void Connection::beginTransaction() {
    execNative(QStringLiteral("begin immediate"));
}

void Connection::commit() {
    execNative(QStringLiteral("commit"));
}

void Connection::rollback() {
    if (m_db && !sqlite3_get_autocommit(m_db))
        execNative(QStringLiteral("rollback"));
}

#pragma once

#include "Statement.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <map>

struct sqlite3;

// The one SQLCipher connection of the program. Statements come in the Jet dialect (exec, query)
// or in SQLite's own (execNative, prepareNative).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing file (or creates one when create is set), sets the key and proves it with a read.
    void open(const QString& path, const QString& key, bool create = false);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // Runs a statement that returns no rows; returns the number of rows changed.
    int exec(const QString& jetSql, const QVariantMap& params = {});
    int execNative(const QString& sql, const QVariantMap& params = {});
    Statement prepare(const QString& jetSql);
    Statement prepareNative(const QString& sql);
    // First column of the first row, or a null QVariant when there is none.
    QVariant scalar(const QString& jetSql, const QVariantMap& params = {});

    qint64 lastInsertId() const;

    // Datasets that are still reading rows register here; before anything writes, they read the rest,
    // so that no reader sees a half-changed table.
    void addReader(void* owner, std::function<void()> finish);
    void removeReader(void* owner);
    void finishReaders();

    void beginTransaction();
    void commit();
    void rollback();

    sqlite3* handle() const;

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    std::map<void*, std::function<void()>> m_readers;
};

// Turns an engine error into a message for the user (constraint names become field names).
QString readableDbError(sqlite3* db, int code);

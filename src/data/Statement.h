#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement (already in SQLite's dialect), finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement(Statement&& other) noexcept;

    // Binds by ":name"; dates go in as ISO text, booleans as -1/0. A non-finite number is refused.
    void bind(const QString& name, const QVariant& value);
    void bind(int index, const QVariant& value); // 1-based
    bool hasParameter(const QString& name) const;

    bool step(); // true while a row is there
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const;
    bool isNull(int i) const;
    qint64 int64(int i) const;
    double real(int i) const;
    QString text(int i) const;
    QByteArray utf8(int i) const;
    QVariant value(int i) const; // by the stored type
    sqlite3_stmt* handle() const { return m_stmt; }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
};

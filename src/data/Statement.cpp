#include "Statement.h"

#include "Connection.h"
#include "DbError.h"
#include "Format.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <sqlcipher/sqlite3.h>

Statement::Statement(sqlite3* db, const QString& sql) : m_db(db), m_sql(sql) {
    if (!db)
        throw DbError(QStringLiteral("数据库没有打开，无法执行操作。"));
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = readableDbError(db, rc);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DbError(msg + QStringLiteral("\n") + sql.trimmed());
    }
}

Statement::~Statement() {
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement&& other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt), m_sql(other.m_sql) {
    other.m_stmt = nullptr;
}

bool Statement::hasParameter(const QString& name) const {
    return sqlite3_bind_parameter_index(m_stmt, (QLatin1Char(':') + name).toUtf8().constData()) > 0;
}

void Statement::bind(const QString& name, const QVariant& value) {
    const int index = sqlite3_bind_parameter_index(m_stmt, (QLatin1Char(':') + name).toUtf8().constData());
    if (index <= 0)
        throw DbError(QStringLiteral("SQL 语句没有参数 %1").arg(name));
    bind(index, value);
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull() || !value.isValid()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::QDate:
        case QMetaType::QDateTime: {
            const QDate d = value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date();
            const QByteArray iso = Format::isoDate(d).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? -1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float: {
            const double v = value.toDouble();
            if (!std::isfinite(v))
                throw DbError(QStringLiteral("金额不是有效的数字，未保存。"));
            rc = sqlite3_bind_double(m_stmt, index, v);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw DbError(readableDbError(m_db, rc));
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString msg = readableDbError(m_db, rc);
    sqlite3_reset(m_stmt);
    throw DbError(msg);
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::declaredType(int i) const {
    const char* t = sqlite3_column_decltype(m_stmt, i);
    return t ? QString::fromLatin1(t).toUpper() : QString();
}

bool Statement::isNull(int i) const {
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

qint64 Statement::int64(int i) const {
    return sqlite3_column_int64(m_stmt, i);
}

double Statement::real(int i) const {
    return sqlite3_column_double(m_stmt, i);
}

QByteArray Statement::utf8(int i) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i));
    return QByteArray(p, sqlite3_column_bytes(m_stmt, i));
}

QString Statement::text(int i) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i));
    return QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, i));
}

QVariant Statement::value(int i) const {
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(int64(i));
    case SQLITE_FLOAT:
        return QVariant(real(i));
    case SQLITE_NULL:
        return {};
    default:
        return QVariant(text(i));
    }
}

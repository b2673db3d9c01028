#include "ColumnStore.h"

#include "DbError.h"
#include "Format.h"
#include "Statement.h"

#include <QDate>

namespace {

bool isIntegral(FieldType t) {
    return t == FieldType::AutoInc || t == FieldType::Integer || t == FieldType::Bool || t == FieldType::Date;
}

// Stored dates are ISO text; other date texts still read, anything else is null.
bool parseIsoDay(const QByteArray& s, int64_t& day) {
    QDate d;
    if (s.size() >= 10 && s[4] == '-' && s[7] == '-')
        d = QDate(s.left(4).toInt(), s.mid(5, 2).toInt(), s.mid(8, 2).toInt());
    if (!d.isValid())
        d = Format::parseDate(QString::fromUtf8(s));
    if (!d.isValid())
        return false;
    day = d.toJulianDay();
    return true;
}

} // namespace

void ColumnStore::reset(const FieldList& fields) {
    m_cols.clear();
    m_cols.resize(fields.size());
    for (int i = 0; i < fields.size(); ++i)
        m_cols[i].type = fields[i].type;
    m_rows = 0;
}

void ColumnStore::clear() {
    for (auto& c : m_cols) {
        const FieldType t = c.type;
        c = Column();
        c.type = t;
    }
    m_rows = 0;
}

uint32_t ColumnStore::appendRow() {
    if (m_rows >= UINT32_MAX - 1)
        throw DbError(QStringLiteral("记录太多，无法全部读出。"));
    for (auto& c : m_cols) {
        if (isIntegral(c.type)) {
            c.ints.push_back(0);
            c.nulls.push_back(true);
        } else if (c.type == FieldType::Float) {
            c.reals.push_back(0);
            c.nulls.push_back(true);
        } else if (c.type == FieldType::Text) {
            c.textOffset.push_back(0);
            c.textLength.push_back(NullText);
        } else {
            c.variants.emplace_back();
        }
    }
    return uint32_t(m_rows++);
}

bool ColumnStore::isNull(uint32_t row, int col) const {
    const Column& c = m_cols[col];
    if (c.type == FieldType::Text)
        return c.textLength[row] == NullText;
    if (c.type == FieldType::Variant)
        return c.variants[row].isNull();
    return c.nulls[row];
}

QVariant ColumnStore::get(uint32_t row, int col) const {
    if (isNull(row, col))
        return {};
    const Column& c = m_cols[col];
    switch (c.type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
        return QVariant(qint64(c.ints[row]));
    case FieldType::Bool:
        return QVariant(c.ints[row] != 0);
    case FieldType::Date:
        return QVariant(QDate::fromJulianDay(c.ints[row]));
    case FieldType::Float:
        return QVariant(c.reals[row]);
    case FieldType::Text:
        return QVariant(QString::fromUtf8(c.pool.data() + c.textOffset[row], c.textLength[row]));
    case FieldType::Variant:
        return c.variants[row];
    }
    return {};
}

double ColumnStore::number(uint32_t row, int col) const {
    const Column& c = m_cols[col];
    if (c.type == FieldType::Float)
        return c.nulls[row] ? 0.0 : c.reals[row];
    if (c.type == FieldType::AutoInc || c.type == FieldType::Integer)
        return c.nulls[row] ? 0.0 : double(c.ints[row]);
    if (c.type == FieldType::Variant)
        return c.variants[row].toDouble();
    return 0.0;
}

void ColumnStore::putText(Column& c, uint32_t row, const char* data, size_t size) {
    if (c.pool.size() + size >= NullText)
        throw DbError(QStringLiteral("记录太多，无法全部读出。"));
    c.textOffset[row] = uint32_t(c.pool.size());
    c.textLength[row] = uint32_t(size);
    c.pool.append(data, size);
}

void ColumnStore::set(uint32_t row, int col, const QVariant& value) {
    Column& c = m_cols[col];
    const bool null = value.isNull() || !value.isValid();
    switch (c.type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
        c.ints[row] = null ? 0 : value.toLongLong();
        c.nulls[row] = null;
        break;
    case FieldType::Bool:
        c.ints[row] = null ? 0 : (value.toBool() ? -1 : 0);
        c.nulls[row] = null;
        break;
    case FieldType::Date: {
        const QDate d = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        c.ints[row] = d.isValid() ? d.toJulianDay() : 0;
        c.nulls[row] = null || !d.isValid();
        break;
    }
    case FieldType::Float:
        c.reals[row] = null ? 0.0 : value.toDouble();
        c.nulls[row] = null;
        break;
    case FieldType::Text:
        if (null) {
            c.textLength[row] = NullText;
        } else {
            const QByteArray u = value.toString().toUtf8();
            putText(c, row, u.constData(), size_t(u.size()));
        }
        break;
    case FieldType::Variant:
        c.variants[row] = value;
        break;
    }
}

void ColumnStore::load(uint32_t row, int col, const Statement& st, int stCol) {
    Column& c = m_cols[col];
    if (st.isNull(stCol)) {
        if (c.type != FieldType::Text && c.type != FieldType::Variant)
            c.nulls[row] = true;
        return; // a new row is null already
    }
    switch (c.type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
        c.ints[row] = st.int64(stCol);
        c.nulls[row] = false;
        break;
    case FieldType::Bool:
        c.ints[row] = st.int64(stCol) != 0 ? -1 : 0;
        c.nulls[row] = false;
        break;
    case FieldType::Date:
        c.nulls[row] = !parseIsoDay(st.utf8(stCol), c.ints[row]);
        break;
    case FieldType::Float:
        c.reals[row] = st.real(stCol);
        c.nulls[row] = false;
        break;
    case FieldType::Text: {
        const QByteArray u = st.utf8(stCol);
        putText(c, row, u.constData(), size_t(u.size()));
        break;
    }
    case FieldType::Variant:
        c.variants[row] = st.value(stCol);
        break;
    }
}

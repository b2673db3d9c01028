#include "Dataset.h"

#include "Connection.h"
#include "DbError.h"
#include "Format.h"
#include "JetDialect.h"
#include "Schema.h"
#include "Statement.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace {

constexpr int FirstFetch = 4096;

// Widths count characters as the engine does, so a character outside the basic plane counts once.
qsizetype characters(const QString& s) {
    return s.size() - std::count_if(s.begin(), s.end(), [](QChar c) { return c.isLowSurrogate(); });
}

FieldType typeFromDeclared(const QString& declared) {
    if (declared.startsWith(QLatin1String("DATE")))
        return FieldType::Date;
    if (declared.startsWith(QLatin1String("INT")))
        return FieldType::Integer;
    if (declared.startsWith(QLatin1String("DOUBLE")) || declared.startsWith(QLatin1String("REAL")) ||
        declared.startsWith(QLatin1String("FLOAT")))
        return FieldType::Float;
    if (declared.startsWith(QLatin1String("BOOL")))
        return FieldType::Bool;
    if (declared.startsWith(QLatin1String("TEXT")) || declared.startsWith(QLatin1String("VARCHAR")))
        return FieldType::Text;
    return FieldType::Variant;
}

} // namespace

Dataset::Dataset(Connection& con, const QString& name, QObject* parent) : QObject(parent), m_con(con), m_name(name) {
    setObjectName(name);
}

Dataset::~Dataset() {
    m_con.removeReader(this);
}

void Dataset::setFields(const FieldList& fields) {
    m_fixedFields = fields;
}

void Dataset::setSql(const QString& jetSql) {
    m_sql = jetSql;
}

void Dataset::setParam(const QString& name, const QVariant& value) {
    m_params[name] = value;
}

void Dataset::requireOpen() const {
    if (m_state == State::Inactive)
        throw DbError(QStringLiteral("数据集 %1 没有打开。").arg(m_name));
}

int Dataset::requireField(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("数据集 %1 没有字段 %2。").arg(m_name, name));
    return i;
}

void Dataset::requireCurrent() const {
    requireOpen();
    if (m_current < 0)
        throw DbError(QStringLiteral("数据集 %1 没有当前记录。").arg(m_name));
}

int Dataset::fieldIndex(const QString& name) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString Dataset::fieldLabel(int i) const {
    const FieldDef& f = m_fields[i];
    return f.label.isEmpty() ? Schema::columnLabel(f.name) : f.label;
}

void Dataset::fieldsFromStatement(const Statement& st) {
    const int n = st.columnCount();
    m_resultToField.assign(size_t(n), -1);
    if (m_fixedFields.isEmpty()) {
        m_fields.clear();
        for (int i = 0; i < n; ++i) {
            FieldDef f{st.columnName(i), typeFromDeclared(st.declaredType(i))};
            if (f.name.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0 && f.type == FieldType::Integer)
                f.type = FieldType::AutoInc, f.readOnly = true;
            m_resultToField[size_t(i)] = int(m_fields.size());
            m_fields.append(f);
        }
    } else {
        m_fields = m_fixedFields;
        for (int i = 0; i < n; ++i) {
            const int f = fieldIndex(st.columnName(i));
            if (f >= 0 && !m_fields[f].calculated && !std::count(m_resultToField.begin(), m_resultToField.end(), f))
                m_resultToField[size_t(i)] = f;
        }
    }
    m_store.reset(m_fields);
}

void Dataset::open() {
    if (m_state != State::Inactive)
        return;
    auto st = std::make_unique<Statement>(m_con.prepare(m_sql));
    for (auto it = m_params.begin(); it != m_params.end(); ++it)
        if (st->hasParameter(it.key()))
            st->bind(it.key(), it.value());
    emit aboutToReset();
    fieldsFromStatement(*st);
    m_order.clear();
    m_sums.clear();
    m_cursor = std::move(st);
    m_con.addReader(this, [this] { fetchAll(); });
    m_state = State::Browse;
    try {
        readRows(FirstFetch);
    } catch (...) {
        releaseCursor();
        m_state = State::Inactive;
        m_store.clear();
        m_order.clear();
        emit reset();
        throw;
    }
    m_current = m_order.empty() ? -1 : 0;
    m_eof = m_bof = m_order.empty();
    emit reset();
    emit stateChanged();
    emit currentChanged(m_current);
}

void Dataset::close() {
    if (m_state == State::Inactive)
        return;
    emit aboutToReset();
    releaseCursor();
    m_store.clear();
    m_order.clear();
    m_order.shrink_to_fit();
    m_sums.clear();
    m_original.clear();
    m_modified = false;
    m_current = -1;
    m_eof = m_bof = true;
    m_state = State::Inactive;
    emit reset();
    emit stateChanged();
    emit currentChanged(-1);
}

void Dataset::execSql() {
    m_con.exec(m_sql, m_params);
}

void Dataset::releaseCursor() {
    m_cursor.reset();
    m_con.removeReader(this);
}

void Dataset::readRows(int limit) {
    if (!m_cursor)
        return;
    const int cols = m_cursor->columnCount();
    const bool hasCalc = bool(calcFields);
    int read = 0;
    const int firstNew = int(m_order.size());
    while (read < limit) {
        if (!m_cursor->step()) {
            releaseCursor();
            break;
        }
        const uint32_t row = m_store.appendRow();
        for (int c = 0; c < cols; ++c)
            if (m_resultToField[size_t(c)] >= 0)
                m_store.load(row, m_resultToField[size_t(c)], *m_cursor, c);
        m_order.push_back(row);
        ++read;
    }
    if (hasCalc)
        for (int r = firstNew; r < int(m_order.size()); ++r)
            runCalc(r);
    // Sums asked for before these rows came were taken from the engine and already count them.
}

void Dataset::fetchMore(int rows) {
    if (!m_cursor || rows <= 0)
        return;
    readRows(rows);
    emit rowsFetched();
}

void Dataset::fetchAll() {
    while (m_cursor)
        fetchMore(65536);
}

int Dataset::recordCount() {
    if (m_state == State::Inactive)
        return 0;
    fetchAll();
    return int(m_order.size());
}

bool Dataset::isEmpty() {
    return m_state == State::Inactive || m_order.empty();
}

void Dataset::setCurrent(int row) {
    if (row == m_current)
        return;
    m_current = row;
    emit currentChanged(row);
}

void Dataset::moveTo(int row) {
    requireOpen();
    if (row >= int(m_order.size()))
        fetchMore(row - int(m_order.size()) + 1);
    if (row < 0 || row >= int(m_order.size()))
        throw DbError(QStringLiteral("数据集 %1 没有第 %2 条记录。").arg(m_name).arg(row + 1));
    if (row != m_current && m_state != State::Browse)
        post();
    m_eof = m_bof = false;
    setCurrent(row);
}

void Dataset::first() {
    requireOpen();
    if (m_order.empty()) {
        m_eof = m_bof = true;
        return;
    }
    moveTo(0);
    m_bof = true;
}

void Dataset::next() {
    requireOpen();
    if (m_current + 1 >= int(m_order.size()) && m_cursor)
        fetchMore(FirstFetch);
    if (m_current + 1 < int(m_order.size())) {
        moveTo(m_current + 1);
    } else {
        if (m_state != State::Browse)
            post();
        m_eof = true;
    }
}

void Dataset::prior() {
    requireOpen();
    if (m_current > 0)
        moveTo(m_current - 1);
    else
        m_bof = true;
}

void Dataset::last() {
    requireOpen();
    fetchAll();
    if (m_order.empty()) {
        m_eof = m_bof = true;
        return;
    }
    moveTo(int(m_order.size()) - 1);
    m_eof = true;
}

Dataset::Bookmark Dataset::bookmark() const {
    requireCurrent();
    return storageRow(m_current);
}

void Dataset::gotoBookmark(Bookmark bookmark) {
    requireOpen();
    const auto it = std::find(m_order.begin(), m_order.end(), bookmark);
    if (it == m_order.end())
        throw DbError(QStringLiteral("记录已不存在。"));
    moveTo(int(it - m_order.begin()));
}

QVariant Dataset::valueAt(int row, int field) const {
    return m_store.get(storageRow(row), field);
}

QString Dataset::textAt(int row, int field) const {
    const QVariant v = valueAt(row, field);
    if (v.isNull())
        return {};
    switch (m_fields[field].type) {
    case FieldType::Date:
        return Format::dateText(v.toDate());
    case FieldType::Float:
        return Format::general(v.toDouble());
    case FieldType::Bool:
        return v.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    default:
        return v.toString();
    }
}

QVariant Dataset::value(const QString& field) const {
    const int f = requireField(field);
    requireCurrent();
    return valueAt(m_current, f);
}

QString Dataset::asText(const QString& field) const {
    const int f = requireField(field);
    requireCurrent();
    return textAt(m_current, f);
}

double Dataset::asFloat(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return 0.0;
    bool ok = true;
    const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    if (!ok)
        throw DbError(QStringLiteral("“%1”不是有效的数字。").arg(v.toString()));
    return d;
}

qint64 Dataset::asInteger(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    bool ok = true;
    const qint64 i = v.typeId() == QMetaType::QString ? v.toString().trimmed().toLongLong(&ok) : v.toLongLong(&ok);
    if (!ok)
        throw DbError(QStringLiteral("“%1”不是有效的整数。").arg(v.toString()));
    return i;
}

bool Dataset::asBool(const QString& field) const {
    const QVariant v = value(field);
    return !v.isNull() && v.toLongLong() != 0;
}

QVariant Dataset::parseText(int field, const QString& raw) const {
    const FieldDef& f = m_fields[field];
    const QString text = raw.trimmed();
    if (text.isEmpty())
        return {};
    switch (f.type) {
    case FieldType::Date: {
        const QDate d = Format::parseDate(text);
        if (!d.isValid())
            throw DbError(QStringLiteral("“%1”：“%2”不是有效的日期。").arg(fieldLabel(field), text));
        return d;
    }
    case FieldType::Float: {
        QString t = text;
        t.remove(QStringLiteral("￥")).remove(QLatin1Char(',')).remove(QLatin1Char(' '));
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            throw DbError(QStringLiteral("“%1”：“%2”不是有效的数字。").arg(fieldLabel(field), text));
        return d;
    }
    case FieldType::AutoInc:
    case FieldType::Integer: {
        bool ok = false;
        const qint64 i = text.toLongLong(&ok);
        if (!ok)
            throw DbError(QStringLiteral("“%1”：“%2”不是有效的整数。").arg(fieldLabel(field), text));
        return i;
    }
    case FieldType::Bool: {
        static const QStringList yes = {"-1", "1", "true", "yes", "是"};
        return yes.contains(text, Qt::CaseInsensitive);
    }
    default:
        return raw; // text keeps its blanks: trimming user input is the window's business
    }
}

void Dataset::setText(const QString& field, const QString& text) {
    const int f = requireField(field);
    requireCurrent();
    setTextAt(m_current, f, text);
}

void Dataset::setTextAt(int row, int field, const QString& text) {
    setValueAt(row, field, parseText(field, text));
}

void Dataset::setValue(const QString& field, const QVariant& value) {
    const int f = requireField(field);
    requireCurrent();
    setValueAt(m_current, f, value);
}

void Dataset::setValueAt(int row, int field, const QVariant& value) {
    requireOpen();
    const FieldDef& f = m_fields[field];
    if (m_inCalc) {
        if (!f.calculated)
            throw DbError(QStringLiteral("计算字段的处理只能设置计算字段。"));
        m_store.set(storageRow(row), field, value);
        return;
    }
    if (f.readOnly || f.calculated)
        throw DbError(QStringLiteral("“%1”是只读字段，不能修改。").arg(fieldLabel(field)));
    if (f.type == FieldType::Float && !value.isNull() && !std::isfinite(value.toDouble()))
        throw DbError(QStringLiteral("“%1”不是有效的数字，未保存。").arg(fieldLabel(field)));
    if (f.type == FieldType::Date && !value.isNull()) {
        const QDate d = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        if (!d.isValid())
            throw DbError(QStringLiteral("“%1”：“%2”不是有效的日期。").arg(fieldLabel(field), value.toString()));
    }
    if (row != m_current)
        moveTo(row);
    if (m_state == State::Browse)
        edit();
    storeValue(row, field, value);
    m_modified = true;
    if (calcFields)
        runCalc(row);
    emit rowChanged(row);
}

void Dataset::storeValue(int row, int field, const QVariant& value) {
    const auto sum = m_sums.find(field);
    if (sum != m_sums.end())
        *sum -= m_store.number(storageRow(row), field);
    m_store.set(storageRow(row), field, value);
    if (sum != m_sums.end())
        *sum += m_store.number(storageRow(row), field);
}

void Dataset::runCalc(int row) {
    const int saved = m_current;
    m_current = row;
    m_inCalc = true;
    try {
        calcFields(*this);
    } catch (...) {
        m_inCalc = false;
        m_current = saved;
        throw;
    }
    m_inCalc = false;
    m_current = saved;
}

void Dataset::setState(State s) {
    if (s == m_state)
        return;
    m_state = s;
    emit stateChanged();
}

void Dataset::append() {
    requireOpen();
    if (m_table.isEmpty())
        throw DbError(QStringLiteral("数据集 %1 是只读的，不能增加记录。").arg(m_name));
    if (m_state != State::Browse)
        post();
    if (beforeInsert)
        beforeInsert(*this);
    fetchAll(); // a new record goes after every record of the result
    const int row = int(m_order.size());
    emit aboutToInsertRow(row);
    m_order.push_back(m_store.appendRow());
    emit rowInserted(row);
    m_original.clear();
    m_modified = false;
    setState(State::Insert);
    m_eof = m_bof = false;
    setCurrent(row);
    if (calcFields)
        runCalc(row);
    if (afterInsert)
        afterInsert(*this);
    m_modified = false; // defaults are not the user's changes: an untouched new row may be dropped
}

void Dataset::edit() {
    requireCurrent();
    if (m_state != State::Browse)
        return;
    if (m_table.isEmpty())
        throw DbError(QStringLiteral("数据集 %1 是只读的，不能修改。").arg(m_name));
    m_original.clear();
    for (int f = 0; f < m_fields.size(); ++f)
        m_original.push_back(valueAt(m_current, f));
    m_modified = false;
    setState(State::Edit);
}

void Dataset::cancel() {
    if (m_state == State::Insert) {
        const int row = m_current;
        for (auto it = m_sums.begin(); it != m_sums.end(); ++it)
            it.value() -= m_store.number(storageRow(row), it.key());
        emit aboutToRemoveRow(row);
        m_order.erase(m_order.begin() + row);
        emit rowRemoved(row);
        m_state = State::Browse;
        m_modified = false;
        m_current = -1;
        setCurrent(m_order.empty() ? -1 : std::min(row, int(m_order.size()) - 1));
        m_eof = m_bof = m_order.empty();
        emit stateChanged();
    } else if (m_state == State::Edit) {
        for (int f = 0; f < m_fields.size(); ++f)
            if (!m_fields[f].calculated)
                storeValue(m_current, f, m_original[size_t(f)]);
        if (calcFields)
            runCalc(m_current);
        m_original.clear();
        m_modified = false;
        setState(State::Browse);
        emit rowChanged(m_current);
    }
}

void Dataset::validate(int row) const {
    for (int f = 0; f < m_fields.size(); ++f) {
        const FieldDef& def = m_fields[f];
        if (def.calculated || def.readOnly)
            continue;
        const QVariant v = valueAt(row, f);
        if (v.isNull())
            continue;
        if (def.type == FieldType::Text && def.width > 0 && characters(v.toString()) > def.width)
            throw DbError(QStringLiteral("“%1”的内容超过 %2 个字符，未保存。").arg(fieldLabel(f)).arg(def.width));
        if (def.type == FieldType::Float && !std::isfinite(v.toDouble()))
            throw DbError(QStringLiteral("“%1”不是有效的数字，未保存。").arg(fieldLabel(f)));
    }
}

bool Dataset::post() {
    requireOpen();
    if (m_state == State::Browse)
        return false;
    if (beforePost)
        beforePost(*this);
    const int row = m_current;
    validate(row);
    if (m_state == State::Insert)
        writeInsert(row);
    else
        writeUpdate(row);
    m_original.clear();
    m_modified = false;
    setState(State::Browse);
    emit rowChanged(row);
    if (afterPost)
        afterPost(*this);
    return true;
}

void Dataset::writeInsert(int row) {
    QStringList cols, marks;
    QVariantMap params;
    for (int f = 0; f < m_fields.size(); ++f) {
        const FieldDef& def = m_fields[f];
        if (def.calculated || def.readOnly || def.type == FieldType::AutoInc)
            continue;
        cols << def.name;
        marks << QStringLiteral(":p%1").arg(f);
        params[QStringLiteral("p%1").arg(f)] = valueAt(row, f);
    }
    const QString sql = cols.isEmpty() ? QStringLiteral("insert into %1 default values").arg(m_table)
                                       : QStringLiteral("insert into %1 (%2) values (%3)")
                                             .arg(m_table, cols.join(QStringLiteral(", ")), marks.join(", "));
    m_con.execNative(sql, params);
    const int id = fieldIndex(QStringLiteral("id"));
    if (id >= 0)
        m_store.set(storageRow(row), id, m_con.lastInsertId());
}

void Dataset::writeUpdate(int row) {
    const int id = fieldIndex(QStringLiteral("id"));
    if (id < 0 || valueAt(row, id).isNull())
        throw DbError(QStringLiteral("数据集 %1 的记录没有编号，无法保存。").arg(m_name));
    QStringList sets;
    QVariantMap params;
    for (int f = 0; f < m_fields.size(); ++f) {
        const FieldDef& def = m_fields[f];
        if (def.calculated || def.readOnly || def.type == FieldType::AutoInc)
            continue;
        sets << QStringLiteral("%1 = :p%2").arg(def.name).arg(f);
        params[QStringLiteral("p%1").arg(f)] = valueAt(row, f);
    }
    if (sets.isEmpty())
        return;
    params[QStringLiteral("id")] = valueAt(row, id);
    const QString sql = QStringLiteral("update %1 set %2 where id = :id").arg(m_table, sets.join(", "));
    if (m_con.execNative(sql, params) == 0)
        throw DbError(QStringLiteral("这条记录已不在数据库中（可能已被其他程序删除），未保存。"));
}

void Dataset::remove() {
    requireCurrent();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_table.isEmpty())
        throw DbError(QStringLiteral("数据集 %1 是只读的，不能删除。").arg(m_name));
    const int row = m_current;
    const int id = fieldIndex(QStringLiteral("id"));
    if (id < 0 || valueAt(row, id).isNull())
        throw DbError(QStringLiteral("数据集 %1 的记录没有编号，无法删除。").arg(m_name));
    m_con.execNative(QStringLiteral("delete from %1 where id = :id").arg(m_table),
                     {{QStringLiteral("id"), valueAt(row, id)}});
    for (auto it = m_sums.begin(); it != m_sums.end(); ++it)
        it.value() -= m_store.number(storageRow(row), it.key());
    emit aboutToRemoveRow(row);
    m_order.erase(m_order.begin() + row);
    emit rowRemoved(row);
    m_current = -1;
    setCurrent(m_order.empty() ? -1 : std::min(row, int(m_order.size()) - 1));
    m_eof = m_bof = m_order.empty();
    if (afterDelete)
        afterDelete(*this);
}

double Dataset::sum(const QString& field) {
    if (m_state == State::Inactive)
        return 0.0;
    const int f = requireField(field);
    const auto it = m_sums.find(f);
    if (it != m_sums.end())
        return *it;
    double total = 0.0;
    if (m_cursor && !m_fields[f].calculated) {
        // Not every row is read yet. Nothing was written since the rows were read (every write reads
        // the rest first), so the engine's sum over the result is the snapshot's, but for a pending edit.
        Statement st = m_con.prepareNative(
            QStringLiteral("select total(%1) from (%2)").arg(m_fields[f].name, JetDialect::translateUnordered(m_sql)));
        for (auto p = m_params.begin(); p != m_params.end(); ++p)
            if (st.hasParameter(p.key()))
                st.bind(p.key(), p.value());
        if (st.step())
            total = st.real(0);
        if (m_state == State::Edit && !m_original.empty())
            total += m_store.number(storageRow(m_current), f) - m_original[size_t(f)].toDouble();
    } else {
        for (int r = 0; r < int(m_order.size()); ++r)
            total += m_store.number(storageRow(r), f);
    }
    m_sums[f] = total;
    return total;
}

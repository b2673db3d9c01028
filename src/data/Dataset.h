#pragma once

#include "ColumnStore.h"
#include "FieldDef.h"

#include <QMap>
#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class Connection;
class Statement;

// A named query over the connection: SQL text in the Jet dialect, named parameters, fields, a static
// snapshot of rows with a current record, and write-back of appends, edits and deletes by id.
// Rows are read on demand, so a million-row result shows its first rows at once.
class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Bookmark = uint32_t;
    using Hook = std::function<void(Dataset&)>;

    Dataset(Connection& con, const QString& name, QObject* parent = nullptr);
    ~Dataset() override;

    const QString& name() const { return m_name; }
    Connection& connection() const { return m_con; }

    // The field list; left empty, the fields are taken from each result (types from the declared columns).
    void setFields(const FieldList& fields);
    // The table that appends, edits and deletes are written to; empty makes the dataset read-only.
    void setTable(const QString& table) { m_table = table; }
    const QString& table() const { return m_table; }

    void setSql(const QString& jetSql);
    const QString& sql() const { return m_sql; }
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const { return m_params.value(name); }

    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    void execSql(); // runs the SQL as a statement that returns no rows

    // Records: counting reads every remaining row of the result.
    int recordCount();
    bool isEmpty();
    int fetchedCount() const { return int(m_order.size()); }
    bool canFetchMore() const { return m_cursor != nullptr; }
    void fetchMore(int rows);
    void fetchAll();

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recNo() const { return m_current < 0 ? 0 : m_current + 1; }
    int currentRow() const { return m_current; }
    void moveTo(int row); // posts a pending change first, like any move

    Bookmark bookmark() const;
    void gotoBookmark(Bookmark bookmark);

    int fieldCount() const { return int(m_fields.size()); }
    const FieldDef& field(int i) const { return m_fields[i]; }
    const FieldList& fields() const { return m_fields; }
    int fieldIndex(const QString& name) const; // -1 when absent
    QString fieldLabel(int i) const;

    // The current record.
    QVariant value(const QString& field) const;
    QString asText(const QString& field) const; // dates as date text, null as ""
    double asFloat(const QString& field) const; // null as 0
    qint64 asInteger(const QString& field) const;
    bool asBool(const QString& field) const;
    void setValue(const QString& field, const QVariant& value); // enters edit mode when browsing
    void setText(const QString& field, const QString& text);    // parses by the field's type

    // Any record by row (0-based), for grids.
    QVariant valueAt(int row, int field) const;
    QString textAt(int row, int field) const;
    void setValueAt(int row, int field, const QVariant& value);
    void setTextAt(int row, int field, const QString& text);

    void append();
    void edit();
    bool post(); // false when nothing was pending
    void cancel();
    void remove();
    bool isModified() const { return m_modified; }

    // The sum of a numeric field over all records, kept up to date through every change.
    double sum(const QString& field);

    // Converts text for a field as setText does; throws DbError naming the field.
    QVariant parseText(int field, const QString& text) const;

    Hook beforeInsert, afterInsert, beforePost, afterPost, afterDelete, calcFields;

signals:
    void aboutToReset();
    void reset(); // opened or closed
    void rowsFetched();
    void aboutToInsertRow(int row);
    void rowInserted(int row);
    void aboutToRemoveRow(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentChanged(int row);
    void stateChanged();

private:
    void requireOpen() const;
    int requireField(const QString& name) const;
    void requireCurrent() const;
    void fieldsFromStatement(const Statement& st);
    void readRows(int limit);
    void releaseCursor();
    void runCalc(int row);
    void storeValue(int row, int field, const QVariant& value);
    void validate(int row) const;
    void writeInsert(int row);
    void writeUpdate(int row);
    void setState(State s);
    void setCurrent(int row);
    uint32_t storageRow(int row) const { return m_order[size_t(row)]; }

    Connection& m_con;
    QString m_name;
    QString m_table;
    QString m_sql;
    QMap<QString, QVariant> m_params;
    FieldList m_fixedFields;
    FieldList m_fields;
    std::vector<int> m_resultToField; // result column -> field index or -1
    ColumnStore m_store;
    std::vector<uint32_t> m_order; // visible row -> storage row
    std::unique_ptr<Statement> m_cursor;
    State m_state = State::Inactive;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    bool m_modified = false;
    bool m_inCalc = false;
    std::vector<QVariant> m_original; // the edited record before the edit, for cancel
    QMap<int, double> m_sums;         // field -> sum, once asked for
};

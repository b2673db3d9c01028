#include "DatasetModel.h"

#include "Dataset.h"
#include "DbError.h"
#include "DrawRecordNumber.h"
#include "Format.h"

#include <QColor>

namespace {

constexpr int FetchStep = 4096;

bool isNumeric(FieldType t) {
    return t == FieldType::Float || t == FieldType::Integer || t == FieldType::AutoInc;
}

} // namespace

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset* dataset) {
    beginResetModel();
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    m_ds = dataset;
    if (m_ds)
        connectDataset();
    resolveFields();
    m_rows = m_ds && m_ds->isOpen() ? m_ds->fetchedCount() : 0;
    endResetModel();
}

Dataset* DatasetModel::dataset() const {
    return m_ds;
}

void DatasetModel::connectDataset() {
    connect(m_ds, &Dataset::aboutToReset, this, &DatasetModel::beginResetModel);
    connect(m_ds, &Dataset::reset, this, &DatasetModel::onReset);
    connect(m_ds, &Dataset::rowsFetched, this, &DatasetModel::onFetched);
    connect(m_ds, &Dataset::aboutToInsertRow, this, &DatasetModel::onAboutToInsert);
    connect(m_ds, &Dataset::rowInserted, this, &DatasetModel::onInserted);
    connect(m_ds, &Dataset::aboutToRemoveRow, this, &DatasetModel::onAboutToRemove);
    connect(m_ds, &Dataset::rowRemoved, this, &DatasetModel::onRemoved);
    connect(m_ds, &Dataset::rowChanged, this, &DatasetModel::onRowChanged);
}

void DatasetModel::setColumns(const QList<GridColumn>& columns) {
    beginResetModel();
    m_columns = columns;
    resolveFields();
    endResetModel();
}

void DatasetModel::resolveFields() {
    // Fields are known only once the dataset is open, and may differ from one opening to the next.
    m_fields.clear();
    for (const GridColumn& c : m_columns)
        m_fields << (m_ds && m_ds->isOpen() && !c.field.isEmpty() ? m_ds->fieldIndex(c.field) : -1);
}

int DatasetModel::fieldOf(int column) const {
    return column >= 0 && column < m_fields.size() ? m_fields[column] : -1;
}

int DatasetModel::columnOfField(const QString& field) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DatasetModel::onReset() {
    resolveFields();
    m_rows = m_ds && m_ds->isOpen() ? m_ds->fetchedCount() : 0;
    endResetModel();
}

void DatasetModel::onFetched() {
    // The dataset announces an upper bound before reading; only the rows actually read are inserted.
    const int n = m_ds->fetchedCount();
    if (n <= m_rows)
        return;
    m_changing = true;
    beginInsertRows({}, m_rows, n - 1);
    m_rows = n;
    endInsertRows();
    m_changing = false;
}

void DatasetModel::onAboutToInsert(int row) {
    m_changing = true;
    beginInsertRows({}, row, row);
}

void DatasetModel::onInserted() {
    ++m_rows;
    endInsertRows();
    m_changing = false;
}

void DatasetModel::onAboutToRemove(int row) {
    m_changing = true;
    beginRemoveRows({}, row, row);
}

void DatasetModel::onRemoved() {
    --m_rows;
    endRemoveRows();
    m_changing = false;
}

void DatasetModel::onRowChanged(int row) {
    if (row >= 0 && row < m_rows && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::displayValue(int row, int column) const {
    const int f = fieldOf(column);
    if (m_columns[column].money && m_ds->field(f).type == FieldType::Float) {
        const QVariant v = m_ds->valueAt(row, f);
        return v.isNull() ? QString() : Format::money(v.toDouble());
    }
    return m_ds->textAt(row, f);
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_ds || index.row() >= m_rows)
        return {};
    const int row = index.row(), col = index.column();
    if (col == 0) {
        if (role == Qt::DisplayRole)
            return recordNumberText(row);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignHCenter | Qt::AlignTop);
        return {};
    }
    const int f = fieldOf(col);
    if (f < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return displayValue(row, col);
    case Qt::EditRole:
        return m_ds->textAt(row, f);
    case Qt::ForegroundRole:
        return m_columns[col].redText ? QVariant(QColor(Qt::red)) : QVariant();
    case Qt::TextAlignmentRole:
        return isNumeric(m_ds->field(f).type) ? int(Qt::AlignRight | Qt::AlignVCenter)
                                              : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns[section].title : QString();
    return recordNumberText(section);
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int f = fieldOf(index.column());
    if (f < 0 || m_columns[index.column()].readOnly || m_ds->table().isEmpty())
        return flags;
    const FieldDef& def = m_ds->field(f);
    if (!def.readOnly && !def.calculated && def.type != FieldType::AutoInc)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int f = fieldOf(index.column());
    const QString text = value.toString();
    // Leaving a cell unchanged must not put the record into edit mode.
    if (text == m_ds->textAt(index.row(), f))
        return true;
    try {
        m_ds->setTextAt(index.row(), f, text);
    } catch (const DbError& e) {
        emit dataError(e.message());
        return false;
    }
    return true;
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !m_fetchBlocked && m_ds && m_ds->isOpen() && m_ds->canFetchMore();
}

void DatasetModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    try {
        m_ds->fetchMore(FetchStep);
    } catch (const DbError& e) {
        emit dataError(e.message());
    }
}

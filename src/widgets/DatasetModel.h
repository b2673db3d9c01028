#pragma once

#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

class Dataset;

// The one adapter through which grids see a dataset: a row per record, a column per GridColumn.
// Rows come on demand (canFetchMore/fetchMore) and follow the dataset's own signals, so inserts,
// edits and deletes never re-read the result.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QObject* parent = nullptr);

    void setDataset(Dataset* dataset);
    Dataset* dataset() const;

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    const GridColumn& column(int i) const { return m_columns[i]; }
    GridColumn& columnRef(int i) { return m_columns[i]; }
    // The dataset field of a column, -1 for the record-number column, an unknown field or a closed dataset.
    int fieldOf(int column) const;
    int columnOfField(const QString& field) const;

    // True while rows are being inserted or removed: the view's current index then moves on its own
    // and must not be taken for a move of the user.
    bool changingRows() const { return m_changing; }
    // While blocked, the model offers no more rows (see DataGrid::horizontalScrollbarValueChanged).
    void setFetchBlocked(bool blocked) { m_fetchBlocked = blocked; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores text through Dataset::setTextAt; a data error becomes dataError and false.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    void dataError(const QString& message);

private:
    void connectDataset();
    void resolveFields();
    void onReset();
    void onFetched();
    void onAboutToInsert(int row);
    void onInserted();
    void onAboutToRemove(int row);
    void onRemoved();
    void onRowChanged(int row);
    QVariant displayValue(int row, int column) const;

    QPointer<Dataset> m_ds;
    QList<GridColumn> m_columns;
    QList<int> m_fields; // column -> field index
    int m_rows = 0;      // rows the view knows of; changes only between begin/end calls
    bool m_changing = false;
    bool m_fetchBlocked = false;
};

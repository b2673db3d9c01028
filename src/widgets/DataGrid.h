#pragma once

#include "GridColumn.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>
#include <functional>

class Dataset;
class DatasetModel;
class GridDelegate;
class GridFooter;

// The data grid of every window: a table over a Dataset with a record-number column (column 0),
// column settings as GridColumn data, pick lists, "…" edit buttons, a calculator for amounts, a footer
// with fixed texts and live sums, in-place editing that refuses bad dates and amounts at once,
// multi-row selection and Ctrl+Delete. The grid's current row is the dataset's current record.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    using DrawCell = std::function<void(QPainter*, const QRect&, int row, int column)>;

    explicit DataGrid(QWidget* parent = nullptr);

    void setDataset(Dataset* dataset);
    Dataset* dataset() const;

    // Column 0 should be GridColumn::recordNumber(); the others name the dataset's fields.
    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const;
    const GridColumn& column(int i) const;
    int columnOfField(const QString& field) const;
    int fieldOf(int column) const; // the dataset field, -1 when none
    // The record-number column followed by every field of the open dataset; "id" hidden.
    static QList<GridColumn> defaultColumns(const Dataset& dataset);

    // A closed list when keys are given (the cell stores the key of the item chosen), else a suggesting one.
    void setPickList(int column, const QStringList& keys, const QStringList& display);
    void clearPickList(int column);
    QStringList pickKeys(int column) const;
    QStringList pickItems(int column) const;

    void setFooterText(int column, const QString& text);
    // What the footer cell shows: a column with footerSum shows the dataset's sum as money.
    QString footerText(int column) const;
    // Switched off at exit, so that closing windows never asks the engine for sums.
    void setFooterSumsEnabled(bool enabled);
    bool footerSumsEnabled() const { return m_footerSums; }
    GridFooter* footer() const { return m_footer; }
    // Grids without sums or labels (the pickers) leave the footer row out.
    void setFooterVisible(bool visible);

    // The selected rows, in the order they were selected.
    QList<int> selectedRows() const;
    void clearRowSelection();
    // Ctrl+Delete: asks, then deletes the selected rows (the current row when none is selected).
    void deleteRows();
    void setDeleteEnabled(bool enabled) { m_deleteEnabled = enabled; }

    // A cell editor is open (also one that holds refused text).
    bool isEditing() const { return state() == EditingState; }

    // Called after each cell is painted; windows install their own and call DrawRecordNumber from it.
    // The default draws the record number, so every grid has it.
    DrawCell drawColumnCell;
    static QColor recordNumberBackground();

signals:
    void editButtonClicked(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void horizontalScrollbarValueChanged(int value) override;

private:
    friend class GridDelegate;
    void noteEditor(QWidget* editor) { m_editor = editor; }
    void applyColumnLayout();
    void followDataset();
    void onDatasetChanged();
    void onFocusChanged(QWidget* old, QWidget* now);
    void dropUnchangedAppend();
    void onEditButton(QWidget* editor);
    void closeOpenEditor(bool commit);
    bool acceptText(int column, const QString& text, QString* message) const;
    bool isInside(const QWidget* w) const;
    QModelIndex nextCell(int step) const;
    bool rowSelected(int row) const;
    void deleteTargets(QList<int> rows);
    int footerHeight() const;
    void fitVerticalRange();

    DatasetModel* m_model;
    GridDelegate* m_delegate;
    GridFooter* m_footer;
    QPointer<QWidget> m_editor; // the open cell editor, if any
    QList<QPersistentModelIndex> m_selOrder;
    bool m_footerSums = true;
    bool m_footerVisible = true;
    bool m_deleteEnabled = true;
    bool m_following = false;  // moving the view to the dataset's record
    bool m_validating = false; // a refusal message is on screen
    bool m_refused = false;    // the last commit was refused: the editor stays open
    bool m_inGeometry = false;
};

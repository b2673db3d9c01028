#pragma once

#include <QStyledItemDelegate>

class DataGrid;

// Cell editors and cell painting of a DataGrid, chosen from the column's settings: a closed or
// suggesting drop-down for pick lists, a calculator edit for amounts, an edit with a "…" button,
// or a plain edit limited to the field's width. Every cell is painted as usual and then handed to
// the grid's draw hook.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(DataGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The text an editor would store: for a closed list the key of the item chosen.
    QString editorText(QWidget* editor) const;
    // The cell an open editor belongs to.
    static QModelIndex editorIndex(QWidget* editor);
    // Where the "…" button of an edit-button cell is drawn.
    static QRect editButtonRect(const QRect& cell);

private:
    QWidget* createLineEditor(QWidget* parent, const QModelIndex& index) const;

    DataGrid* m_grid;
};

#include "GridDelegate.h"

#include "CalcEdit.h"
#include "DataGrid.h"
#include "Dataset.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>

namespace {

const char* const IndexProperty = "zorvaneGridIndex";

QIcon ellipsisIcon() {
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    for (int x : {2, 6, 10})
        p.drawRect(x, 9, 2, 2);
    return QIcon(pm);
}

} // namespace

GridDelegate::GridDelegate(DataGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    const GridColumn& col = m_grid->column(index.column());
    QWidget* editor = nullptr;
    if (col.pickKind != PickKind::None) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(col.pickKind == PickKind::Suggest);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(16);
        combo->addItems(col.pickItems);
        editor = combo;
    } else {
        editor = createLineEditor(parent, index);
    }
    editor->setProperty(IndexProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    m_grid->noteEditor(editor);
    return editor;
}

QWidget* GridDelegate::createLineEditor(QWidget* parent, const QModelIndex& index) const {
    const GridColumn& col = m_grid->column(index.column());
    QLineEdit* edit = col.calculator ? new CalcEdit(parent) : new QLineEdit(parent);
    edit->setFrame(false);
    const Dataset* ds = m_grid->dataset();
    const int f = m_grid->fieldOf(index.column());
    if (ds && f >= 0 && ds->field(f).type == FieldType::Text && ds->field(f).width > 0)
        edit->setMaxLength(ds->field(f).width);
    if (col.editButton) {
        QAction* button = edit->addAction(ellipsisIcon(), QLineEdit::TrailingPosition);
        button->setToolTip(QStringLiteral("…"));
        DataGrid* grid = m_grid;
        connect(button, &QAction::triggered, edit, [grid, edit] { grid->onEditButton(edit); });
    }
    return edit;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const GridColumn& col = m_grid->column(index.column());
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            const QStringList& keys = col.pickKeys.isEmpty() ? col.pickItems : col.pickKeys;
            combo->setCurrentIndex(int(keys.indexOf(text)));
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    }
}

QString GridDelegate::editorText(QWidget* editor) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->isEditable())
            return combo->currentText();
        const QModelIndex index = editorIndex(editor);
        const GridColumn& col = m_grid->column(index.column());
        const QStringList& keys = col.pickKeys.isEmpty() ? col.pickItems : col.pickKeys;
        const int i = combo->currentIndex();
        // Nothing chosen from a closed list leaves the cell as it was.
        return i >= 0 && i < keys.size() ? keys[i] : index.data(Qt::EditRole).toString();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    return {};
}

QModelIndex GridDelegate::editorIndex(QWidget* editor) {
    return editor ? QModelIndex(editor->property(IndexProperty).value<QPersistentModelIndex>()) : QModelIndex();
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, editorText(editor), Qt::EditRole);
}

QRect GridDelegate::editButtonRect(const QRect& cell) {
    const int w = qMin(18, cell.height());
    return QRect(cell.right() - w + 1, cell.top(), w, cell.height());
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    if (index.column() == 0) // the record number is drawn by the hook alone
        opt.text.clear();
    QStyledItemDelegate::paint(painter, opt, index);
    const GridColumn& col = m_grid->column(index.column());
    if (col.editButton && index == m_grid->currentIndex()) {
        const QRect b = editButtonRect(option.rect);
        painter->fillRect(b, option.palette.button());
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(b.adjusted(0, 0, -1, -1));
        painter->setPen(option.palette.color(QPalette::ButtonText));
        painter->drawText(b, Qt::AlignCenter, QStringLiteral("…"));
    }
    if (m_grid->drawColumnCell)
        m_grid->drawColumnCell(painter, option.rect, index.row(), index.column());
}

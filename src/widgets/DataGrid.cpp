#include "DataGrid.h"

#include "Dataset.h"
#include "DatasetModel.h"
#include "DbError.h"
#include "DrawRecordNumber.h"
#include "Format.h"
#include "GridDelegate.h"
#include "GridFooter.h"
#include "Guard.h"
#include "MsgBox.h"
#include "Schema.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), m_model(new DatasetModel(this)), m_delegate(new GridDelegate(this)),
      m_footer(new GridFooter(this)) {
    drawColumnCell = [this](QPainter* p, const QRect& r, int row, int column) {
        DrawRecordNumber(*this, column, r, *p, row);
    };
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->hide();
    // Pixel scrolling: the range is fitted to the viewport less the footer strip (fitVerticalRange).
    setVerticalScrollMode(ScrollPerPixel);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);

    connect(m_model, &DatasetModel::dataError, this,
            [this](const QString& message) { MsgBox::critical(this, message); });
    auto footerUpdate = [this] { m_footer->update(); };
    connect(horizontalHeader(), &QHeaderView::sectionResized, m_footer, footerUpdate);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, m_footer, footerUpdate);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_footer, footerUpdate);
    connect(qApp, &QApplication::focusChanged, this, &DataGrid::onFocusChanged);
}

QColor DataGrid::recordNumberBackground() {
    return QColor(0xE0, 0xE0, 0xE0);
}

void DataGrid::setDataset(Dataset* dataset) {
    if (Dataset* old = m_model->dataset())
        disconnect(old, nullptr, this, nullptr);
    m_model->setDataset(dataset);
    if (dataset) {
        connect(dataset, &Dataset::currentChanged, this, &DataGrid::followDataset);
        connect(dataset, &Dataset::reset, this, &DataGrid::onDatasetChanged);
        for (auto signal : {&Dataset::rowInserted, &Dataset::rowRemoved, &Dataset::rowChanged})
            connect(dataset, signal, m_footer, [this] { m_footer->update(); });
    }
    applyColumnLayout();
    followDataset();
}

Dataset* DataGrid::dataset() const {
    return m_model->dataset();
}

void DataGrid::setColumns(const QList<GridColumn>& columns) {
    m_model->setColumns(columns);
    applyColumnLayout();
    followDataset();
}

const QList<GridColumn>& DataGrid::columns() const {
    return m_model->columns();
}

const GridColumn& DataGrid::column(int i) const {
    return m_model->column(i);
}

int DataGrid::columnOfField(const QString& field) const {
    return m_model->columnOfField(field);
}

int DataGrid::fieldOf(int column) const {
    return m_model->fieldOf(column);
}

QList<GridColumn> DataGrid::defaultColumns(const Dataset& dataset) {
    QList<GridColumn> cols{GridColumn::recordNumber()};
    for (int f = 0; f < dataset.fieldCount(); ++f) {
        GridColumn c;
        c.field = dataset.field(f).name;
        c.title = dataset.fieldLabel(f);
        c.visible = c.field.compare(QLatin1String("id"), Qt::CaseInsensitive) != 0;
        cols << c;
    }
    return cols;
}

void DataGrid::applyColumnLayout() {
    const QList<GridColumn>& cols = columns();
    for (int i = 0; i < cols.size(); ++i) {
        setColumnHidden(i, !cols[i].visible);
        if (cols[i].width > 0)
            horizontalHeader()->resizeSection(i, cols[i].width);
    }
    m_footer->update();
}

void DataGrid::onDatasetChanged() {
    // A (re)opened dataset starts with nothing selected; its current record becomes current without selecting.
    m_selOrder.clear();
    clearSelection();
    applyColumnLayout();
    followDataset();
}

void DataGrid::followDataset() {
    Dataset* ds = dataset();
    if (!ds || !ds->isOpen() || ds->currentRow() < 0 || ds->currentRow() >= m_model->rowCount())
        return;
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && cur.row() == ds->currentRow())
        return;
    int col = cur.isValid() ? cur.column() : -1;
    if (col <= 0 || isColumnHidden(col))
        for (col = 1; col < m_model->columnCount() && isColumnHidden(col); ++col) {
        }
    if (col >= m_model->columnCount())
        col = 0;
    m_following = true;
    const QModelIndex target = m_model->index(ds->currentRow(), col);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    scrollTo(target);
    m_following = false;
    // A row just appended lies beyond the scroll range until the view has laid itself out again.
    QTimer::singleShot(0, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    });
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    m_footer->update();
    Dataset* ds = dataset();
    // While rows come and go, the view moves its current index by itself; the dataset decides where it goes.
    if (m_following || m_model->changingRows() || !ds || !ds->isOpen() || !current.isValid())
        return;
    if (current.row() == ds->currentRow())
        return;
    if (!guard(this, [&] { ds->moveTo(current.row()); }))
        QTimer::singleShot(0, this, &DataGrid::followDataset);
}

// ---- pick lists and footer

void DataGrid::setPickList(int column, const QStringList& keys, const QStringList& display) {
    GridColumn& c = m_model->columnRef(column);
    c.pickKind = keys.isEmpty() ? PickKind::Suggest : PickKind::Closed;
    c.pickKeys = keys;
    c.pickItems = display;
}

void DataGrid::clearPickList(int column) {
    GridColumn& c = m_model->columnRef(column);
    c.pickKind = PickKind::None;
    c.pickKeys.clear();
    c.pickItems.clear();
}

QStringList DataGrid::pickKeys(int column) const {
    return this->column(column).pickKeys;
}

QStringList DataGrid::pickItems(int column) const {
    return this->column(column).pickItems;
}

void DataGrid::setFooterText(int column, const QString& text) {
    m_model->columnRef(column).footerText = text;
    m_footer->update();
}

QString DataGrid::footerText(int column) const {
    const GridColumn& c = this->column(column);
    Dataset* ds = dataset();
    if (!c.footerSum || !m_footerSums || !ds || !ds->isOpen() || fieldOf(column) < 0)
        return c.footerText;
    try {
        // Kept by the dataset through every change: asking again costs nothing.
        return Format::money(ds->sum(c.field));
    } catch (const DbError&) {
        return {}; // painting is no place for a message box; the error shows where the data is used
    }
}

void DataGrid::setFooterSumsEnabled(bool enabled) {
    m_footerSums = enabled;
    m_footer->update();
}

int DataGrid::footerHeight() const {
    return m_footerVisible ? fontMetrics().height() + 8 : 0;
}

void DataGrid::setFooterVisible(bool visible) {
    m_footerVisible = visible;
    m_footer->setVisible(visible);
    updateGeometries();
}

void DataGrid::updateGeometries() {
    if (m_inGeometry)
        return;
    m_inGeometry = true;
    QTableView::updateGeometries();
    // The table view sets its margins for the headers; the footer takes a strip under the rows.
    QMargins m = viewportMargins();
    m.setBottom(footerHeight());
    setViewportMargins(m);
    const QRect vp = viewport()->geometry();
    m_footer->setGeometry(vp.left(), vp.bottom() + 1, vp.width(), footerHeight());
    m_footer->update();
    fitVerticalRange();
    m_inGeometry = false;
}

// The table view sizes its scroll range for a viewport without the footer strip; size it again for the
// strip, or the last row could never be scrolled into view.
void DataGrid::fitVerticalRange() {
    const int rows = model() ? model()->rowCount() : 0;
    const int height = viewport()->height();
    if (rows == 0 || height <= 0)
        return;
    QScrollBar* bar = verticalScrollBar();
    if (verticalScrollMode() == ScrollPerPixel) {
        const int total = verticalHeader()->length();
        bar->setRange(0, std::max(0, total - height));
        bar->setPageStep(height);
        return;
    }
    int fitting = 0;
    for (int used = 0, row = rows - 1; row >= 0; --row) {
        used += rowHeight(row);
        if (used > height)
            break;
        ++fitting;
    }
    fitting = std::max(1, fitting);
    bar->setRange(0, rows - fitting);
    bar->setPageStep(fitting);
}

void DataGrid::horizontalScrollbarValueChanged(int value) {
    // The item view fetches more rows whenever the horizontal bar sits at its end, which it does on every
    // layout of a grid that needs no horizontal scrolling: rows are fetched only as the rows scroll.
    m_model->setFetchBlocked(true);
    QTableView::horizontalScrollbarValueChanged(value);
    m_model->setFetchBlocked(false);
}

// ---- selection

bool DataGrid::rowSelected(int row) const {
    return selectionModel()->isSelected(m_model->index(row, 0));
}

void DataGrid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    m_selOrder.erase(
        std::remove_if(m_selOrder.begin(), m_selOrder.end(),
                       [this](const QPersistentModelIndex& i) { return !i.isValid() || !rowSelected(i.row()); }),
        m_selOrder.end());
    QList<int> rows;
    for (const QItemSelectionRange& r : selected)
        for (int row = r.top(); row <= r.bottom(); ++row)
            rows << row;
    std::sort(rows.begin(), rows.end());
    for (int row : rows) {
        const bool known = std::any_of(m_selOrder.begin(), m_selOrder.end(),
                                       [row](const QPersistentModelIndex& i) { return i.row() == row; });
        if (!known && rowSelected(row))
            m_selOrder << QPersistentModelIndex(m_model->index(row, 0));
    }
}

QList<int> DataGrid::selectedRows() const {
    QList<int> rows;
    for (const QPersistentModelIndex& i : m_selOrder)
        if (i.isValid() && rowSelected(i.row()))
            rows << i.row();
    return rows;
}

void DataGrid::clearRowSelection() {
    clearSelection();
    m_selOrder.clear();
}

// ---- deleting

void DataGrid::deleteRows() {
    Dataset* ds = dataset();
    if (!m_deleteEnabled || !ds || !ds->isOpen() || ds->isEmpty() || ds->table().isEmpty())
        return;
    QList<int> rows = selectedRows();
    const bool selection = !rows.isEmpty();
    if (!selection && ds->currentRow() >= 0)
        rows << ds->currentRow();
    if (rows.isEmpty())
        return;
    if (!MsgBox::question(this, selection ? QStringLiteral("删除选中的记录吗？") : QStringLiteral("删除当前记录吗？")))
        return;
    closeOpenEditor(false);
    guard(this, [&] { deleteTargets(rows); });
    clearRowSelection();
    m_footer->update();
}

void DataGrid::deleteTargets(QList<int> rows) {
    Dataset* ds = dataset();
    // An appended row nobody filled in is dropped first, so that moving to the other rows does not save it.
    if (ds->state() == Dataset::State::Insert && !ds->isModified()) {
        const int appended = ds->currentRow();
        rows.removeAll(appended);
        ds->cancel();
    }
    const int idField = ds->fieldIndex(QStringLiteral("id"));
    struct Target {
        int row;
        QVariant id;
    };
    QList<Target> targets;
    for (int r : rows)
        targets << Target{r, idField >= 0 ? ds->valueAt(r, idField) : QVariant()};
    // From the bottom up, and each row found again by its id: deletes never hit a shifted row,
    // even when an after-delete handler refreshes the dataset.
    std::sort(targets.begin(), targets.end(), [](const Target& a, const Target& b) { return a.row > b.row; });
    for (const Target& t : targets) {
        int row = t.row;
        if (idField >= 0 && !t.id.isNull() && (row >= ds->fetchedCount() || ds->valueAt(row, idField) != t.id)) {
            row = -1;
            for (int r = 0; r < ds->fetchedCount() && row < 0; ++r)
                if (ds->valueAt(r, idField) == t.id)
                    row = r;
        }
        if (row < 0 || row >= ds->fetchedCount())
            continue;
        ds->moveTo(row);
        ds->remove();
    }
}

// ---- editing

bool DataGrid::acceptText(int column, const QString& text, QString* message) const {
    const Dataset* ds = dataset();
    const int f = fieldOf(column);
    if (!ds || f < 0)
        return true;
    try {
        ds->parseText(f, text);
        return true;
    } catch (const DbError&) {
    }
    // The message names the column as the user sees it.
    const QString title = this->column(column).title;
    const QString shown = text.trimmed();
    switch (ds->field(f).type) {
    case FieldType::Date:
        *message = QStringLiteral("“%1”：“%2”不是有效的日期。").arg(title, shown);
        break;
    case FieldType::Float:
        *message = QStringLiteral("“%1”：“%2”不是有效的数字。").arg(title, shown);
        break;
    default:
        *message = QStringLiteral("“%1”：“%2”不是有效的整数。").arg(title, shown);
        break;
    }
    return false;
}

void DataGrid::commitData(QWidget* editor) {
    if (m_validating) { // the refusal box took the focus from the editor: not a new commit
        m_refused = true;
        return;
    }
    const QModelIndex index = GridDelegate::editorIndex(editor);
    QString message;
    if (index.isValid() && !acceptText(index.column(), m_delegate->editorText(editor), &message)) {
        m_refused = true;
        if (window()->isHidden()) // the window is closing: nobody is there to correct the text
            return;
        m_validating = true;
        MsgBox::warning(this, message);
        m_validating = false;
        QTimer::singleShot(0, editor, [editor] { editor->setFocus(); });
        return;
    }
    QTableView::commitData(editor);
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (m_refused) { // the editor stays open on the refused text
        m_refused = false;
        return;
    }
    QTableView::closeEditor(editor, hint);
    m_footer->update();
}

void DataGrid::closeOpenEditor(bool commit) {
    if (!m_editor || state() != EditingState)
        return;
    QWidget* editor = m_editor;
    if (commit) {
        commitData(editor);
        if (m_refused)
            return;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DataGrid::onEditButton(QWidget* editor) {
    const QModelIndex index = GridDelegate::editorIndex(editor);
    // The handler usually sets the field itself: the editor's text must be stored and gone before it runs.
    closeOpenEditor(true);
    if (m_refused) {
        m_refused = false;
        return;
    }
    if (index.isValid())
        emit editButtonClicked(index.column());
}

QModelIndex DataGrid::nextCell(int step) const {
    const QModelIndex cur = currentIndex();
    const QHeaderView* h = horizontalHeader();
    const int count = h->count();
    int visual = h->visualIndex(cur.column());
    int row = cur.row();
    for (int i = 0; i < 2 * count; ++i) {
        visual += step;
        if (visual >= count)
            visual = 0, ++row;
        else if (visual < 0)
            visual = count - 1, --row;
        if (row < 0 || row >= m_model->rowCount())
            return cur;
        const int logical = h->logicalIndex(visual);
        if (logical != 0 && !isColumnHidden(logical))
            return m_model->index(row, logical);
    }
    return cur;
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Tab and Shift+Tab go from cell to cell over the data columns, never into the record numbers.
    if ((action == MoveNext || action == MovePrevious) && currentIndex().isValid())
        return nextCell(action == MoveNext ? 1 : -1);
    return QTableView::moveCursor(action, modifiers);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        deleteRows();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    // A refused editor is still open: the click must not move the current cell away from it.
    if (state() == EditingState && m_editor) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index == currentIndex() && column(index.column()).editButton &&
        GridDelegate::editButtonRect(visualRect(index)).contains(event->position().toPoint())) {
        event->accept();
        emit editButtonClicked(index.column());
        return;
    }
    QTableView::mousePressEvent(event);
}

// ---- leaving the grid

bool DataGrid::isInside(const QWidget* w) const {
    for (; w; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

void DataGrid::onFocusChanged(QWidget* old, QWidget* now) {
    // Only a move to another control of the same window leaves the grid: message boxes, dialogs opened
    // from an edit button, popups and switching to another program do not.
    if (!old || !now || !isInside(old) || isInside(now) || now->window() != window() || m_validating)
        return;
    dropUnchangedAppend();
}

void DataGrid::dropUnchangedAppend() {
    Dataset* ds = dataset();
    if (!ds || ds->state() != Dataset::State::Insert || ds->isModified())
        return;
    closeOpenEditor(false);
    guard(this, [ds] { ds->cancel(); });
}

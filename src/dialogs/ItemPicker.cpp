#include "ItemPicker.h"

#include "DataGrid.h"
#include "Dataset.h"
#include "Guard.h"
#include "JetDialect.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

GridColumn column(const char* field, const QString& title, int width, bool visible = true) {
    GridColumn c;
    c.field = QString::fromLatin1(field);
    c.title = title;
    c.width = width;
    c.visible = visible;
    c.readOnly = true;
    return c;
}

QList<GridColumn> categoryColumns() {
    return {GridColumn::recordNumber(), column("id", QStringLiteral("id"), 0, false),
            column("bianma", QStringLiteral("编码"), 70), column("leibie", QStringLiteral("类别"), 110)};
}

QList<GridColumn> itemColumns() {
    return {GridColumn::recordNumber(),
            column("id", QStringLiteral("id"), 0, false),
            column("bianma", QStringLiteral("编码"), 80),
            column("fbianma", QStringLiteral("fbianma"), 0, false),
            column("zbianma", QStringLiteral("zbianma"), 0, false),
            column("xiangmu", QStringLiteral("项目"), 140)};
}

// A grid to choose from: whole rows, nothing edited or deleted.
DataGrid* pickGrid(QWidget* parent, const char* name, Dataset* dataset, const QList<GridColumn>& columns) {
    auto* grid = new DataGrid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setColumns(columns);
    grid->setDataset(dataset);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setDeleteEnabled(false);
    grid->setFooterVisible(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

} // namespace

ItemPicker::ItemPicker(const Setup& setup, QWidget* parent) : QDialog(parent), m_setup(setup) {
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    // A title but no buttons on it: the picker ends through 取消 or 确定 only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    buildGrids();
    buildButtons();
    auto* layout = new QVBoxLayout(this);
    auto* grids = new QHBoxLayout;
    grids->addWidget(DBGridEh1, 45);
    grids->addWidget(DBGridEh2, 55);
    layout->addLayout(grids);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(24);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    layout->addLayout(buttons);
    setFixedSize(600, 400);
}

void ItemPicker::buildGrids() {
    DBGridEh1 = pickGrid(this, "DBGridEh1", m_setup.categories, categoryColumns());
    DBGridEh2 = pickGrid(this, "DBGridEh2", m_setup.items, itemColumns());
    // The category of the listed items stays marked while the user works in the item grid.
    QPalette p = DBGridEh1->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    DBGridEh1->setPalette(p);
    connect(DBGridEh1, &QAbstractItemView::clicked, this, &ItemPicker::DBGridEh1CellClick);
    connect(DBGridEh2, &QAbstractItemView::doubleClicked, this, &ItemPicker::DBGridEh2DblClick);
}

void ItemPicker::buildButtons() {
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("取消"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("确定"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn2, &QPushButton::clicked, this, &ItemPicker::DBGridEh2DblClick);
}

void ItemPicker::showEvent(QShowEvent* event) {
    // Centred on the screen, not over the main window.
    if (QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void ItemPicker::DBGridEh1CellClick() {
    guard(this, [this] { loadItems(); });
}

void ItemPicker::DBGridEh2DblClick() {
    guard(this, [this] { choose(); });
}

void ItemPicker::loadItems() {
    Dataset* categories = m_setup.categories;
    if (!categories || !categories->isOpen() || categories->currentRow() < 0)
        return;
    const QString code = categories->asText(QStringLiteral("bianma"));
    *m_setup.selectedCategoryCode = code;
    Dataset* items = m_setup.items;
    items->close();
    // Quoted: a code may hold a quote. A failed open leaves the list closed, so 确定 then does nothing.
    items->setSql(QStringLiteral("select * from ") + m_setup.itemTable + QStringLiteral(" where fbianma = ") +
                  JetDialect::quoted(code));
    items->open();
}

void ItemPicker::choose() {
    // Nothing to choose before a category was clicked, or from an empty list: the picker stays open.
    Dataset* items = m_setup.items;
    Dataset* categories = m_setup.categories;
    if (!items || !items->isOpen() || items->currentRow() < 0)
        return;
    if (!categories || !categories->isOpen() || categories->currentRow() < 0)
        return;
    // Both read before either string changes: a failed read chooses nothing.
    const QString item = items->asText(QStringLiteral("xiangmu"));
    const QString category = categories->asText(QStringLiteral("leibie"));
    *m_setup.chosenItem = item;
    *m_setup.chosenCategory = category;
    accept();
}

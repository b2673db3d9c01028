// The entry page of the main window: period tabs, the expense and income grids, the day bars.
#include "DataGrid.h"
#include "DayBar.h"
#include "Format.h"
#include "Guard.h"
#include "MsgBox.h"
#include "Periods.h"
#include "TDM.h"
#include "TForm1.h"
#include "TForm2.h"
#include "TForm6.h"
#include "TForm9.h"

#include <QApplication>
#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int CustomMonthTab = 32;
constexpr int TellerColumn = 3;
constexpr int MethodColumn = 4;
constexpr int ItemColumn = 6;
constexpr int NoteColumn = 8;

GridColumn textColumn(const char* field, const QString& title, const QString& footer, int width = 80) {
    GridColumn c;
    c.field = QString::fromLatin1(field);
    c.title = title;
    c.footerText = footer;
    c.width = width;
    return c;
}

// The nine columns of an entry grid; expenses and incomes differ only in their texts.
QList<GridColumn> entryColumns(bool expenses) {
    const auto text = [expenses](const char* e, const char* i) { return QString::fromUtf8(expenses ? e : i); };
    GridColumn id = textColumn("id", {}, {});
    id.visible = false;
    GridColumn teller = textColumn("teller", text("支出人", "收入人"), text("所有人员", "所有收入人"));
    teller.pickKind = PickKind::Closed;
    GridColumn method = textColumn("zffs", text("支付方式", "收入方式"), text("所有支付方式", "所有收入方式"), 95);
    method.pickKind = PickKind::Closed;
    GridColumn category = textColumn("leibie", text("支出类别", "收入类别"), text("所有支出类别", "所有收入类别"), 95);
    category.readOnly = true; // set together with the item by the picker
    GridColumn item = textColumn("item", text("支出项目", "收入项目"), text("所有支出项目", "所有收入项目"), 110);
    item.editButton = true;
    GridColumn money = textColumn("moneye", text("支出金额（元）", "收入金额（元）"), {}, 130);
    money.footerSum = money.money = money.redText = money.calculator = true;
    GridColumn note = textColumn("beizhu", QStringLiteral("备注"), QStringLiteral("所有备注"), 260);
    note.pickKind = PickKind::Suggest;
    return {GridColumn::recordNumber(),
            id,
            textColumn("datee", text("支出日期", "收入日期"), QStringLiteral("合计"), 90),
            teller,
            method,
            category,
            item,
            money,
            note};
}

QToolButton* toolButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(caption));
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumWidth(72);
    return b;
}

// Lets the page repaint while a long refresh goes on; user input waits, so no handler starts in between.
void letWindowRepaint() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QWidget* TForm1::buildEntryPage() {
    auto* page = new QWidget(cxPageControl1);
    page->setObjectName(QStringLiteral("cxTabSheet1"));
    cxTabSheet1 = page;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(2);
    buildEntryToolbar(page);
    buildDayBars(page);
    buildPeriodTabs(page);
    column->addWidget(Panel10);
    column->addWidget(Panel16);
    column->addWidget(cxPageControl2);

    cxPageControl6 = new QTabWidget(page);
    cxPageControl6->setObjectName(QStringLiteral("cxPageControl6"));
    cxTabSheet45 = new QWidget(cxPageControl6);
    cxTabSheet45->setObjectName(QStringLiteral("cxTabSheet45"));
    cxTabSheet46 = new QWidget(cxPageControl6);
    cxTabSheet46->setObjectName(QStringLiteral("cxTabSheet46"));
    DBGridEh1 = new DataGrid(cxTabSheet45);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh8 = new DataGrid(cxTabSheet46);
    DBGridEh8->setObjectName(QStringLiteral("DBGridEh8"));
    for (auto [sheet, grid] : {std::pair{cxTabSheet45, DBGridEh1}, std::pair{cxTabSheet46, DBGridEh8}}) {
        grid->horizontalHeader()->setStretchLastSection(true); // the note takes the rest of the width
        auto* l = new QVBoxLayout(sheet);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(grid);
    }
    cxPageControl6->addTab(cxTabSheet45, QStringLiteral("支出"));
    cxPageControl6->addTab(cxTabSheet46, QStringLiteral("收入"));

    summaryTabs = new QTabWidget(page);
    summaryTabs->setObjectName(QStringLiteral("summaryTabs"));
    cxTabSheet47 = new QWidget(summaryTabs);
    cxTabSheet47->setObjectName(QStringLiteral("cxTabSheet47"));
    auto* summary = new QVBoxLayout(cxTabSheet47);
    summary->addWidget(new QLabel(QStringLiteral("收支汇总尚未建成。"), cxTabSheet47));
    summaryTabs->addTab(cxTabSheet47, QStringLiteral("收支汇总"));

    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->setObjectName(QStringLiteral("entrySplitter"));
    splitter->addWidget(cxPageControl6);
    splitter->addWidget(summaryTabs);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    column->addWidget(splitter, 1);
    return page;
}

void TForm1::buildEntryToolbar(QWidget* page) {
    Panel10 = new QWidget(page);
    Panel10->setObjectName(QStringLiteral("Panel10"));
    auto* row = new QHBoxLayout(Panel10);
    row->setContentsMargins(0, 0, 0, 0);
    SpeedButton1 = toolButton(Panel10, "SpeedButton1", "增加");
    SpeedButton2 = toolButton(Panel10, "SpeedButton2", "删除");
    SpeedButton3 = toolButton(Panel10, "SpeedButton3", "修改 / 保存");
    SpeedButton10 = toolButton(Panel10, "SpeedButton10", "快速录入");
    SpeedButton11 = toolButton(Panel10, "SpeedButton11", "刷新收支汇总");
    for (QToolButton* b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton10, SpeedButton11})
        row->addWidget(b);
    row->addStretch(1);
}

void TForm1::buildDayBars(QWidget* page) {
    Panel16 = new QWidget(page);
    Panel16->setObjectName(QStringLiteral("Panel16"));
    Panel16->setFixedHeight(72);
    for (int i = 1; i <= 32; ++i) {
        auto* bar = new DayBar(Panel16);
        bar->setObjectName(QStringLiteral("cxProgressBar%1").arg(i));
        dayBars.append(bar);
    }
    dayBars[0]->setPosition(100); // the whole month, never changed
    dayBars[0]->setToolTip(QStringLiteral("本月"));

    Panel25 = new QWidget(Panel16);
    Panel25->setObjectName(QStringLiteral("Panel25"));
    auto* l = new QHBoxLayout(Panel25);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(new QLabel(QStringLiteral("月份"), Panel25));
    DateTimePicker3 = new QDateEdit(Panel25);
    DateTimePicker3->setObjectName(QStringLiteral("DateTimePicker3"));
    DateTimePicker3->setDisplayFormat(QStringLiteral("yyyy-M"));
    DateTimePicker3->setCalendarPopup(false);
    DateTimePicker3->setCurrentSection(QDateTimeEdit::MonthSection);
    DateTimePicker3->setMinimumWidth(110);
    l->addWidget(DateTimePicker3);
    Panel25->setAutoFillBackground(true);
    Panel25->hide();
    Panel16->installEventFilter(this);
}

void TForm1::buildPeriodTabs(QWidget* page) {
    cxPageControl2 = new QTabWidget(page);
    cxPageControl2->setObjectName(QStringLiteral("cxPageControl2"));
    cxPageControl2->setUsesScrollButtons(false);
    cxPageControl2->tabBar()->setExpanding(false);
    cxPageControl2->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; min-width: 18px; }"));
    const auto addTab = [this](const QString& name, const QString& caption) {
        auto* sheet = new QWidget(cxPageControl2);
        sheet->setObjectName(name);
        cxPageControl2->addTab(sheet, caption);
    };
    addTab(QStringLiteral("cxTabSheet5"), QStringLiteral("本月"));
    for (int day = 1; day <= 31; ++day)
        addTab(QStringLiteral("cxTabSheet%1").arg(day + 5), QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
    addTab(QStringLiteral("cxTabSheet44"), QStringLiteral("自定义月份"));
    // Tabs only: the row carries no content of its own.
    cxPageControl2->setFixedHeight(cxPageControl2->tabBar()->sizeHint().height());
    cxPageControl2->tabBar()->installEventFilter(this);
}

// Each bar stands above its period tab.
void TForm1::layoutDayBars() {
    QTabBar* tabs = cxPageControl2->tabBar();
    const int h = Panel16->height();
    for (int i = 0; i < dayBars.size(); ++i) {
        const QRect tab = tabs->tabRect(i);
        const QPoint at = Panel16->mapFrom(cxTabSheet1, tabs->mapTo(cxTabSheet1, tab.topLeft()));
        const int w = std::min(22, tab.width() - 4);
        dayBars[i]->setGeometry(at.x() + (tab.width() - w) / 2, 2, w, h - 4);
    }
    const QRect custom = tabs->tabRect(CustomMonthTab);
    const QPoint at = Panel16->mapFrom(cxTabSheet1, tabs->mapTo(cxTabSheet1, custom.topLeft()));
    const QSize size = Panel25->sizeHint();
    Panel25->setGeometry(std::max(0, std::min(at.x(), Panel16->width() - size.width())), (h - size.height()) / 2,
                         size.width(), size.height());
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (cxTabSheet1 && (watched == Panel16 || watched == cxPageControl2->tabBar()) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show || event->type() == QEvent::Move ||
         event->type() == QEvent::LayoutRequest))
        layoutDayBars();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::connectEntryPage() {
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
    connect(cxPageControl2, &QTabWidget::currentChanged, this, &TForm1::periodChanged);
    connect(cxPageControl6, &QTabWidget::currentChanged, this, &TForm1::subTabChanged);
    connect(DateTimePicker3, &QDateEdit::dateChanged, this, &TForm1::DateTimePicker3Change);
    connect(cxPageControl1, &QTabWidget::currentChanged, this, [this](int) {
        if (cxPageControl1->currentWidget() == cxTabSheet1)
            entryPageShown();
    });
    connect(DBGridEh1, &DataGrid::editButtonClicked, this, [this](int column) {
        if (column == ItemColumn)
            DBGridEh1Columns6EditButtonClick();
    });
    connect(DBGridEh8, &DataGrid::editButtonClicked, this, [this](int column) {
        if (column == ItemColumn)
            DBGridEh8Columns6EditButtonClick();
    });
}

void TForm1::connectEntryData() {
    DBGridEh1->setColumns(entryColumns(true));
    DBGridEh1->setDataset(DM->ADOQ);
    DBGridEh8->setColumns(entryColumns(false));
    DBGridEh8->setDataset(DM->ADOQincom);
    DM->activePeriodTab = [this] { return cxPageControl2->currentIndex(); };
    DM->refreshExpenseDayBars = [this] { RefreshExpenseDayBars(); };
    DM->refreshIncomeDayBars = [this] { RefreshIncomeDayBars(); };
}

// Showing the page shows its active tabs again: lists refilled, the period reopened, the bars recomputed.
void TForm1::entryPageShown() {
    guard(this, [this] {
        cxTabSheet1Show();
        periodTabShow(cxPageControl2->currentIndex());
        if (expenseShown())
            cxTabSheet45Show();
        else
            cxTabSheet46Show();
    });
}

QDate TForm1::DayInCurrentMonth(int day) {
    return Periods::dayInCurrentMonth(day);
}

void TForm1::activePeriod(QDate& begin, QDate& end) const {
    const int position = cxPageControl2->currentIndex();
    const QDate today = Periods::today();
    if (position <= 0) {
        begin = Periods::monthBegin(today);
        end = Periods::monthEnd(today);
    } else if (position < CustomMonthTab) {
        begin = end = DayInCurrentMonth(position);
    } else {
        begin = Periods::monthBegin(DateTimePicker3->date());
        end = Periods::monthEnd(DateTimePicker3->date());
    }
}

bool TForm1::expenseShown() const {
    return cxPageControl6->currentWidget() == cxTabSheet45;
}

DataGrid* TForm1::shownEntryGrid() const {
    if (cxPageControl6->currentWidget() == cxTabSheet45)
        return DBGridEh1;
    if (cxPageControl6->currentWidget() == cxTabSheet46)
        return DBGridEh8;
    return nullptr;
}

namespace {

void openRange(Dataset* ds, const QString& beginParam, const QString& endParam, const QDate& begin, const QDate& end) {
    ds->close();
    // A day the month does not have leaves the grid empty and closed to new records.
    if (begin == Format::sentinelDate())
        return;
    ds->setParam(beginParam, begin);
    ds->setParam(endParam, end);
    ds->open();
}

} // namespace

void TForm1::OpenExpenseRange(const QDate& begin, const QDate& end) {
    openRange(DM->ADOQ, QStringLiteral("Pmonthbegin"), QStringLiteral("Pmonthend"), begin, end);
}

void TForm1::OpenIncomeRange(const QDate& begin, const QDate& end) {
    openRange(DM->ADOQincom, QStringLiteral("Psmonthbegin"), QStringLiteral("Psmonthend"), begin, end);
}

void TForm1::periodChanged(int position) {
    guard(this, [&] {
        if (m_periodTab == CustomMonthTab && position != CustomMonthTab)
            cxTabSheet44Hide();
        m_periodTab = position;
        periodTabShow(position);
    });
}

void TForm1::periodTabShow(int position) {
    if (position == CustomMonthTab) {
        Panel25->show();
        Panel25->raise();
        layoutDayBars();
    }
    QDate begin, end;
    activePeriod(begin, end);
    if (expenseShown())
        OpenExpenseRange(begin, end);
    else
        OpenIncomeRange(begin, end);
}

void TForm1::cxTabSheet44Hide() {
    Panel25->hide();
}

void TForm1::DateTimePicker3Change() {
    guard(this, [this] {
        // The expense grid follows the picked month whichever sub-tab is shown; the income grid
        // keeps its records until it is opened again.
        const QDate picked = DateTimePicker3->date();
        OpenExpenseRange(Periods::monthBegin(picked), Periods::monthEnd(picked));
    });
}

void TForm1::subTabChanged(int) {
    guard(this, [this] {
        if (expenseShown())
            cxTabSheet45Show();
        else
            cxTabSheet46Show();
    });
}

void TForm1::cxTabSheet45Show() {
    QDate begin, end;
    activePeriod(begin, end);
    OpenExpenseRange(begin, end);
    letWindowRepaint();
    RefreshExpenseDayBars();
}

void TForm1::cxTabSheet46Show() {
    QDate begin, end;
    activePeriod(begin, end);
    OpenIncomeRange(begin, end);
    letWindowRepaint();
    RefreshIncomeDayBars();
}

void TForm1::SpeedButton1Click() {
    DataGrid* grid = shownEntryGrid();
    if (!grid || !grid->dataset()->isOpen())
        return;
    guard(this, [grid] {
        grid->dataset()->append();
        // Typing starts in the date cell of the new row.
        grid->setCurrentIndex(grid->model()->index(grid->dataset()->currentRow(), grid->columnOfField("datee")));
        grid->setFocus();
    });
}

void TForm1::SpeedButton2Click() {
    DataGrid* grid = shownEntryGrid();
    if (!grid)
        return;
    Dataset* ds = grid->dataset();
    if (!ds->isOpen() || ds->isEmpty())
        return;
    const bool expenses = grid == DBGridEh1;
    const QString caption =
        expenses ? QStringLiteral("[ 支出录入 ]操作框提示你") : QStringLiteral("[ 收入录入 ]操作框提示你");
    const QList<int> rows = grid->selectedRows();
    if (rows.isEmpty()) {
        MsgBox::information(this, QStringLiteral("请单击选择单条数据,Ctrl+单击选择多条数据,shift+单击选择连续多条数据"),
                            caption);
        return;
    }
    if (!MsgBox::question(this, QStringLiteral("你选择了 %1 条数据，真要删除吗？").arg(rows.size()), caption))
        return;
    guard(this, [&] {
        // Rows shift as records go: take each selected record's bookmark before deleting any.
        QList<Dataset::Bookmark> marks;
        for (int row : rows) {
            ds->moveTo(row);
            marks << ds->bookmark();
        }
        for (Dataset::Bookmark mark : marks) {
            ds->gotoBookmark(mark);
            ds->remove();
        }
    });
    grid->clearRowSelection();
    guard(this, [&] { expenses ? RefreshExpenseDayBars() : RefreshIncomeDayBars(); });
}

void TForm1::SpeedButton3Click() {
    DataGrid* grid = shownEntryGrid();
    if (!grid)
        return;
    const bool expenses = grid == DBGridEh1;
    try {
        if (grid->dataset()->isOpen())
            grid->dataset()->post();
    } catch (const DbError& e) {
        // The edit stays in the grid for the user to mend.
        MsgBox::warning(this, e.message());
        return;
    }
    MsgBox::plain(this, expenses ? QStringLiteral("[ 支出录入 ] 数据修改或保存成功！")
                                 : QStringLiteral("[ 收入录入 ] 数据修改或保存成功！"));
}

void TForm1::SpeedButton10Click() {
    Form6->exec();
}

void TForm1::SpeedButton11Click() {
    const QDate today = Periods::today();
    guard(this, [&] { RefreshIncomeExpenseSummary(Periods::monthBegin(today), Periods::monthEnd(today)); });
}

void TForm1::cxTabSheet1Show() {
    FillPeoplePickLists();
    FillExpenseMethodPickLists();
    FillExpenseNotePickLists();
    FillIncomeMethodPickLists();
    FillIncomeNotePickLists();
    letWindowRepaint();
}

QStringList TForm1::readColumn(Dataset* source, const QString& field) {
    source->close();
    source->open();
    QStringList values;
    for (source->first(); !source->eof(); source->next())
        values << source->asText(field);
    source->close();
    return values;
}

QStringList TForm1::readColumn(const QString& sql, const QString& field) {
    DM->ADOQcommon->close();
    DM->ADOQcommon->setSql(sql);
    return readColumn(DM->ADOQcommon, field);
}

void TForm1::fillPickLists(const QList<DataGrid*>& grids, int column, const QStringList& values, bool closed) {
    for (DataGrid* grid : grids)
        if (grid)
            grid->setPickList(column, closed ? values : QStringList(), values);
}

void TForm1::FillPeoplePickLists() {
    fillPickLists({DBGridEh1, DBGridEh5, DBGridEh8, DBGridEh9}, TellerColumn,
                  readColumn(DM->ADOQpeopledrop, QStringLiteral("xingming")), true);
}

void TForm1::FillExpenseMethodPickLists() {
    fillPickLists({DBGridEh1, DBGridEh5}, MethodColumn,
                  readColumn(QStringLiteral("select zffs from zffs order by id"), QStringLiteral("zffs")), true);
}

void TForm1::FillExpenseNotePickLists() {
    fillPickLists({DBGridEh1, DBGridEh5}, NoteColumn,
                  readColumn(QStringLiteral("select * from beizhu order by id"), QStringLiteral("beizhu")), false);
}

void TForm1::FillIncomeMethodPickLists() {
    fillPickLists({DBGridEh8, DBGridEh9}, MethodColumn,
                  readColumn(QStringLiteral("select zffs from ssyfs order by id"), QStringLiteral("zffs")), true);
}

void TForm1::FillIncomeNotePickLists() {
    fillPickLists({DBGridEh8, DBGridEh9}, NoteColumn,
                  readColumn(QStringLiteral("select * from sbeizhu order by id"), QStringLiteral("beizhu")), false);
}

DayBar* TForm1::dayBar(int number) const {
    return findChild<DayBar*>(QStringLiteral("cxProgressBar%1").arg(number));
}

void TForm1::RefreshExpenseDayBars() {
    refreshDayBars(true);
}

void TForm1::RefreshIncomeDayBars() {
    refreshDayBars(false);
}

// Each day's share of the current month's total, in percent, on bars 2 to 32.
void TForm1::refreshDayBars(bool expenses) {
    const QString table = expenses ? QStringLiteral("expenses") : QStringLiteral("sincome");
    const QDate today = Periods::today();
    Dataset* q = DM->ADOQcommon;
    q->close();
    q->setSql(
        QStringLiteral("select sum(moneye) as monthsum  from %1 where datee between #%2# and #%3#")
            .arg(table, Format::dateText(Periods::monthBegin(today)), Format::dateText(Periods::monthEnd(today))));
    q->open();
    letWindowRepaint();
    const double total = q->isEmpty() ? 0.0 : q->asFloat(QStringLiteral("monthsum"));
    q->close();
    if (total == 0) {
        // The hints keep the shares of the previous refresh.
        for (int bar = 2; bar <= 32; ++bar) {
            dayBar(bar)->setPosition(0);
            dayBar(bar)->setShowText(false);
        }
        return;
    }
    for (int day = 1; day <= 31; ++day) {
        const QDate date = DayInCurrentMonth(day);
        double daySum = 0;
        if (expenses) {
            Dataset* percent = DM->ADOQpercent;
            percent->close();
            percent->setParam(QStringLiteral("bd"), date);
            percent->setParam(QStringLiteral("ed"), date);
            percent->open();
            daySum = percent->asFloat(QStringLiteral("datesum"));
            percent->close();
        } else {
            q->close();
            q->setSql(QStringLiteral("select sum(moneye) as datesum  from sincome where datee between #%1# and #%1#")
                          .arg(Format::dateText(date)));
            q->open();
            daySum = q->asFloat(QStringLiteral("datesum"));
            q->close();
        }
        const double share = daySum / total * 100;
        const double position = Format::bankersRound(share, 0);
        DayBar* bar = dayBar(day + 1);
        bar->setPosition(position);
        bar->setToolTip(Format::general(Format::bankersRound(share, 2)) + QStringLiteral("%"));
        bar->setShowText(position != 0);
        letWindowRepaint();
    }
}

void TForm1::writePickerChoice(DataGrid* grid, QDialog* picker, const QString& item, const QString& category) {
    // item and category are the picker's shared strings: read them only after it closed.
    Dataset* ds = grid->dataset();
    if (!ds->isOpen() || ds->currentRow() < 0 || picker->exec() != QDialog::Accepted)
        return;
    guard(this, [&] {
        ds->edit();
        ds->setValue(QStringLiteral("item"), item);
        ds->setValue(QStringLiteral("leibie"), category);
    });
}

void TForm1::DBGridEh1Columns6EditButtonClick() {
    writePickerChoice(DBGridEh1, Form2, ChosenExpenseItem, ChosenExpenseCategory);
}

void TForm1::DBGridEh8Columns6EditButtonClick() {
    writePickerChoice(DBGridEh8, Form9, ChosenIncomeItem, ChosenIncomeCategory);
}

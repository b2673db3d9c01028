// The data grid over a real encrypted kv.dat, driven as a user drives it (offscreen).
#include "CalcEdit.h"
#include "DataGrid.h"
#include "Dataset.h"
#include "DrawRecordNumber.h"
#include "GridFooter.h"
#include "MsgBox.h"
#include "Schema.h"
#include "TDM.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

namespace {

enum Col { RecNo, Id, Date, Teller, Category, Item, Money, Note, Method };

FieldList expenseFields() {
    return {{"id", FieldType::AutoInc, 0, true}, {"datee", FieldType::Date},    {"teller", FieldType::Text, 50},
            {"leibie", FieldType::Text, 50},     {"item", FieldType::Text, 50}, {"moneye", FieldType::Float},
            {"beizhu", FieldType::Text, 255},    {"zffs", FieldType::Text, 50}};
}

QList<GridColumn> expenseColumns() {
    auto col = [](const char* field, const char* title) {
        GridColumn c;
        c.field = QString::fromUtf8(field);
        c.title = QString::fromUtf8(title);
        return c;
    };
    QList<GridColumn> cols{GridColumn::recordNumber(), col("id", "编号"),     col("datee", "支出日期"),
                           col("teller", "支出人"),    col("leibie", "类别"), col("item", "项目"),
                           col("moneye", "金额"),      col("beizhu", "备注"), col("zffs", "支付方式")};
    cols[Id].visible = false;
    cols[RecNo].footerText = QStringLiteral("合计");
    cols[Money].money = cols[Money].redText = cols[Money].footerSum = true;
    cols[Money].calculator = true;
    return cols;
}

} // namespace

class TestDataGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void footerSumFollowsInsertEditDelete();
    void footerSumOverUnreadRows();
    void footerShowsFixedTextWhenSumsOff();
    void amountCellsShowMoneyInRed();
    void badInputIsRefusedAtOnce_data();
    void badInputIsRefusedAtOnce();
    void goodInputIsStoredAndTabMoves();
    void closedPickListStoresChosenText();
    void suggestPickListTakesAnyText();
    void readOnlyColumnsRefuseEditing();
    void ctrlDeleteAsksThenDeletesSelectedRows();
    void ctrlDeleteWithoutSelectionDeletesCurrentRow();
    void selectionKeepsSelectionOrder();
    void reopenLeavesNothingSelected();
    void currentRowFollowsBothWays();
    void unchangedAppendDroppedWhenFocusLeaves();
    void appendKeptWhileFocusStaysInside();
    void editButtonStoresTextThenSignals();
    void recordNumberColumn();
    void largeResultShowsFirstRowsAtOnce();
    void calculator_data();
    void calculator();

private:
    void addExpense(const QString& date, double money, const QString& note, const QString& method = {});
    void openGrid();
    QWidget* openEditor(int row, int col);
    void click(int row, Qt::KeyboardModifiers mods = Qt::NoModifier);
    QString noteAt(int row) const { return ds->textAt(row, ds->fieldIndex(QStringLiteral("beizhu"))); }
    int dbCount();

    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<QWidget> window;
    DataGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    Dataset* ds = nullptr;
};

void TestDataGrid::initTestCase() {
    MsgBox::setTestMode(true);
}

void TestDataGrid::init() {
    const QString path = dir.filePath(QStringLiteral("kv%1.dat").arg(QDateTime::currentMSecsSinceEpoch()));
    Schema::createFile(path, TDM::DatabasePassword);
    dm = std::make_unique<TDM>();
    QVERIFY(dm->openDatabase(path));
    ds = new Dataset(dm->ADOCon, QStringLiteral("grid"), dm.get());
    ds->setSql(QStringLiteral("select * from expenses order by datee, id"));
    ds->setFields(expenseFields());
    ds->setTable(QStringLiteral("expenses"));

    window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    grid = new DataGrid(window.get());
    grid->setObjectName(QStringLiteral("DBGridEh1"));
    other = new QLineEdit(window.get());
    layout->addWidget(grid);
    layout->addWidget(other);
    window->resize(900, 400);
    grid->setColumns(expenseColumns());
    grid->setDataset(ds);
    MsgBox::resetTest();
}

void TestDataGrid::cleanup() {
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    window.reset();
    dm.reset();
}

void TestDataGrid::addExpense(const QString& date, double money, const QString& note, const QString& method) {
    dm->ADOCon.execNative(QStringLiteral("insert into expenses (datee, teller, moneye, beizhu, zffs) "
                                         "values (:d, '张三', :m, :n, :z)"),
                          {{"d", date}, {"m", money}, {"n", note}, {"z", method}});
}

int TestDataGrid::dbCount() {
    return dm->ADOCon.scalar(QStringLiteral("select count(*) from expenses")).toInt();
}

void TestDataGrid::openGrid() {
    ds->open();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    grid->setFocus();
}

QWidget* TestDataGrid::openEditor(int row, int col) {
    const QModelIndex index = grid->model()->index(row, col);
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    grid->edit(index);
    return QApplication::focusWidget();
}

void TestDataGrid::click(int row, Qt::KeyboardModifiers mods) {
    const QRect r = grid->visualRect(grid->model()->index(row, Note));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, r.center());
}

// ---- footer

void TestDataGrid::footerSumFollowsInsertEditDelete() {
    addExpense("2024-03-01", 1000, "a");
    addExpense("2024-03-02", 234.5, "b");
    openGrid();
    QCOMPARE(grid->footerText(Money), QStringLiteral("￥1,234.50 "));
    QCOMPARE(grid->footerText(RecNo), QStringLiteral("合计"));

    auto* edit = qobject_cast<QLineEdit*>(openEditor(0, Money));
    QVERIFY(edit);
    edit->setText(QStringLiteral("2000"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_COMPARE(grid->footerText(Money), QStringLiteral("￥2,234.50 "));

    ds->append();
    ds->setText(QStringLiteral("datee"), QStringLiteral("2024-3-5"));
    ds->setText(QStringLiteral("moneye"), QStringLiteral("0.25"));
    QCOMPARE(grid->footerText(Money), QStringLiteral("￥2,234.75 "));
    ds->post();

    click(1);
    MsgBox::queueAnswer(MsgBox::Answer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(grid->footerText(Money), QStringLiteral("￥2,000.25 "));
    QCOMPARE(dm->ADOCon.scalar(QStringLiteral("select total(moneye) from expenses")).toDouble(), 2000.25);
}

void TestDataGrid::footerSumOverUnreadRows() {
    // More rows than the first read: the sum must count the rows not read yet, and then follow edits.
    dm->ADOCon.beginTransaction();
    for (int i = 0; i < 5000; ++i)
        addExpense("2024-01-01", 1.5, QString::number(i));
    dm->ADOCon.commit();
    openGrid();
    QVERIFY(ds->canFetchMore());
    QCOMPARE(grid->footerText(Money), QStringLiteral("￥7,500.00 "));
    QVERIFY(grid->model()->setData(grid->model()->index(0, Money), QStringLiteral("11.5")));
    QCOMPARE(grid->footerText(Money), QStringLiteral("￥7,510.00 "));
}

void TestDataGrid::footerShowsFixedTextWhenSumsOff() {
    addExpense("2024-03-01", 10, "a");
    openGrid();
    grid->setFooterText(Money, QStringLiteral("金额合计"));
    QCOMPARE(grid->footerText(Money), QStringLiteral("￥10.00 "));
    grid->setFooterSumsEnabled(false);
    QCOMPARE(grid->footerText(Money), QStringLiteral("金额合计"));
    // The footer lines up with the header section of its column.
    QCOMPARE(grid->footer()->cellRect(Money).left(), grid->horizontalHeader()->sectionViewportPosition(Money));
    QVERIFY(grid->footer()->cellRect(Id).isEmpty());
}

void TestDataGrid::amountCellsShowMoneyInRed() {
    addExpense("2024-03-09", 1234.5, "a");
    openGrid();
    const QModelIndex money = grid->model()->index(0, Money);
    QCOMPARE(money.data().toString(), QStringLiteral("￥1,234.50 "));
    QCOMPARE(money.data(Qt::EditRole).toString(), QStringLiteral("1234.5"));
    QCOMPARE(money.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(grid->model()->index(0, Date).data().toString(), QStringLiteral("2024-3-9"));
    QVERIFY(grid->isColumnHidden(Id));
}

// ---- editing

void TestDataGrid::badInputIsRefusedAtOnce_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("no 30 February") << int(Date) << "2024-2-30"
                                    << "“支出日期”：“2024-2-30”不是有效的日期。";
    QTest::newRow("month 13") << int(Date) << "2024-13-1"
                              << "“支出日期”：“2024-13-1”不是有效的日期。";
    QTest::newRow("words as date") << int(Date) << "昨天"
                                   << "“支出日期”：“昨天”不是有效的日期。";
    QTest::newRow("words as amount") << int(Money) << "12元"
                                     << "“金额”：“12元”不是有效的数字。";
    QTest::newRow("infinite amount") << int(Money) << "1e999"
                                     << "“金额”：“1e999”不是有效的数字。";
    QTest::newRow("inf") << int(Money) << "inf"
                         << "“金额”：“inf”不是有效的数字。";
}

void TestDataGrid::badInputIsRefusedAtOnce() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    addExpense("2024-03-01", 5, "a");
    openGrid();
    const QString before = ds->textAt(0, grid->fieldOf(column));

    auto* edit = qobject_cast<QLineEdit*>(openEditor(0, column));
    QVERIFY(edit);
    edit->setText(typed);
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    QTest::keyClick(edit, Qt::Key_Tab);

    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().first().icon, MsgBox::Icon::Warning);
    QCOMPARE(MsgBox::shown().first().text, message);
    QVERIFY(grid->isEditing());
    QCOMPARE(grid->currentIndex().column(), column);
    QCOMPARE(edit->text(), typed);
    QCOMPARE(ds->textAt(0, grid->fieldOf(column)), before);
    QCOMPARE(ds->state(), Dataset::State::Browse);

    // Leaving by focus or by a click on another row is refused the same way.
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    other->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    click(0);
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(grid->currentIndex().column(), column);
    QCOMPARE(ds->textAt(0, grid->fieldOf(column)), before);
}

void TestDataGrid::goodInputIsStoredAndTabMoves() {
    addExpense("2024-03-01", 5, "a");
    openGrid();
    auto* edit = qobject_cast<QLineEdit*>(openEditor(0, Date));
    edit->setText(QStringLiteral("2024-2-29"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(MsgBox::shown().isEmpty());
    QCOMPARE(ds->textAt(0, ds->fieldIndex("datee")), QStringLiteral("2024-2-29"));
    QCOMPARE(grid->currentIndex().column(), int(Teller));
    // Shift+Tab from the first data column goes back over the hidden id and never into the record number.
    grid->selectionModel()->setCurrentIndex(grid->model()->index(0, Date), QItemSelectionModel::NoUpdate);
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(grid->currentIndex().column(), int(Date));
    ds->post();
    QCOMPARE(dm->ADOCon.scalar(QStringLiteral("select datee from expenses")).toString(), QStringLiteral("2024-02-29"));
}

void TestDataGrid::closedPickListStoresChosenText() {
    addExpense("2024-03-01", 5, "a", "现金");
    openGrid();
    const QStringList methods = {"现金", "Cash", "cash", "信用卡"};
    grid->setPickList(Method, methods, methods);
    QCOMPARE(grid->column(Method).pickKind, PickKind::Closed);
    QCOMPARE(grid->pickKeys(Method), methods);

    auto* combo = qobject_cast<QComboBox*>(openEditor(0, Method));
    QVERIFY(combo);
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->currentText(), QStringLiteral("现金"));
    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Tab);
    QCOMPARE(ds->textAt(0, ds->fieldIndex("zffs")), QStringLiteral("cash"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    grid->clearPickList(Method);
    QCOMPARE(grid->column(Method).pickKind, PickKind::None);
    QVERIFY(qobject_cast<QLineEdit*>(openEditor(0, Method)));
}

void TestDataGrid::suggestPickListTakesAnyText() {
    addExpense("2024-03-01", 5, "a");
    openGrid();
    grid->setPickList(Note, {}, {"午饭", "晚饭"});
    QCOMPARE(grid->column(Note).pickKind, PickKind::Suggest);
    auto* combo = qobject_cast<QComboBox*>(openEditor(0, Note));
    QVERIFY(combo && combo->isEditable());
    combo->setEditText(QStringLiteral("夜宵"));
    QTest::keyClick(combo, Qt::Key_Tab);
    QCOMPARE(noteAt(0), QStringLiteral("夜宵"));
    QCOMPARE(combo->count(), 2); // typed text is not added to the list
}

void TestDataGrid::readOnlyColumnsRefuseEditing() {
    addExpense("2024-03-01", 5, "a");
    QList<GridColumn> cols = expenseColumns();
    cols[Teller].readOnly = true;
    cols[Id].visible = true;
    grid->setColumns(cols);
    openGrid();
    for (int col : {int(RecNo), int(Id), int(Teller)}) {
        const QModelIndex index = grid->model()->index(0, col);
        grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        QTest::keyClicks(grid, QStringLiteral("x"));
        QVERIFY2(!grid->isEditing(), qPrintable(QString::number(col)));
        QVERIFY(!grid->model()->setData(index, QStringLiteral("9")));
    }
    QCOMPARE(ds->textAt(0, ds->fieldIndex("teller")), QStringLiteral("张三"));
    QCOMPARE(ds->state(), Dataset::State::Browse);
    // Typing into an editable cell starts editing with the key typed.
    grid->selectionModel()->setCurrentIndex(grid->model()->index(0, Note), QItemSelectionModel::NoUpdate);
    QTest::keyClicks(grid, QStringLiteral("x"));
    QVERIFY(grid->isEditing());
    QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), QStringLiteral("x"));
}

// ---- deleting and selecting

void TestDataGrid::ctrlDeleteAsksThenDeletesSelectedRows() {
    for (const char* n : {"r0", "r1", "r2", "r3"})
        addExpense("2024-03-01", 1, n);
    openGrid();
    click(0);
    click(2, Qt::ControlModifier);

    MsgBox::queueAnswer(MsgBox::Answer::No);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(MsgBox::shown().last().icon, MsgBox::Icon::Question);
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("删除选中的记录吗？"));
    QCOMPARE(ds->fetchedCount(), 4);
    QCOMPARE(dbCount(), 4);

    MsgBox::queueAnswer(MsgBox::Answer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(ds->fetchedCount(), 2);
    QCOMPARE(noteAt(0), QStringLiteral("r1"));
    QCOMPARE(noteAt(1), QStringLiteral("r3"));
    QCOMPARE(dbCount(), 2);
    QVERIFY(grid->selectedRows().isEmpty());
}

void TestDataGrid::ctrlDeleteWithoutSelectionDeletesCurrentRow() {
    for (const char* n : {"r0", "r1", "r2"})
        addExpense("2024-03-01", 1, n);
    openGrid();
    ds->moveTo(1);
    QVERIFY(grid->selectedRows().isEmpty());
    MsgBox::queueAnswer(MsgBox::Answer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("删除当前记录吗？"));
    QCOMPARE(ds->fetchedCount(), 2);
    QCOMPARE(noteAt(0), QStringLiteral("r0"));
    QCOMPARE(noteAt(1), QStringLiteral("r2"));
}

void TestDataGrid::selectionKeepsSelectionOrder() {
    for (int i = 0; i < 6; ++i)
        addExpense("2024-03-01", 1, QString::number(i));
    openGrid();
    click(3);
    click(1, Qt::ControlModifier);
    click(4, Qt::ControlModifier);
    QCOMPARE(grid->selectedRows(), QList<int>({3, 1, 4}));
    click(1, Qt::ControlModifier);
    QCOMPARE(grid->selectedRows(), QList<int>({3, 4}));
    click(2);
    QCOMPARE(grid->selectedRows(), QList<int>({2}));
    click(4, Qt::ShiftModifier);
    QCOMPARE(grid->selectedRows(), QList<int>({2, 3, 4}));
    grid->clearRowSelection();
    QVERIFY(grid->selectedRows().isEmpty());
}

void TestDataGrid::reopenLeavesNothingSelected() {
    for (int i = 0; i < 3; ++i)
        addExpense("2024-03-01", 1, QString::number(i));
    openGrid();
    click(1);
    click(2, Qt::ControlModifier);
    ds->close();
    ds->open();
    QVERIFY(grid->selectedRows().isEmpty());
    QVERIFY(!grid->selectionModel()->hasSelection());
    QCOMPARE(grid->currentIndex().row(), 0);
}

void TestDataGrid::currentRowFollowsBothWays() {
    for (int i = 0; i < 3; ++i)
        addExpense("2024-03-01", 1, QString::number(i));
    openGrid();
    click(2);
    QCOMPARE(ds->currentRow(), 2);
    ds->moveTo(1);
    QCOMPARE(grid->currentIndex().row(), 1);
    // Moving away from an edited row posts it.
    QVERIFY(grid->model()->setData(grid->model()->index(1, Note), QStringLiteral("changed")));
    QCOMPARE(ds->state(), Dataset::State::Edit);
    click(0);
    QCOMPARE(ds->state(), Dataset::State::Browse);
    QCOMPARE(dm->ADOCon.scalar(QStringLiteral("select count(*) from expenses where beizhu = 'changed'")).toInt(), 1);
}

// ---- leaving the grid

void TestDataGrid::unchangedAppendDroppedWhenFocusLeaves() {
    addExpense("2024-03-01", 1, "a");
    openGrid();
    ds->append();
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->currentIndex().row(), 1);
    other->setFocus();
    QCOMPARE(ds->state(), Dataset::State::Browse);
    QCOMPARE(ds->fetchedCount(), 1);
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(dbCount(), 1);

    // A filled-in row stays.
    grid->setFocus();
    ds->append();
    ds->setText(QStringLiteral("beizhu"), QStringLiteral("kept"));
    other->setFocus();
    QCOMPARE(ds->state(), Dataset::State::Insert);
    QCOMPARE(grid->model()->rowCount(), 2);
}

void TestDataGrid::appendKeptWhileFocusStaysInside() {
    addExpense("2024-03-01", 1, "a");
    openGrid();
    ds->append();
    // Focus into the grid's own editor and its calculator popup is not leaving the grid.
    auto* calc = qobject_cast<CalcEdit*>(openEditor(1, Money));
    QVERIFY(calc);
    calc->showCalculator();
    QVERIFY(calc->calculatorVisible());
    calc->hideCalculator();
    QCOMPARE(ds->state(), Dataset::State::Insert);
    // Nor is a message box of the grid: a refused date in the new row keeps the row.
    auto* edit = qobject_cast<QLineEdit*>(openEditor(1, Date));
    edit->setText(QStringLiteral("2024-2-31"));
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(ds->state(), Dataset::State::Insert);
    QCOMPARE(grid->model()->rowCount(), 2);
}

void TestDataGrid::editButtonStoresTextThenSignals() {
    addExpense("2024-03-01", 1, "a");
    QList<GridColumn> cols = expenseColumns();
    cols[Category].editButton = true;
    grid->setColumns(cols);
    openGrid();
    QSignalSpy spy(grid, &DataGrid::editButtonClicked);
    QString seen;
    connect(grid, &DataGrid::editButtonClicked, this, [&] { seen = ds->asText(QStringLiteral("leibie")); });
    auto* edit = qobject_cast<QLineEdit*>(openEditor(0, Category));
    QVERIFY(edit);
    edit->setText(QStringLiteral("餐饮"));
    const QList<QAction*> actions = edit->actions();
    QCOMPARE(actions.size(), 1);
    actions.first()->trigger();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().first().toInt(), int(Category));
    QCOMPARE(seen, QStringLiteral("餐饮"));
    QVERIFY(!grid->isEditing());
}

void TestDataGrid::recordNumberColumn() {
    for (int i = 0; i < 3; ++i)
        addExpense("2024-03-01", 1, QString::number(i));
    openGrid();
    QCOMPARE(grid->model()->index(2, RecNo).data().toString(), QStringLiteral("3"));
    QCOMPARE(grid->model()->headerData(RecNo, Qt::Horizontal).toString(), QStringLiteral("序号"));
    QCOMPARE(recordNumberText(ds->currentRow()), QString::number(ds->recNo()));

    // The default hook paints the number on grey; only column 0 is painted over.
    QImage cell(60, 20, QImage::Format_RGB32);
    cell.fill(Qt::white);
    QPainter p(&cell);
    DrawRecordNumber(*grid, Money, cell.rect(), p, 41);
    QCOMPARE(cell.pixelColor(1, 1), QColor(Qt::white));
    DrawRecordNumber(*grid, RecNo, cell.rect(), p, 41);
    p.end();
    QCOMPARE(cell.pixelColor(1, 1), DataGrid::recordNumberBackground());
    QCOMPARE(cell.pixelColor(1, 18), DataGrid::recordNumberBackground());
    int dark = 0;
    for (int x = 0; x < cell.width(); ++x)
        for (int y = 0; y < cell.height(); ++y)
            dark += qGray(cell.pixel(x, y)) < 128;
    QVERIFY(dark > 5);

    // A window's own hook replaces it for every cell.
    QSet<int> columns;
    grid->drawColumnCell = [&](QPainter*, const QRect&, int, int column) { columns << column; };
    grid->viewport()->grab();
    QVERIFY(columns.contains(RecNo) && columns.contains(Money));
}

void TestDataGrid::largeResultShowsFirstRowsAtOnce() {
    dm->ADOCon.beginTransaction();
    for (int i = 0; i < 10000; ++i)
        addExpense("2024-01-01", 1, QString::number(i));
    dm->ADOCon.commit();
    openGrid();
    const int first = grid->model()->rowCount();
    QVERIFY(first > 0 && first < 10000);
    QVERIFY(grid->model()->canFetchMore({}));
    grid->scrollToBottom();
    while (grid->model()->canFetchMore({}))
        grid->model()->fetchMore({});
    QCOMPARE(grid->model()->rowCount(), 10000);
    QCOMPARE(grid->model()->index(9999, RecNo).data().toString(), QStringLiteral("10000"));
}

void TestDataGrid::calculator_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("sum") << "" << QStringList{"1", "2", "+", "3", "=", "确定"} << "15";
    QTest::newRow("from the cell") << "￥1,000.50 " << QStringList{"*", "2", "确定"} << "2001";
    QTest::newRow("chain") << "" << QStringList{"9", "-", "4", "*", "3", "确定"} << "15";
    QTest::newRow("decimals") << "" << QStringList{"0", ".", "1", "+", ".", "2", "确定"} << "0.3";
    QTest::newRow("back and clear") << "" << QStringList{"5", "6", "←", "C", "7", "确定"} << "7";
    QTest::newRow("division by zero keeps text") << "42" << QStringList{"/", "0", "确定"} << "42";
}

void TestDataGrid::calculator() {
    QFETCH(QString, start);
    QFETCH(QStringList, keys);
    QFETCH(QString, result);
    CalcEdit edit;
    edit.setText(start);
    edit.showCalculator();
    for (const QString& k : keys)
        edit.pressKey(k);
    QCOMPARE(edit.text(), result);
    QVERIFY(!edit.calculatorVisible());
}

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"

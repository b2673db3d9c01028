// The expense and income category/item pickers: listing a category's items, choosing, cancelling, and the
// cases where nothing may be chosen.
#include "DataGrid.h"
#include "Dataset.h"
#include "GuiTestDb.h"
#include "TForm2.h"
#include "TForm9.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

ItemPicker* picker(bool income) {
    return income ? static_cast<ItemPicker*>(Form9) : Form2;
}

Dataset* categories(bool income) {
    return income ? DM->ADOQuery1 : DM->ADOQclass;
}

Dataset* items(bool income) {
    return income ? DM->ADOQuery2 : DM->ADOQuery;
}

// Categories and items of both sides; 0'3 holds a quote, 04 has no items. Row numbers follow the ids.
void seed() {
    const char* statements[] = {
        "insert into leibie (bianma, leibie) values ('01', '餐饮')",
        "insert into leibie (bianma, leibie) values ('02', '交通')",
        "insert into leibie (bianma, leibie) values ('0''3', '奇''怪')",
        "insert into leibie (bianma, leibie) values ('04', '空类别')",
        "insert into xiangmu (fbianma, zbianma, xiangmu) values ('01', '01', '早餐')",
        "insert into xiangmu (fbianma, zbianma, xiangmu) values ('02', '01', '公交')",
        "insert into xiangmu (fbianma, zbianma, xiangmu) values ('01', '02', '午餐')",
        "insert into xiangmu (fbianma, zbianma, xiangmu) values ('0''3', '01', '引号项目')",
        "insert into sleibie (bianma, leibie) values ('01', '工资')",
        "insert into sleibie (bianma, leibie) values ('02', '理财')",
        "insert into sxiangmu (fbianma, zbianma, xiangmu) values ('01', '01', '基本工资')",
        "insert into sxiangmu (fbianma, zbianma, xiangmu) values ('02', '01', '利息')",
        "insert into sxiangmu (fbianma, zbianma, xiangmu) values ('01', '02', '奖金')",
    };
    for (const char* sql : statements)
        DM->ADOCon.exec(QString::fromUtf8(sql));
    for (Dataset* ds : {DM->ADOQclass, DM->ADOQuery1}) {
        ds->close();
        ds->open();
    }
}

// Distinct marks in all six shared strings, so that any string a picker writes shows.
void markStrings() {
    SelectedExpenseCategoryCode = "e-code";
    ChosenExpenseItem = "e-item";
    ChosenExpenseCategory = "e-cat";
    SelectedIncomeCategoryCode = "i-code";
    ChosenIncomeItem = "i-item";
    ChosenIncomeCategory = "i-cat";
}

QStringList strings() {
    return {SelectedExpenseCategoryCode, ChosenExpenseItem, ChosenExpenseCategory,
            SelectedIncomeCategoryCode,  ChosenIncomeItem,  ChosenIncomeCategory};
}

QPoint cellCentre(DataGrid* grid, int row, const char* field) {
    return grid->visualRect(grid->model()->index(row, grid->columnOfField(field))).center();
}

void clickRow(DataGrid* grid, int row, const char* field) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, field));
}

QStringList column(DataGrid* grid, const char* field) {
    QStringList texts;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        texts << grid->model()->index(r, grid->columnOfField(field)).data().toString();
    return texts;
}

// The ways of saying OK: 1 double-click on the item, 2 the 确定 button, 3 Enter in the item grid,
// 4 TForm9::BitBtn2Click.
enum Ok { DoubleClick = 1, Button, Enter, IncomeBitBtn2Click };

void sayOk(ItemPicker* p, int how, int itemRow) {
    switch (how) {
    case DoubleClick:
        QTest::mouseDClick(p->DBGridEh2->viewport(), Qt::LeftButton, {}, cellCentre(p->DBGridEh2, itemRow, "xiangmu"));
        break;
    case Button:
        QTest::mouseClick(p->BitBtn2, Qt::LeftButton);
        break;
    case Enter:
        QTest::keyClick(p->DBGridEh2, Qt::Key_Return);
        break;
    case IncomeBitBtn2Click:
        Form9->BitBtn2Click();
        break;
    }
}

} // namespace

class TestPickers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void layoutAndGrids_data();
    void layoutAndGrids();
    void okWithoutCategoryDoesNothing_data();
    void okWithoutCategoryDoesNothing();
    void categoryClickListsItsItems_data();
    void categoryClickListsItsItems();
    void choosingSetsStringsAndAccepts_data();
    void choosingSetsStringsAndAccepts();
    void cancelKeepsStringsAndList_data();
    void cancelKeepsStringsAndList();
    void gridsAreReadOnly();
    void loadErrorLeavesListClosed();
    void closedDatabaseChoosesNothing();
};

void TestPickers::init() {
    markStrings();
}

void TestPickers::layoutAndGrids_data() {
    QTest::addColumn<bool>("income");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("expense") << false << "Form2"
                             << "支出项目选择";
    QTest::newRow("income") << true << "Form9"
                            << "收入项目选择";
}

void TestPickers::layoutAndGrids() {
    QFETCH(bool, income);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    GuiTestDb db;
    ItemPicker* p = picker(income);
    QCOMPARE(p->objectName(), name);
    QCOMPARE(p->windowTitle(), caption);
    const Qt::WindowFlags flags = p->windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint)));
    QCOMPARE(p->minimumSize(), p->maximumSize());

    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    QCOMPARE(p->frameGeometry().center(), p->screen()->availableGeometry().center());

    QCOMPARE(p->BitBtn1->text(), QString("取消"));
    QCOMPARE(p->BitBtn2->text(), QString("确定"));
    QVERIFY(p->BitBtn2->isDefault());
    QCOMPARE(p->DBGridEh1->dataset(), categories(income));
    QCOMPARE(p->DBGridEh2->dataset(), items(income));
    QVERIFY(p->DBGridEh1->x() < p->DBGridEh2->x());

    // Titles of the visible columns, and the hidden ones by field.
    auto shown = [](DataGrid* g) {
        QStringList titles;
        for (int c = 0; c < g->columns().size(); ++c)
            titles << (g->isColumnHidden(c) ? "(" + g->column(c).field + ")" : g->column(c).title);
        return titles;
    };
    QCOMPARE(shown(p->DBGridEh1), QStringList({"序号", "(id)", "编码", "类别"}));
    QCOMPARE(shown(p->DBGridEh2), QStringList({"序号", "(id)", "编码", "(fbianma)", "(zbianma)", "项目"}));
    QCOMPARE(p->DBGridEh1->column(2).field, QString("bianma"));
    QCOMPARE(p->DBGridEh1->column(3).field, QString("leibie"));
    QCOMPARE(p->DBGridEh2->column(2).field, QString("bianma"));
    QCOMPARE(p->DBGridEh2->column(5).field, QString("xiangmu"));
    for (DataGrid* g : {p->DBGridEh1, p->DBGridEh2})
        QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
    // The category row stays marked while the item grid has the focus.
    const QPalette pal = p->DBGridEh1->palette();
    QCOMPARE(pal.color(QPalette::Inactive, QPalette::Highlight), pal.color(QPalette::Active, QPalette::Highlight));
}

void TestPickers::okWithoutCategoryDoesNothing_data() {
    QTest::addColumn<bool>("income");
    QTest::addColumn<int>("how");
    QTest::newRow("expense 确定") << false << int(Button);
    QTest::newRow("expense Enter") << false << int(Enter);
    QTest::newRow("income 确定") << true << int(Button);
    QTest::newRow("income Enter") << true << int(Enter);
    QTest::newRow("income BitBtn2Click") << true << int(IncomeBitBtn2Click);
}

void TestPickers::okWithoutCategoryDoesNothing() {
    QFETCH(bool, income);
    QFETCH(int, how);
    GuiTestDb db;
    seed();
    ItemPicker* p = picker(income);
    QVERIFY(!items(income)->isOpen()); // only a category click opens the item list
    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    sayOk(p, how, 0);
    p->DBGridEh2DblClick(); // the handler itself, too
    QVERIFY(p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Rejected));
    QCOMPARE(strings(), QStringList({"e-code", "e-item", "e-cat", "i-code", "i-item", "i-cat"}));
    QVERIFY(MsgBox::shown().isEmpty());
}

void TestPickers::categoryClickListsItsItems_data() {
    QTest::addColumn<bool>("income");
    QTest::addColumn<int>("categoryRow");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("itemNames");
    QTest::addColumn<QStringList>("itemCodes");
    QTest::newRow("expense 01") << false << 0 << "01" << QStringList{"早餐", "午餐"} << QStringList{"0101", "0102"};
    QTest::newRow("expense 02") << false << 1 << "02" << QStringList{"公交"} << QStringList{"0201"};
    QTest::newRow("code with quote") << false << 2 << "0'3" << QStringList{"引号项目"} << QStringList{"0'301"};
    QTest::newRow("no items") << false << 3 << "04" << QStringList{} << QStringList{};
    QTest::newRow("income 01") << true << 0 << "01" << QStringList{"基本工资", "奖金"} << QStringList{"0101", "0102"};
    QTest::newRow("income 02") << true << 1 << "02" << QStringList{"利息"} << QStringList{"0201"};
}

void TestPickers::categoryClickListsItsItems() {
    QFETCH(bool, income);
    QFETCH(int, categoryRow);
    QFETCH(QString, code);
    QFETCH(QStringList, itemNames);
    QFETCH(QStringList, itemCodes);
    GuiTestDb db;
    seed();
    ItemPicker* p = picker(income);
    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    // Another category first: the second click replaces its list.
    const int other = categoryRow == 1 ? 0 : 1;
    clickRow(p->DBGridEh1, other, "leibie");
    QVERIFY(items(income)->isOpen());
    clickRow(p->DBGridEh1, categoryRow, "leibie");

    QVERIFY(MsgBox::shown().isEmpty());
    QVERIFY(items(income)->isOpen());
    QCOMPARE(column(p->DBGridEh2, "xiangmu"), itemNames);
    QCOMPARE(column(p->DBGridEh2, "bianma"), itemCodes);
    QCOMPARE(income ? SelectedIncomeCategoryCode : SelectedExpenseCategoryCode, code);
    QCOMPARE(income ? SelectedExpenseCategoryCode : SelectedIncomeCategoryCode, QString(income ? "e-code" : "i-code"));
    QVERIFY(!items(!income)->isOpen()); // the other picker's list stays as it was
    QVERIFY(p->isVisible());

    if (itemNames.isEmpty()) { // an empty list offers nothing to choose
        sayOk(p, Button, 0);
        QVERIFY(p->isVisible());
        QCOMPARE(income ? ChosenIncomeItem : ChosenExpenseItem, QString(income ? "i-item" : "e-item"));
    }
}

void TestPickers::choosingSetsStringsAndAccepts_data() {
    QTest::addColumn<bool>("income");
    QTest::addColumn<int>("how");
    QTest::addColumn<QStringList>("expected"); // the six shared strings afterwards
    const QStringList expense{"01", "午餐", "餐饮", "i-code", "i-item", "i-cat"};
    const QStringList income{"e-code", "e-item", "e-cat", "01", "奖金", "工资"};
    QTest::newRow("expense double-click") << false << int(DoubleClick) << expense;
    QTest::newRow("expense 确定") << false << int(Button) << expense;
    QTest::newRow("expense Enter") << false << int(Enter) << expense;
    QTest::newRow("income double-click") << true << int(DoubleClick) << income;
    QTest::newRow("income 确定") << true << int(Button) << income;
    QTest::newRow("income Enter") << true << int(Enter) << income;
    QTest::newRow("income BitBtn2Click") << true << int(IncomeBitBtn2Click) << income;
}

void TestPickers::choosingSetsStringsAndAccepts() {
    QFETCH(bool, income);
    QFETCH(int, how);
    QFETCH(QStringList, expected);
    GuiTestDb db;
    seed();
    ItemPicker* p = picker(income);
    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    clickRow(p->DBGridEh1, 0, "leibie");
    clickRow(p->DBGridEh2, 1, "xiangmu"); // the second item, not the one current after loading
    sayOk(p, how, 1);
    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Accepted));
    QCOMPARE(strings(), expected);
}

void TestPickers::cancelKeepsStringsAndList_data() {
    QTest::addColumn<bool>("income");
    QTest::newRow("expense") << false;
    QTest::newRow("income") << true;
}

void TestPickers::cancelKeepsStringsAndList() {
    QFETCH(bool, income);
    GuiTestDb db;
    seed();
    ItemPicker* p = picker(income);
    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    clickRow(p->DBGridEh1, 1, "leibie");
    clickRow(p->DBGridEh1, 0, "leibie");
    clickRow(p->DBGridEh2, 1, "xiangmu");
    const QStringList before = strings();
    QTest::mouseClick(p->BitBtn1, Qt::LeftButton);
    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Rejected));
    QCOMPARE(strings(), before);

    // Shown again, the picker is where the user left it: OK takes the same item at once.
    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    QCOMPARE(categories(income)->currentRow(), 0);
    QCOMPARE(items(income)->currentRow(), 1);
    QCOMPARE(p->DBGridEh2->model()->rowCount(), 2);
    QTest::mouseClick(p->BitBtn2, Qt::LeftButton);
    QCOMPARE(p->result(), int(QDialog::Accepted));
    QCOMPARE(income ? ChosenIncomeItem : ChosenExpenseItem, QString(income ? "奖金" : "午餐"));
}

void TestPickers::gridsAreReadOnly() {
    GuiTestDb db;
    seed();
    ItemPicker* p = Form2;
    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    clickRow(p->DBGridEh1, 0, "leibie");
    for (DataGrid* g : {p->DBGridEh1, p->DBGridEh2}) {
        const int rows = g->dataset()->recordCount();
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {},
                           cellCentre(g, 0, g == p->DBGridEh1 ? "leibie" : "bianma"));
        QTest::keyClick(g, Qt::Key_X);
        QTest::keyClick(g, Qt::Key_F2);
        QVERIFY(!g->isEditing());
        QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier); // no question box: it would fail the test
        QCOMPARE(g->dataset()->recordCount(), rows);
        QCOMPARE(g->dataset()->state(), Dataset::State::Browse);
    }
    QCOMPARE(DM->ADOQclass->asText("leibie"), QString("餐饮"));
    QVERIFY(MsgBox::shown().isEmpty());
}

void TestPickers::loadErrorLeavesListClosed() {
    GuiTestDb db;
    seed();
    DM->ADOCon.exec("drop table xiangmu");
    ItemPicker* p = Form2;
    p->open();
    QVERIFY(QTest::qWaitForWindowExposed(p));
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    clickRow(p->DBGridEh1, 0, "leibie");
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].icon, MsgBox::Icon::Critical);
    QVERIFY(!DM->ADOQuery->isOpen());
    QTest::mouseClick(p->BitBtn2, Qt::LeftButton);
    QVERIFY(p->isVisible());
    QCOMPARE(ChosenExpenseItem, QString("e-item"));
    QCOMPARE(ChosenExpenseCategory, QString("e-cat"));
}

void TestPickers::closedDatabaseChoosesNothing() {
    MsgBox::setTestMode(true);
    MsgBox::resetTest();
    MsgBox::queueAnswer(MsgBox::Answer::Ok); // the start-up failure message
    GuiTestDb db(false);
    QVERIFY(!DM->ADOCon.isOpen());
    for (ItemPicker* p : {static_cast<ItemPicker*>(Form2), static_cast<ItemPicker*>(Form9)}) {
        p->open();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        p->DBGridEh1CellClick();
        QTest::mouseClick(p->BitBtn2, Qt::LeftButton);
        QVERIFY(p->isVisible());
        p->reject();
    }
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(strings(), QStringList({"e-code", "e-item", "e-cat", "i-code", "i-item", "i-cat"}));
}

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"

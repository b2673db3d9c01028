// The entry page: period tabs, adding, deleting and saving records, the day bars and the pick lists.
#include "DataGrid.h"
#include "DayBar.h"
#include "GuiTestDb.h"
#include "Periods.h"
#include "TForm2.h"

#include <QDateEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

struct EntryFixture : GuiTestDb {
    // Today is fixed on 30 April 2024: April has no 31st.
    EntryFixture(const std::function<void(Connection&)>& fill = {}) : GuiTestDb(true) {
        if (fill)
            fill(DM->ADOCon);
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    static void add(Connection& con, const char* table, const QDate& d, double money, const QString& teller = "张三") {
        con.exec(QString("insert into %1 (datee, teller, moneye, zffs) values (:d, :t, :m, '现金')").arg(table),
                 {{"d", d}, {"t", teller}, {"m", money}});
    }
    static QTabWidget* periods() { return find<QTabWidget>("cxPageControl2"); }
    static QTabWidget* subTabs() { return find<QTabWidget>("cxPageControl6"); }
    static DataGrid* grid(const char* name) { return find<DataGrid>(name); }
    static DayBar* bar(int n) { return find<DayBar>(QString("cxProgressBar%1").arg(n).toLatin1().constData()); }
    static void click(const char* button) { QTest::mouseClick(find<QToolButton>(button), Qt::LeftButton); }
    static int count(const char* table) {
        return DM->ADOCon.scalar(QString("select count(*) from %1").arg(table)).toInt();
    }
};

} // namespace

class TestEntryPage : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Periods::setTodayForTesting([] { return QDate(2024, 4, 30); });
    }
    void cleanup() { Periods::setTodayForTesting({}); }
    void layoutAndCaptions();
    void addOnPeriodTabs_data();
    void addOnPeriodTabs();
    void typeNewRecord();
    void missingDayClosesGrid();
    void customMonthPicker();
    void saveRefreshesBarsCtrlDeleteDoesNot();
    void saveMessages();
    void deleteButton();
    void barValues_data();
    void barValues();
    void emptyMonthKeepsHints();
    void incomeBars();
    void pickListsFilled();
    void pickerChoiceWritesRow();
};

void TestEntryPage::layoutAndCaptions() {
    EntryFixture f;
    QStringList buttons;
    for (const char* b : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton10", "SpeedButton11"})
        buttons << f.find<QToolButton>(b)->text();
    QCOMPARE(buttons, QStringList({"增加", "删除", "修改 / 保存", "快速录入", "刷新收支汇总"}));
    QTabWidget* p = f.periods();
    QCOMPARE(p->count(), 33);
    QCOMPARE(p->tabText(0), QString("本月"));
    QCOMPARE(p->tabText(1), QString("01"));
    QCOMPARE(p->tabText(31), QString("31"));
    QCOMPARE(p->tabText(32), QString("自定义月份"));
    QCOMPARE(p->widget(1)->objectName(), QString("cxTabSheet6"));
    QCOMPARE(p->widget(31)->objectName(), QString("cxTabSheet36"));
    QCOMPARE(p->widget(32)->objectName(), QString("cxTabSheet44"));
    QCOMPARE(f.subTabs()->tabText(0), QString("支出"));
    QCOMPARE(f.subTabs()->tabText(1), QString("收入"));
    QCOMPARE(f.bar(1)->position(), 100.0);
    QVERIFY(!f.find("Panel25")->isVisible());
    // The month picker starts on the same day of the previous month.
    QCOMPARE(f.find<QDateEdit>("DateTimePicker3")->date(), QDate(2024, 3, 30));
    QCOMPARE(f.find<QDateEdit>("DateTimePicker3")->displayFormat(), QString("yyyy-M"));

    DataGrid* g = f.grid("DBGridEh1");
    QStringList titles, footers;
    for (int c = 2; c <= 8; ++c) {
        titles << g->column(c).title;
        footers << g->footerText(c);
    }
    QCOMPARE(titles, QStringList({"支出日期", "支出人", "支付方式", "支出类别", "支出项目", "支出金额（元）", "备注"}));
    QCOMPARE(footers,
             QStringList({"合计", "所有人员", "所有支付方式", "所有支出类别", "所有支出项目", "￥0.00 ", "所有备注"}));
    QCOMPARE(f.grid("DBGridEh8")->column(3).title, QString("收入人"));
    QCOMPARE(f.grid("DBGridEh8")->footerText(4), QString("所有收入方式"));
    QVERIFY(!g->isColumnHidden(0) && g->isColumnHidden(1));
}

void TestEntryPage::addOnPeriodTabs_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("teller");
    QTest::newRow("本月") << 0 << "2024-4-30"
                          << "张三";
    QTest::newRow("15") << 15 << "2024-4-15"
                        << "";
}

void TestEntryPage::addOnPeriodTabs() {
    QFETCH(int, tab);
    QFETCH(QString, date);
    QFETCH(QString, teller);
    EntryFixture f([](Connection& c) { EntryFixture::add(c, "expenses", QDate(2024, 4, 3), 5); });
    f.periods()->setCurrentIndex(tab);
    Dataset* ds = DM->ADOQ;
    const int before = ds->recordCount();
    f.click("SpeedButton1");
    QCOMPARE(ds->recordCount(), before + 1);
    QCOMPARE(ds->state(), Dataset::State::Insert);
    QCOMPARE(ds->asText("datee"), date);
    QCOMPARE(ds->asText("teller"), teller); // repeats the person of the row the cursor stood on
}

void TestEntryPage::typeNewRecord() {
    EntryFixture f([](Connection& c) {
        EntryFixture::add(c, "expenses", QDate(2024, 4, 3), 5);
        for (int i = 0; i < 59; ++i)
            EntryFixture::add(c, "expenses", QDate(2024, 4, 4), 0);
    });
    QApplication::setActiveWindow(Form1);
    DataGrid* g = f.grid("DBGridEh1");
    f.click("SpeedButton1");
    QTRY_VERIFY(g->hasFocus());
    QCOMPARE(g->currentIndex().row(), 60); // the new row, ready for typing in its date cell
    QCOMPARE(g->currentIndex().column(), 2);
    QTRY_VERIFY(g->viewport()->rect().contains(g->visualRect(g->currentIndex()))); // and scrolled into view
    g->setCurrentIndex(g->model()->index(60, 7));
    QTest::keyClick(g, Qt::Key_8); // typing opens the cell's editor, which takes the rest
    QTest::keyClicks(QApplication::focusWidget(), "8.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(DM->ADOQ->asFloat("moneye"), 88.5);
    QCOMPARE(g->currentIndex().column(), 8);
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    f.click("SpeedButton3");
    QCOMPARE(MsgBox::shown().last().text, QString("[ 支出录入 ] 数据修改或保存成功！"));
    QCOMPARE(DM->ADOCon.scalar("select sum(moneye) from expenses").toDouble(), 93.5);
    QCOMPARE(g->footerText(7), QString("￥93.50 "));
    QCOMPARE(f.bar(31)->position(), 95.0); // 88.5 of 93.5 on the 30th
}

void TestEntryPage::missingDayClosesGrid() {
    EntryFixture f([](Connection& c) { EntryFixture::add(c, "expenses", QDate(2024, 4, 30), 5); });
    f.periods()->setCurrentIndex(31);
    QVERIFY(!DM->ADOQ->isOpen());
    QCOMPARE(f.grid("DBGridEh1")->model()->rowCount(), 0);
    f.click("SpeedButton1"); // does nothing
    QVERIFY(!DM->ADOQ->isOpen());
    f.periods()->setCurrentIndex(30);
    QCOMPARE(DM->ADOQ->recordCount(), 1);
}

void TestEntryPage::customMonthPicker() {
    EntryFixture f([](Connection& c) {
        EntryFixture::add(c, "expenses", QDate(2024, 3, 9), 5, "李四");
        EntryFixture::add(c, "sincome", QDate(2024, 2, 9), 5, "李四");
    });
    auto* picker = f.find<QDateEdit>("DateTimePicker3");
    f.periods()->setCurrentIndex(32);
    QVERIFY(f.find("Panel25")->isVisible());
    QCOMPARE(DM->ADOQ->recordCount(), 1); // March
    f.click("SpeedButton1");
    QCOMPARE(DM->ADOQ->asText("datee"), QString("2024-3-9")); // the date of the row the cursor stood on
    DM->ADOQ->cancel();

    picker->setDate(QDate(2024, 2, 1));
    QCOMPARE(DM->ADOQ->recordCount(), 0);
    f.click("SpeedButton1");
    QCOMPARE(DM->ADOQ->asText("datee"), QString()); // an empty month gives no date
    DM->ADOQ->cancel();

    // On "收入" the picker reopens the expense dataset; the income grid follows when shown again.
    f.subTabs()->setCurrentIndex(1);
    QCOMPARE(DM->ADOQincom->recordCount(), 1);
    picker->setDate(QDate(2024, 3, 1));
    QCOMPARE(DM->ADOQ->recordCount(), 1);
    QCOMPARE(DM->ADOQincom->recordCount(), 1);
    f.periods()->setCurrentIndex(0);
    QVERIFY(!f.find("Panel25")->isVisible());
}

void TestEntryPage::saveRefreshesBarsCtrlDeleteDoesNot() {
    EntryFixture f([](Connection& c) {
        EntryFixture::add(c, "expenses", QDate(2024, 4, 3), 30);
        EntryFixture::add(c, "expenses", QDate(2024, 4, 20), 10);
    });
    QCOMPARE(f.bar(4)->position(), 75.0);
    DM->ADOQ->first();
    DM->ADOQ->setValue("moneye", 10.0);
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    f.click("SpeedButton3");
    QCOMPARE(f.bar(4)->position(), 50.0);
    QCOMPARE(f.bar(21)->toolTip(), QString("50%"));

    DataGrid* g = f.grid("DBGridEh1");
    g->setFocus();
    g->setCurrentIndex(g->model()->index(0, 2));
    MsgBox::queueAnswer(MsgBox::Answer::Yes);
    QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(f.count("expenses"), 1);
    QCOMPARE(f.bar(4)->position(), 50.0); // the grid's own delete leaves the bars
}

void TestEntryPage::saveMessages() {
    EntryFixture f;
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    f.click("SpeedButton3"); // nothing being edited
    QCOMPARE(MsgBox::shown().last().text, QString("[ 支出录入 ] 数据修改或保存成功！"));

    f.click("SpeedButton1");
    DM->ADOQ->setText("teller", QString(60, 'x'));
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    f.click("SpeedButton3");
    QCOMPARE(MsgBox::shown().last().icon, MsgBox::Icon::Warning);
    QCOMPARE(MsgBox::shown().last().text, QString("“人员”的内容超过 50 个字符，未保存。"));
    QCOMPARE(DM->ADOQ->state(), Dataset::State::Insert); // the edit stays
    QCOMPARE(f.count("expenses"), 0);

    f.subTabs()->setCurrentIndex(1);
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    f.click("SpeedButton3");
    QCOMPARE(MsgBox::shown().last().text, QString("[ 收入录入 ] 数据修改或保存成功！"));
}

void TestEntryPage::deleteButton() {
    EntryFixture f([](Connection& c) {
        for (int d = 1; d <= 5; ++d)
            EntryFixture::add(c, "expenses", QDate(2024, 4, d), d);
    });
    MsgBox::clearShown();
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    f.click("SpeedButton2");
    QCOMPARE(MsgBox::shown().last().text,
             QString("请单击选择单条数据,Ctrl+单击选择多条数据,shift+单击选择连续多条数据"));
    QCOMPARE(MsgBox::shown().last().caption, QString("[ 支出录入 ]操作框提示你"));
    QCOMPARE(MsgBox::shown().last().icon, MsgBox::Icon::Information);
    QCOMPARE(f.count("expenses"), 5);

    DataGrid* g = f.grid("DBGridEh1");
    const auto rowPoint = [g](int row) {
        return QPoint(g->columnViewportPosition(2) + 5, g->rowViewportPosition(row) + 5);
    };
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(3));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ControlModifier, rowPoint(0));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ControlModifier, rowPoint(1));
    QCOMPARE(g->selectedRows(), QList<int>({3, 0, 1}));

    MsgBox::queueAnswer(MsgBox::Answer::No);
    f.click("SpeedButton2");
    QCOMPARE(MsgBox::shown().last().text, QString("你选择了 3 条数据，真要删除吗？"));
    QCOMPARE(f.count("expenses"), 5);

    MsgBox::queueAnswer(MsgBox::Answer::Yes);
    f.click("SpeedButton2");
    QCOMPARE(f.count("expenses"), 2);
    QCOMPARE(DM->ADOCon.scalar("select sum(moneye) from expenses").toDouble(), 3.0 + 5.0);
    QCOMPARE(f.bar(4)->position(), 38.0); // 3 of 8, refreshed by the button
    QCOMPARE(g->footerText(7), QString("￥8.00 "));
}

void TestEntryPage::barValues_data() {
    QTest::addColumn<QList<double>>("amounts"); // on days 1, 2, 3 ...
    QTest::addColumn<QList<double>>("positions");
    QTest::addColumn<QStringList>("hints");
    QTest::newRow("three equal") << QList<double>{1, 1, 1} << QList<double>{33, 33, 33}
                                 << QStringList{"33.33%", "33.33%", "33.33%"};
    QTest::newRow("12.5 rounds to even") << QList<double>{12.5, 87.5} << QList<double>{12, 88}
                                         << QStringList{"12.5%", "87.5%"};
    QTest::newRow("negative amount") << QList<double>{-10, 20} << QList<double>{-100, 200}
                                     << QStringList{"-100%", "200%"};
}

void TestEntryPage::barValues() {
    QFETCH(QList<double>, amounts);
    QFETCH(QList<double>, positions);
    QFETCH(QStringList, hints);
    EntryFixture f([&](Connection& c) {
        for (int i = 0; i < amounts.size(); ++i)
            EntryFixture::add(c, "expenses", QDate(2024, 4, i + 1), amounts[i]);
    });
    for (int i = 0; i < amounts.size(); ++i) {
        QCOMPARE(f.bar(i + 2)->position(), positions[i]);
        QCOMPARE(f.bar(i + 2)->toolTip(), hints[i]);
        QVERIFY(f.bar(i + 2)->showText());
    }
    QCOMPARE(f.bar(10)->position(), 0.0);
    QCOMPARE(f.bar(10)->toolTip(), QString("0%"));
    QVERIFY(!f.bar(10)->showText());
    QCOMPARE(f.bar(32)->position(), 0.0); // April has no 31st
}

void TestEntryPage::emptyMonthKeepsHints() {
    EntryFixture f([](Connection& c) {
        EntryFixture::add(c, "expenses", QDate(2024, 4, 3), 30);
        EntryFixture::add(c, "expenses", QDate(2024, 4, 20), 10);
    });
    QCOMPARE(f.bar(4)->toolTip(), QString("75%"));
    DM->ADOCon.exec("delete * from expenses");
    Form1->RefreshExpenseDayBars();
    QCOMPARE(f.bar(4)->position(), 0.0);
    QVERIFY(!f.bar(4)->showText());
    QCOMPARE(f.bar(4)->toolTip(), QString("75%"));
    QCOMPARE(f.bar(21)->toolTip(), QString("25%"));
}

void TestEntryPage::incomeBars() {
    EntryFixture f([](Connection& c) {
        EntryFixture::add(c, "expenses", QDate(2024, 4, 3), 30);
        EntryFixture::add(c, "sincome", QDate(2024, 4, 5), 10);
    });
    QCOMPARE(f.bar(4)->position(), 100.0);
    f.subTabs()->setCurrentIndex(1);
    QCOMPARE(f.bar(4)->position(), 0.0);
    QCOMPARE(f.bar(6)->position(), 100.0);
    QCOMPARE(DM->ADOQincom->recordCount(), 1);
}

void TestEntryPage::pickListsFilled() {
    EntryFixture f([](Connection& c) {
        c.exec("insert into people (xingming) values ('王五')");
        c.exec("insert into people (xingming) values ('O''Neil')");
        c.exec("insert into zffs (zffs) values ('现金')");
        c.exec("insert into ssyfs (zffs) values ('工资')");
        c.exec("insert into beizhu (beizhu) values ('午饭')");
        c.exec("insert into sbeizhu (beizhu) values ('奖金')");
    });
    DataGrid* e = f.grid("DBGridEh1");
    DataGrid* i = f.grid("DBGridEh8");
    QCOMPARE(e->pickKeys(3), QStringList({"王五", "O'Neil"}));
    QCOMPARE(i->pickItems(3), QStringList({"王五", "O'Neil"}));
    QCOMPARE(e->pickKeys(4), QStringList({"现金"}));
    QCOMPARE(i->pickKeys(4), QStringList({"工资"}));
    QCOMPARE(e->pickKeys(8), QStringList()); // notes only suggest
    QCOMPARE(e->pickItems(8), QStringList({"午饭"}));
    QCOMPARE(i->pickItems(8), QStringList({"奖金"}));

    DM->ADOCon.exec("insert into people (xingming) values ('赵六')");
    Form1->dxNavBar1Item5Click();
    Form1->dxNavBar1Item4Click(); // showing the page again refills the lists
    QCOMPARE(e->pickKeys(3).size(), 3);
}

void TestEntryPage::pickerChoiceWritesRow() {
    EntryFixture f([](Connection& c) { EntryFixture::add(c, "expenses", QDate(2024, 4, 3), 30); });
    DM->ADOQ->first();
    // The picker hands back its choice in the shared strings; stand in for the user with a timer.
    QTimer::singleShot(0, Form2, [] {
        ChosenExpenseItem = "午饭";
        ChosenExpenseCategory = "餐饮";
        Form2->accept();
    });
    Form1->DBGridEh1Columns6EditButtonClick();
    QCOMPARE(DM->ADOQ->state(), Dataset::State::Edit);
    QCOMPARE(DM->ADOQ->asText("item"), QString("午饭"));
    QCOMPARE(DM->ADOQ->asText("leibie"), QString("餐饮"));

    DM->ADOQ->cancel();
    QTimer::singleShot(0, Form2, [] {
        ChosenExpenseItem = "晚饭";
        Form2->reject();
    });
    Form1->DBGridEh1Columns6EditButtonClick();
    QCOMPARE(DM->ADOQ->state(), Dataset::State::Browse); // Cancel leaves the row untouched
    QCOMPARE(DM->ADOQ->asText("item"), QString());
}

QTEST_MAIN(TestEntryPage)
#include "tst_entrypage.moc"

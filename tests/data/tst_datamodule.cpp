// The data module: record defaults of new entries, codes, the login switch and shared use of the file.
#include "Codes.h"
#include "DbError.h"
#include "Periods.h"
#include "TestDb.h"

#include <QtTest>

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Periods::setTodayForTesting([] { return QDate(2024, 4, 30); });
    }
    void cleanup() { Periods::setTodayForTesting({}); }
    void recordDefaults_data();
    void recordDefaults();
    void incomeDefaultsKeepTheirOwnValues();
    void dayInCurrentMonth();
    void nextCode_data();
    void nextCode();
    void nextCodeRefusesText();
    void codesFollowLastAdded();
    void loginSwitch();
    void secondConnectionShares();
};

void TestDataModule::recordDefaults_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("withRecords");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("teller");
    QTest::newRow("本月, empty month") << 0 << false << "2024-4-30"
                                       << "";
    QTest::newRow("本月, after a record") << 0 << true << "2024-4-30"
                                          << "张三";
    QTest::newRow("15") << 15 << true << "2024-4-15"
                        << "张三";
    QTest::newRow("自定义月份 with records") << 32 << true << "2024-2-7"
                                             << "张三";
    QTest::newRow("自定义月份 empty") << 32 << false << ""
                                      << "";
}

void TestDataModule::recordDefaults() {
    QFETCH(int, tab);
    QFETCH(bool, withRecords);
    QFETCH(QString, date);
    QFETCH(QString, teller);
    TestDb db;
    if (withRecords)
        db.addRecord("expenses", QDate(2024, 2, 7), "张三", 5, "现金");
    db.dm->activePeriodTab = [tab] { return tab; };
    Dataset* ds = db.dm->ADOQ;
    ds->setParam("Pmonthbegin", QDate(2024, 2, 1));
    ds->setParam("Pmonthend", QDate(2024, 2, 29));
    ds->open();
    ds->append();
    QCOMPARE(ds->asText("datee"), date);
    QCOMPARE(ds->asText("teller"), teller);
    QCOMPARE(ds->asText("zffs"), withRecords ? QString("现金") : QString());
    QCOMPARE(ds->asText("leibie"), QString());
    QVERIFY(ds->value("moneye").isNull());
    QCOMPARE(db.dm->LastExpenseDate, withRecords ? QString("2024-2-7") : QString());
}

void TestDataModule::incomeDefaultsKeepTheirOwnValues() {
    TestDb db;
    db.addRecord("sincome", QDate(2024, 4, 3), "李四", 5, "工资卡");
    int refreshed = 0;
    db.dm->refreshIncomeDayBars = [&] { ++refreshed; };
    Dataset* ds = db.dm->ADOQincom;
    ds->setParam("Psmonthbegin", QDate(2024, 4, 1));
    ds->setParam("Psmonthend", QDate(2024, 4, 30));
    ds->open();
    ds->append();
    QCOMPARE(ds->asText("teller"), QString("李四"));
    QCOMPARE(ds->asText("zffs"), QString("工资卡"));
    QCOMPARE(db.dm->LastIncomeTeller, QString("李四"));
    QCOMPARE(db.dm->LastExpenseTeller, QString());
    ds->post();
    QCOMPARE(refreshed, 1);
}

void TestDataModule::dayInCurrentMonth() {
    QCOMPARE(Periods::dayInCurrentMonth(30), QDate(2024, 4, 30));
    QCOMPARE(Periods::dayInCurrentMonth(31), QDate(1981, 7, 7)); // April has no 31st
    QCOMPARE(Periods::sameDayPreviousMonth(QDate(2024, 3, 31)), QDate(2024, 2, 29));
    QCOMPARE(Periods::sameDayPreviousMonth(QDate(2023, 3, 31)), QDate(2023, 2, 28));
    QCOMPARE(Periods::sameDayPreviousMonth(QDate(2024, 1, 15)), QDate(2023, 12, 15));
}

void TestDataModule::nextCode_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty") << ""
                           << "01";
    QTest::newRow("01") << "01"
                        << "02";
    QTest::newRow("09") << "09"
                        << "10";
    QTest::newRow("99") << "99"
                        << "100";
    QTest::newRow("007") << "007"
                         << "08";
    QTest::newRow("0") << "0"
                       << "01";
}

void TestDataModule::nextCode() {
    QFETCH(QString, last);
    QFETCH(QString, next);
    QCOMPARE(NextCode(last), next);
}

void TestDataModule::nextCodeRefusesText() {
    for (const char* bad : {"abc", "1a", "-", "1.5"})
        QVERIFY_THROWS_EXCEPTION(DbError, NextCode(bad));
}

void TestDataModule::codesFollowLastAdded() {
    TestDb db;
    Connection& con = db.con();
    QCOMPARE(Codes::nextCategoryCode(con, Codes::Kind::Expense), QString("01"));
    con.exec("insert into leibie (bianma, leibie) values ('12', '餐饮')");
    con.exec("insert into leibie (bianma, leibie) values ('05', 'Car''s')");
    QCOMPARE(Codes::nextCategoryCode(con, Codes::Kind::Expense), QString("06")); // the last added, not the highest
    QCOMPARE(Codes::nextCategoryCode(con, Codes::Kind::Income), QString("01"));  // income numbered on its own
    QCOMPARE(Codes::categoryCodeOf(con, Codes::Kind::Expense, "car's"), QString("05"));
    QCOMPARE(Codes::categoryCodeOf(con, Codes::Kind::Expense, "无"), QString());
    con.exec("delete * from leibie where bianma = '05'");
    QCOMPARE(Codes::nextCategoryCode(con, Codes::Kind::Expense), QString("13"));
    QCOMPARE(Codes::nextItemCode(con, Codes::Kind::Expense, "12"), QString("01"));
    con.exec("insert into xiangmu (fbianma, zbianma, xiangmu) values ('12', '09', '午饭')");
    con.exec("insert into xiangmu (fbianma, zbianma, xiangmu) values ('03', '44', '油费')");
    QCOMPARE(Codes::nextItemCode(con, Codes::Kind::Expense, "12"), QString("10"));
    con.exec("insert into sleibie (bianma, leibie) values ('x1', '坏编码')");
    QVERIFY_THROWS_EXCEPTION(DbError, Codes::nextCategoryCode(con, Codes::Kind::Income));
}

void TestDataModule::loginSwitch() {
    TestDb db;
    QVERIFY(!db.dm->loginRequired());
    db.dm->setLoginRequired(true);
    QVERIFY(db.dm->loginRequired());
    QCOMPARE(db.con().scalar("select flagg from flagg where flagname = 'dl'").toInt(), -1);
    db.con().exec("delete * from flagg");
    QVERIFY(db.dm->loginRequired()); // a missing row asks
}

void TestDataModule::secondConnectionShares() {
    TestDb db;
    QVERIFY(db.dm->ADOQclass->isOpen());
    QVERIFY(db.dm->ADOQusers->isOpen());
    QVERIFY(db.dm->ADOQuery1->isOpen());
    TDM second;
    QVERIFY2(second.openDatabase(db.path()), qPrintable(second.lastError()));
    second.ADOCon.exec("insert into people (xingming) values ('王五')");
    QCOMPARE(db.con().scalar("select xingming from people").toString(), QString("王五"));
    db.con().exec("insert into people (xingming) values ('赵六')");
    QCOMPARE(second.ADOCon.scalar("select count(*) from people").toInt(), 2);
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"

// Dataset operations on the entry and detail datasets of the data module.
#include "DbError.h"
#include "Format.h"
#include "JetDialect.h"
#include "TestDb.h"

#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

class TestDataset : public QObject {
    Q_OBJECT
private slots:
    void browseAndBookmarks();
    void appendEditPostCancel();
    void deleteWritesBack();
    void refusedValuesStoreNothing_data();
    void refusedValuesStoreNothing();
    void quoteInName();
    void emptyTableSumsToZero();
    void sumFollowsChanges();
    void calculatedFields();
    void largeResultReadOnDemand();
    void derivedFieldsOfScratchQuery();
    void otherConnectionSeesPost();

private:
    static void openMonth(Dataset* ds, int year, int month) {
        ds->close();
        ds->setParam("Pmonthbegin", QDate(year, month, 1));
        ds->setParam("Pmonthend", QDate(year, month, QDate(year, month, 1).daysInMonth()));
        ds->open();
    }
};

void TestDataset::browseAndBookmarks() {
    TestDb db;
    db.addRecord("expenses", QDate(2024, 3, 5), "b", 2);
    db.addRecord("expenses", QDate(2024, 3, 1), "a", 1);
    db.addRecord("expenses", QDate(2024, 3, 5), "c", 3);
    db.addRecord("expenses", QDate(2024, 4, 1), "x", 9);
    Dataset* ds = db.dm->ADOQ;
    openMonth(ds, 2024, 3);
    QCOMPARE(ds->recordCount(), 3);
    QStringList order;
    for (ds->first(); !ds->eof(); ds->next())
        order << QString("%1:%2:%3").arg(ds->recNo()).arg(ds->asText("teller"), ds->asText("datee"));
    QCOMPARE(order, QStringList({"1:a:2024-3-1", "2:b:2024-3-5", "3:c:2024-3-5"}));
    ds->moveTo(1);
    const auto mark = ds->bookmark();
    ds->last();
    QCOMPARE(ds->asText("teller"), QString("c"));
    ds->gotoBookmark(mark);
    QCOMPARE(ds->recNo(), 2);
    QCOMPARE(ds->asFloat("moneye"), 2.0);
    QCOMPARE(ds->asInteger("id"), 1);
    QCOMPARE(ds->value("datee").toDate(), QDate(2024, 3, 5));
    QVERIFY_THROWS_EXCEPTION(DbError, ds->asText("nosuchfield"));
    ds->close();
    QVERIFY(!ds->isOpen());
    QVERIFY_THROWS_EXCEPTION(DbError, ds->append()); // a closed dataset accepts no insert
}

void TestDataset::appendEditPostCancel() {
    TestDb db;
    Dataset* ds = db.dm->ADOQ;
    openMonth(ds, 2024, 3);
    int posted = 0;
    ds->afterPost = [&](Dataset&) { ++posted; };
    ds->append();
    QCOMPARE(ds->state(), Dataset::State::Insert);
    ds->setText("datee", "2024-3-9");
    ds->setText("teller", "张三");
    ds->setText("moneye", "12.5");
    QVERIFY(ds->post());
    QCOMPARE(posted, 1);
    const qint64 id = ds->asInteger("id");
    QVERIFY(id > 0);
    QCOMPARE(db.con().scalar("select datee from expenses where id = " + QString::number(id)).toString(),
             QString("2024-03-09"));

    ds->edit();
    ds->setValue("moneye", 20.0);
    QVERIFY(ds->post());
    QCOMPARE(posted, 2); // an edit posts the same way
    QCOMPARE(db.con().scalar("select moneye from expenses").toDouble(), 20.0);

    ds->setText("teller", "李四"); // browsing: setting a value starts an edit
    QCOMPARE(ds->state(), Dataset::State::Edit);
    ds->cancel();
    QCOMPARE(ds->asText("teller"), QString("张三"));
    QCOMPARE(db.con().scalar("select teller from expenses").toString(), QString("张三"));

    ds->append();
    ds->cancel();
    QCOMPARE(ds->recordCount(), 1);
    QVERIFY(!ds->post()); // nothing pending
    QCOMPARE(posted, 2);
}

void TestDataset::deleteWritesBack() {
    TestDb db;
    for (int i = 1; i <= 4; ++i)
        db.addRecord("expenses", QDate(2024, 3, i), QString("p%1").arg(i), i);
    Dataset* ds = db.dm->ADOQ;
    int deleted = 0;
    ds->afterDelete = [&](Dataset&) { ++deleted; };
    openMonth(ds, 2024, 3);
    ds->moveTo(1);
    ds->remove();
    QCOMPARE(deleted, 1);
    QCOMPARE(ds->recordCount(), 3);
    QCOMPARE(ds->asText("teller"), QString("p3")); // the next record becomes current
    QCOMPARE(db.con().scalar("select count(*) from expenses where teller = 'p2'").toInt(), 0);
    ds->last();
    ds->remove();
    QCOMPARE(ds->asText("teller"), QString("p3"));
    QCOMPARE(db.con().scalar("select count(*) from expenses").toInt(), 2);
}

void TestDataset::refusedValuesStoreNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle"); // part of the message: the field's name
    QTest::newRow("not a calendar date") << "datee"
                                         << "2024-2-30"
                                         << "日期";
    QTest::newRow("month 13") << "datee"
                              << "2024-13-1"
                              << "日期";
    QTest::newRow("not a number") << "moneye"
                                  << "12元"
                                  << "金额";
    QTest::newRow("infinite") << "moneye"
                              << "inf"
                              << "金额";
    QTest::newRow("nan") << "moneye"
                         << "nan"
                         << "金额";
}

void TestDataset::refusedValuesStoreNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, needle);
    TestDb db;
    Dataset* ds = db.dm->ADOQ;
    openMonth(ds, 2024, 3);
    ds->append();
    try {
        ds->setText(field, text);
        QFAIL("value accepted");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains(needle), qPrintable(e.message()));
    }
    QVERIFY(!ds->isModified());
}

void TestDataset::quoteInName() {
    TestDb db;
    Dataset* ds = db.dm->ADOQ;
    openMonth(ds, 2024, 3);
    ds->append();
    ds->setText("datee", "2024-3-1");
    ds->setText("teller", "O'Brien");
    ds->post();
    QCOMPARE(db.con().scalar("select count(*) from expenses where teller = " + JetDialect::quoted("o'brien")).toInt(),
             1);

    ds->append();
    QString emoji;
    for (int i = 0; i < 50; ++i)
        emoji += QString::fromUcs4(U"😀", 1);
    ds->setText("teller", emoji); // fifty characters, a hundred UTF-16 units: fits
    ds->post();
    QCOMPARE(db.con().scalar("select length(teller) from expenses where teller = :t", {{"t", emoji}}).toInt(), 50);

    ds->append();
    ds->setText("teller", QString(51, 'x'));
    try {
        ds->post();
        QFAIL("too long value stored");
    } catch (const DbError& e) {
        QCOMPARE(e.message(), QString("“人员”的内容超过 50 个字符，未保存。"));
    }
    QCOMPARE(ds->state(), Dataset::State::Insert); // the edit stays for the user to mend
    QCOMPARE(db.con().scalar("select count(*) from expenses").toInt(), 2);
}

void TestDataset::emptyTableSumsToZero() {
    TestDb db;
    Dataset* ds = db.dm->ADOQ;
    openMonth(ds, 2024, 3);
    QCOMPARE(ds->recordCount(), 0);
    QVERIFY(ds->eof());
    QCOMPARE(ds->sum("moneye"), 0.0);
    db.dm->ADOQpercent->setParam("bd", QDate(2024, 3, 1));
    db.dm->ADOQpercent->setParam("ed", QDate(2024, 3, 1));
    db.dm->ADOQpercent->open();
    QCOMPARE(db.dm->ADOQpercent->asFloat("datesum"), 0.0); // null reads as 0
}

void TestDataset::sumFollowsChanges() {
    TestDb db;
    db.addRecord("expenses", QDate(2024, 3, 1), "a", 10);
    db.addRecord("expenses", QDate(2024, 3, 2), "a", 5.5);
    Dataset* ds = db.dm->ADOQ;
    openMonth(ds, 2024, 3);
    QCOMPARE(ds->sum("moneye"), 15.5);
    ds->append();
    ds->setText("moneye", "4.5");
    QCOMPARE(ds->sum("moneye"), 20.0);
    ds->post();
    ds->first();
    ds->setValue("moneye", 1.0);
    QCOMPARE(ds->sum("moneye"), 11.0);
    ds->cancel();
    QCOMPARE(ds->sum("moneye"), 20.0);
    ds->remove();
    QCOMPARE(ds->sum("moneye"), 10.0);
    QCOMPARE(Format::money(1234.5), QString("￥1,234.50 "));
}

void TestDataset::calculatedFields() {
    TestDb db;
    db.con().exec("insert into xiangmu (fbianma, zbianma, xiangmu) values ('03', '12', '早餐')");
    Dataset* items = db.dm->ADOQuery;
    items->open();
    QCOMPARE(items->asText("bianma"), QString("0312"));
    items->setText("zbianma", "13");
    QCOMPARE(items->asText("bianma"), QString("0313"));
    items->post();
    QVERIFY_THROWS_EXCEPTION(DbError, items->setText("bianma", "9")); // calculated fields are not written

    db.addRecord("expenses", QDate(2024, 3, 1), "a", 10);
    db.addRecord("sincome", QDate(2024, 3, 1), "a", 25);
    Dataset* detail = db.dm->ADOQscinome;
    detail->open();
    QCOMPARE(detail->recordCount(), 2);
    detail->first();
    QCOMPARE(detail->asText("flag"), QString("-1"));
    QCOMPARE(detail->asFloat("moneyy"), -10.0);
    detail->next();
    QCOMPARE(detail->asFloat("moneyy"), 25.0);
}

void TestDataset::largeResultReadOnDemand() {
    TestDb db;
    db.con().execNative("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
                        "insert into expenses (datee, teller, moneye) select '2024-03-01', 'p' || i, i from n");
    Dataset* ds = db.dm->ADOQchaxun;
    ds->open();
    QVERIFY(ds->canFetchMore());
    QVERIFY(ds->fetchedCount() < 20000);
    QCOMPARE(ds->sum("moneye"), 20000.0 * 20001 / 2); // from the engine, before every row is read
    ds->setValue("moneye", 0.0);                      // a write reads the rest first
    QCOMPARE(ds->sum("moneye"), 20000.0 * 20001 / 2 - 1);
    ds->post();
    QVERIFY(!ds->canFetchMore());
    QCOMPARE(ds->recordCount(), 20000);
    QCOMPARE(ds->sum("moneye"), 20000.0 * 20001 / 2 - 1);
}

void TestDataset::derivedFieldsOfScratchQuery() {
    TestDb db;
    db.addRecord("expenses", QDate(2024, 3, 1), "a", 10);
    Dataset* q = db.dm->ADOQcommon;
    q->setSql("select datee, teller, moneye, id from expenses");
    q->open();
    QCOMPARE(q->fieldCount(), 4);
    QCOMPARE(q->asText("datee"), QString("2024-3-1")); // date text, as everywhere
    QCOMPARE(q->asFloat("moneye"), 10.0);
    q->close();
    q->setSql("select sum(moneye) as monthsum  from expenses where datee between #2024-4-1# and #2024-4-30#");
    q->open();
    QCOMPARE(q->asFloat("monthsum"), 0.0);
    q->close();
}

void TestDataset::otherConnectionSeesPost() {
    TestDb db;
    Dataset* ds = db.dm->ADOQ;
    openMonth(ds, 2024, 3);
    ds->append();
    ds->setText("datee", "2024-3-3");
    // Another process holds the write lock for a moment; the post waits for it instead of failing.
    std::atomic<bool> locked = false;
    std::atomic<bool> committed = false;
    std::thread other([&] {
        Connection con;
        con.open(db.path(), TDM::DatabasePassword);
        con.beginTransaction();
        con.exec("insert into people (xingming) values ('x')");
        locked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        committed = true; // set just before the lock goes: the post cannot have finished earlier
        con.commit();
    });
    while (!locked)
        std::this_thread::yield();
    ds->post();
    QVERIFY(committed);
    other.join();
    Connection reader;
    reader.open(db.path(), TDM::DatabasePassword);
    QCOMPARE(reader.scalar("select count(*) from expenses").toInt(), 1);
    QCOMPARE(reader.scalar("select count(*) from people").toInt(), 1);
}

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"

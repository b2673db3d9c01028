// The Jet statements the program builds, translated and run on a small fixture file.
#include "Balance.h"
#include "DbError.h"
#include "JetDialect.h"
#include "TestDb.h"

#include <QtTest>

class TestDialect : public QObject {
    Q_OBJECT
private slots:
    void translation_data();
    void translation();
    void unorderedForAggregates();
    void quotedStringsUntouched_data();
    void quotedStringsUntouched();
    void refused_data();
    void refused();
    void rowsOnFixture_data();
    void rowsOnFixture();
    void balanceStatement();
};

void TestDialect::translation_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("date range") << "select * from expenses where datee between #2024-1-5# and #2024-12-31#"
                                << "select * from expenses where datee between '2024-01-05' and '2024-12-31'";
    QTest::newRow("date with time") << "select 1 where x = #2024-2-29 23:59:59#"
                                    << "select 1 where x = '2024-02-29'";
    QTest::newRow("top 1") << "select top 1 bianma from leibie order by id DESC"
                           << "select bianma from leibie order by id DESC limit 1 ";
    QTest::newRow("top in subquery") << "select * from (select top 2 id from people order by id) as t"
                                     << "select * from (select id from people order by id limit 2 ) as t";
    QTest::newRow("delete *") << "delete * from people where xingming = 'a'"
                              << "delete from people where xingming = 'a'";
    QTest::newRow("true") << "select username from users where qx = true order by id"
                          << "select username from users where qx = -1 order by id";
    QTest::newRow("false") << "select 1 where FALSE"
                           << "select 1 where 0";
    QTest::newRow("iif/IsNull")
        << "(iif(IsNull(sm), 0, sm ) - iif(IsNull(em), 0, em )) as tt"
        << "((case when (sm is null) then 0 else sm end) - (case when (em is null) then 0 else em "
           "end)) as tt";
    QTest::newRow("year/month kept") << "select * from expenses where year(datee) = 2024 and month(datee) = 3"
                                     << "select * from expenses where year(datee) = 2024 and month(datee) = 3";
    QTest::newRow("union with two orders")
        << "select *,'-1' as flag  from expenses  where teller = 'a' order by datee,id ASC union all select *,'1' as "
           "flag from sincome  where teller = 'a' order by datee,id ASC "
        << "select *,'-1' as flag  from expenses  where teller = 'a' union all select *,'1' as flag from sincome  "
           "where teller = 'a' order by datee,id ASC ";
    QTest::newRow("like") << "select * from expenses where beizhu like '%午饭%'"
                          << "select * from expenses where beizhu like '%午饭%'";
    QTest::newRow("parameters") << "select * from expenses where datee between   :Pmonthbegin and  :Pmonthend"
                                << "select * from expenses where datee between   :Pmonthbegin and  :Pmonthend";
    QTest::newRow("double quotes become single") << "select \"a'b\""
                                                 << "select 'a''b'";
    QTest::newRow("two minus signs stay two") << "select 5--3"
                                              << "select 5- -3";
}

void TestDialect::translation() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(JetDialect::translate(jet), sqlite);
}

void TestDialect::unorderedForAggregates() {
    QCOMPARE(JetDialect::translateUnordered("select * from expenses where teller = 'order by' order by datee,id ASC "),
             QString("select * from expenses where teller = 'order by' "));
    QCOMPARE(JetDialect::translateUnordered("select * from (select top 1 id from a order by id) order by id"),
             QString("select * from (select id from a order by id limit 1 ) "));
    QCOMPARE(JetDialect::translateUnordered("select a from x order by a union all select a from y order by a"),
             QString("select a from x union all select a from y "));
}

void TestDialect::quotedStringsUntouched_data() {
    QTest::addColumn<QString>("literal");
    for (const char* s : {"'#2024-1-1#'", "'select top 1'", "'true'", "'a -- b'", "'it''s'", "'iif(IsNull(x),1,2)'",
                          "'delete * from'", "'union all x order by y'", "':notaparam'"})
        QTest::newRow(s) << QString::fromUtf8(s);
}

void TestDialect::quotedStringsUntouched() {
    QFETCH(QString, literal);
    const QString sql = QStringLiteral("select * from people where xingming = ") + literal;
    QCOMPARE(JetDialect::translate(sql), sql);
}

void TestDialect::refused_data() {
    QTest::addColumn<QString>("jet");
    QTest::newRow("unterminated string") << "select 'abc";
    QTest::newRow("not a date") << "select * from expenses where datee = #2024-2-30#";
    QTest::newRow("unterminated date") << "select #2024-1-1";
    QTest::newRow("unbalanced") << "select iif(1, 2, 3";
    QTest::newRow("iif arity") << "select iif(1, 2)";
}

void TestDialect::refused() {
    QFETCH(QString, jet);
    QVERIFY_THROWS_EXCEPTION(DbError, JetDialect::translate(jet));
}

// Statements run on a fixture: expenses 10 (a, 2024-3-1), 20 (b, 2024-3-15), 5 (a, 2024-4-2);
// incomes 100 (a, 2024-3-1), 7 (c, 2024-3-20).
void TestDialect::rowsOnFixture_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("expected"); // rows joined by ";" and columns by ","
    QTest::newRow("month sum") << "select sum(moneye) as monthsum  from expenses where datee between #2024-3-1# and "
                                  "#2024-3-31#"
                               << "30";
    QTest::newRow("empty sum is null")
        << "select sum(moneye) from expenses where datee between #2020-1-1# and #2020-1-31#"
        << "";
    QTest::newRow("day") << "select teller from expenses where datee between #2024-3-15# and #2024-3-15#"
                         << "b";
    QTest::newRow("year month") << "select count(*) from expenses where year(datee) = 2024 and month(datee) = 3"
                                << "2";
    QTest::newRow("top 1 desc") << "select top 1 moneye from expenses order by id DESC"
                                << "5";
    QTest::newRow("case-insensitive name") << "select teller from expenses where teller = 'A' order by id"
                                           << "a;a";
    QTest::newRow("detail union") << "select teller,moneye,flag from (select *,'-1' as flag  from expenses  where "
                                     "teller = 'a' order by datee,id ASC union all select *,'1' as flag from sincome  "
                                     "where teller = 'a' order by datee,id ASC )"
                                  << "a,10,-1;a,100,1;a,5,-1";
    QTest::newRow("iif isnull") << "select iif(IsNull(beizhu), 'none', beizhu) from expenses where moneye = 20"
                                << "none";
    QTest::newRow("like") << "select count(*) from expenses where beizhu like '%饭%'"
                          << "1";
    QTest::newRow("yes/no") << "select username from users where qx = true order by id"
                            << "admin";
}

void TestDialect::rowsOnFixture() {
    QFETCH(QString, jet);
    QFETCH(QString, expected);
    TestDb db;
    db.addRecord("expenses", QDate(2024, 3, 1), "a", 10, QString(), "午饭");
    db.con().exec("insert into expenses (datee, teller, moneye) values (#2024-3-15#, 'b', 20)");
    db.addRecord("expenses", QDate(2024, 4, 2), "a", 5);
    db.addRecord("sincome", QDate(2024, 3, 1), "a", 100);
    db.addRecord("sincome", QDate(2024, 3, 20), "c", 7);
    Statement st = db.con().prepare(jet);
    QStringList rows;
    while (st.step()) {
        QStringList cols;
        for (int i = 0; i < st.columnCount(); ++i)
            cols << st.value(i).toString();
        rows << cols.join(',');
    }
    QCOMPARE(rows.join(';'), expected);
}

void TestDialect::balanceStatement() {
    TestDb db;
    db.addRecord("expenses", QDate(2024, 3, 1), "a", 10);
    db.addRecord("expenses", QDate(2024, 3, 1), "a", 2.5);
    db.addRecord("sincome", QDate(2024, 3, 1), "a", 100);
    db.addRecord("expenses", QDate(2024, 3, 2), "b", 20);
    db.addRecord("sincome", QDate(2024, 3, 3), "c", 7);
    db.addRecord("sincome", QDate(2024, 4, 3), "c", 9);
    Statement st = db.con().prepareNative("select ed, et, ifnull(em, 'null'), ifnull(sm, 'null'), tt from (" +
                                          Balance::statement(" having datee between #2024-3-1#  and   #2024-3-31# ") +
                                          ") order by ed, et");
    QStringList rows;
    while (st.step())
        rows << QStringList{st.text(0), st.text(1), st.text(2), st.text(3), st.text(4)}.join(',');
    QCOMPARE(rows.join(';'), QString("2024-03-01,a,12.5,100.0,87.5;2024-03-02,b,20.0,null,-20.0;"
                                     "2024-03-03,c,null,7.0,7.0"));
}

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
